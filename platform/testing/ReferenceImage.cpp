#include "platform/testing/ReferenceImage.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

std::string& ReferenceDir() {
    static std::string dir;
    return dir;
}

std::string& OutputDir() {
    static std::string dir = "reference-output";
    return dir;
}

std::string Written(const gdi::Image& image, const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    return gdi::SavePng(image, path.string()) ? path.string()
                                              : "(could not write " + path.string() + ")";
}

// Differing pixels in red; the rest of the reference faded towards white.
gdi::Image DiffImage(const gdi::Image& actual, const gdi::Image& expected) {
    gdi::Image diff;
    diff.width = std::max(actual.width, expected.width);
    diff.height = std::max(actual.height, expected.height);
    diff.pixels.assign(static_cast<size_t>(diff.width) * diff.height, 0xFF0000u);
    for (int y = 0; y < std::min(actual.height, expected.height); ++y) {
        for (int x = 0; x < std::min(actual.width, expected.width); ++x) {
            const uint32_t e = expected.At(x, y);
            if (actual.At(x, y) != e) continue;
            const uint32_t grey = (((e >> 16) & 255) + ((e >> 8) & 255) + (e & 255)) / 3;
            const uint32_t faded = 192 + grey / 4;
            diff.pixels[static_cast<size_t>(y) * diff.width + x] =
                (faded << 16) | (faded << 8) | faded;
        }
    }
    return diff;
}

std::string Mismatch(const gdi::Image& actual, const gdi::Image& expected) {
    std::ostringstream out;
    if (actual.width != expected.width || actual.height != expected.height) {
        out << "size " << actual.width << "x" << actual.height << ", reference " << expected.width
            << "x" << expected.height;
        return out.str();
    }
    int count = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (actual.At(x, y) == expected.At(x, y)) continue;
            if (count++ == 0) firstX = x, firstY = y;
        }
    }
    if (count == 0) return {};
    out << count << " pixels differ, the first at (" << firstX << ", " << firstY << ")";
    return out.str();
}

}  // namespace

void SetReferenceDirectory(const std::string& dir) {
    ReferenceDir() = dir;
}

void SetOutputDirectory(const std::string& dir) {
    OutputDir() = dir;
}

bool UpdatingReferences() {
    const char* value = std::getenv("QUORVEL_UPDATE_REFERENCES");
    return value && std::string(value) == "1";
}

::testing::AssertionResult MatchesReference(const gdi::Image& image, const std::string& name) {
    if (ReferenceDir().empty()) {
        return ::testing::AssertionFailure() << "no reference directory set";
    }
    const fs::path reference = fs::path(ReferenceDir()) / (name + ".png");
    const fs::path output = fs::path(OutputDir());
    gdi::Image expected;
    if (UpdatingReferences()) {
        // A picture that has not changed keeps its file, byte for byte: an
        // update run rewrites only the references it changes.
        if (fs::exists(reference) && gdi::LoadImageFile(reference.string(), &expected) &&
            Mismatch(image, expected).empty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionSuccess() << "updated " << Written(image, reference);
    }
    if (!fs::exists(reference) || !gdi::LoadImageFile(reference.string(), &expected)) {
        return ::testing::AssertionFailure()
               << "missing reference " << reference.string() << "; the image is in "
               << Written(image, output / (name + ".actual.png"))
               << "; run with QUORVEL_UPDATE_REFERENCES=1 to accept it";
    }
    const std::string mismatch = Mismatch(image, expected);
    if (mismatch.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << name << " does not match its reference: " << mismatch << "; see "
           << Written(image, output / (name + ".actual.png")) << " and "
           << Written(DiffImage(image, expected), output / (name + ".diff.png"));
}

void ExpectMatchesReference(const gdi::Image& image, const std::string& name) {
    const ::testing::AssertionResult result = MatchesReference(image, name);
    if (!result) ADD_FAILURE() << result.message();
}

}  // namespace quorvel::testing
