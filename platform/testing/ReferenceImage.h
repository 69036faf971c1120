// Comparing rendered images with reference PNGs, pixel for pixel.
//
// A reference is <reference directory>/<name>.png. A missing reference is a
// failure, never created silently: the actual image is written to the
// output directory for inspection. References are written only in an
// explicit update run, with QUORVEL_UPDATE_REFERENCES=1 in the environment.
// On a mismatch the output directory receives <name>.actual.png and
// <name>.diff.png (differing pixels red over a faded reference).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/Image.h"

namespace quorvel::testing {

// Tests set this once, usually to QUORVEL_SOURCE_DIR "/tests/<folder>/ref".
void SetReferenceDirectory(const std::string& dir);
// Default: "reference-output" in the current directory (the build tree
// when run by ctest).
void SetOutputDirectory(const std::string& dir);
bool UpdatingReferences();

::testing::AssertionResult MatchesReference(const gdi::Image& image, const std::string& name);
// Adds a test failure when the image does not match its reference.
void ExpectMatchesReference(const gdi::Image& image, const std::string& name);

}  // namespace quorvel::testing
