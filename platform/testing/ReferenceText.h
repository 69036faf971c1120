// Text references (dialog dumps, command logs) compared byte for byte, and
// sheets that put several rendered images under one reference image.
//
// Text references follow the rules of the image references: a missing
// reference is a failure, and a reference is written only in an explicit
// update run (QUORVEL_UPDATE_REFERENCES=1 in the environment).
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Image.h"

namespace quorvel::testing {

// Adds a test failure when `text` differs from the file at `path`; a
// missing file fails with the text shown, so a new reference can be checked
// by eye before the update run writes it.
void ExpectMatchesTextReference(const std::string& text, const std::string& path);

// The images one under another, two pixels apart on a dark ground.
gdi::Image StackImages(const std::vector<gdi::Image>& images);

}  // namespace quorvel::testing
