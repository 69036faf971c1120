// Whole screens rendered headless and compared with committed reference
// PNGs, and the rules of the comparison itself.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/gdi/Surface.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/TempDeviceRoot.h"
#include "tests/platform/gdi/Gallery.h"

namespace quorvel::gdi::test {
namespace {

namespace fs = std::filesystem;

class Gallery : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/platform/gdi/ref");
        ResizeScreen(kScreenWidth, kScreenHeight);
        m_dc = GetDC(nullptr);
    }
    void TearDown() override { ReleaseDC(nullptr, m_dc); }
    HDC m_dc = nullptr;
};

TEST_F(Gallery, PrimitivesMatchTheirReference) {
    DrawPrimitiveGallery(m_dc);
    testing::ExpectMatchesReference(CaptureScreen(), "gallery_primitives");
}

TEST_F(Gallery, ChineseTextMatchesItsReference) {
    DrawTextGallery(m_dc);
    testing::ExpectMatchesReference(CaptureScreen(), "gallery_text");
}

// The comparison's own rules, run against a scratch folder.
class ReferenceRules : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Made());
        m_dir = m_folder.Path();
        testing::SetReferenceDirectory((m_dir / "ref").string());
        testing::SetOutputDirectory((m_dir / "out").string());
        m_image.width = 3;
        m_image.height = 2;
        m_image.pixels = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
        m_wasUpdating = testing::UpdatingReferences();
        unsetenv("QUORVEL_UPDATE_REFERENCES");
    }
    void TearDown() override {
        if (m_wasUpdating) setenv("QUORVEL_UPDATE_REFERENCES", "1", 1);
        testing::SetOutputDirectory("reference-output");
    }
    testing::TempFolder m_folder{"quorvel-ref"};
    fs::path m_dir;
    Image m_image;
    bool m_wasUpdating = false;
};

TEST_F(ReferenceRules, MissingReferenceFailsAndLeavesTheActualImage) {
    const ::testing::AssertionResult result = testing::MatchesReference(m_image, "absent");
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("missing reference"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_dir / "ref" / "absent.png"));
    Image written;
    ASSERT_TRUE(LoadImageFile((m_dir / "out" / "absent.actual.png").string(), &written));
    EXPECT_EQ(written, m_image);
}

TEST_F(ReferenceRules, OnlyAnExplicitUpdateRunWritesReferences) {
    setenv("QUORVEL_UPDATE_REFERENCES", "1", 1);
    EXPECT_TRUE(testing::MatchesReference(m_image, "made"));
    unsetenv("QUORVEL_UPDATE_REFERENCES");
    EXPECT_TRUE(fs::exists(m_dir / "ref" / "made.png"));
    EXPECT_TRUE(testing::MatchesReference(m_image, "made"));

    Image changed = m_image;
    changed.pixels[4] = 0x0000FE;
    const ::testing::AssertionResult result = testing::MatchesReference(changed, "made");
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("1 pixels differ, the first at (1, 1)"),
              std::string::npos);
    Image diff;
    ASSERT_TRUE(LoadImageFile((m_dir / "out" / "made.diff.png").string(), &diff));
    EXPECT_EQ(diff.At(1, 1), 0xFF0000u);
    EXPECT_NE(diff.At(0, 0), 0xFF0000u);
    // The failed comparison did not touch the reference.
    EXPECT_TRUE(testing::MatchesReference(m_image, "made"));
}

// An update run rewrites only what it changes: a reference whose pixels
// are those of the picture keeps its file, whatever its encoding.
TEST_F(ReferenceRules, AnUpdateRunLeavesUnchangedReferencesAlone) {
    setenv("QUORVEL_UPDATE_REFERENCES", "1", 1);
    ASSERT_TRUE(testing::MatchesReference(m_image, "kept"));
    const fs::path file = m_dir / "ref" / "kept.png";
    const auto past = fs::last_write_time(file) - std::chrono::hours(1);
    fs::last_write_time(file, past);
    EXPECT_TRUE(testing::MatchesReference(m_image, "kept"));
    EXPECT_EQ(fs::last_write_time(file), past);
    Image changed = m_image;
    changed.pixels[0] = 0x010101;
    EXPECT_TRUE(testing::MatchesReference(changed, "kept"));
    EXPECT_NE(fs::last_write_time(file), past);
    unsetenv("QUORVEL_UPDATE_REFERENCES");
    EXPECT_TRUE(testing::MatchesReference(changed, "kept"));
}

TEST_F(ReferenceRules, ADifferentSizeIsAMismatch) {
    setenv("QUORVEL_UPDATE_REFERENCES", "1", 1);
    ASSERT_TRUE(testing::MatchesReference(m_image, "sized"));
    unsetenv("QUORVEL_UPDATE_REFERENCES");
    Image wider = m_image;
    wider.width = 2;
    wider.height = 3;
    EXPECT_FALSE(testing::MatchesReference(wider, "sized"));
}

}  // namespace
}  // namespace quorvel::gdi::test
