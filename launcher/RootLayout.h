// A fresh handheld's device root, laid out the first time the quorvel
// command meets a missing or empty root folder: the flash disk, the desktop
// and ActiveSync's start-menu folder with its two shortcuts, the warning
// sound, and the registry of a handheld already set up for its receiver
// board (so the first start shows no warm-boot notice).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::launcher {

// True when `dir` does not exist or is an empty folder.
bool RootNeedsLayout(const std::string& dir);

// Creates `dir` and lays it out; the device root is `dir` afterwards. False
// with the reason in *error when a folder, file or registry value could not
// be made.
[[nodiscard]] bool LayOutFreshRoot(const std::string& dir, std::string* error);

// \Windows\exclam.wav: a short falling two-tone beep, 8 kHz, 16-bit mono
// PCM, made here rather than taken from anywhere.
std::vector<uint8_t> MakeExclamationWave();

}  // namespace quorvel::launcher
