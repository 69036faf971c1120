// The colour chooser: its look, the colour it opens with, choosing by tap
// and by keyboard, and Cancel leaving the caller's colour alone.
#include "platform/dialogs/ColorChooser.h"
#include "platform/gdi/Surface.h"
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/dialogs/DialogTestSupport.h"

using namespace dlgtest;
using quorvel::dialogs::kColorChooserTemplateId;
using quorvel::dialogs::kFirstSwatchId;
using quorvel::dialogs::ModalInfo;
using quorvel::dialogs::ModalVerdict;

namespace {

class ColorChooser : public DialogTest {
  protected:
    // Opens the chooser over the owner with `flags` and `color`; `drive`
    // runs once its loop starts.
    BOOL Choose(DWORD flags, COLORREF& color, std::function<void(HWND)> drive) {
        Hook hook([&](const ModalInfo& info) {
            drive(info.dialog);
            return ModalVerdict::kProceed;
        });
        CHOOSECOLOR cc{};
        cc.lStructSize = sizeof(cc);
        cc.hwndOwner = Owner();
        cc.rgbResult = color;
        cc.Flags = flags;
        const BOOL ok = ChooseColor(&cc);
        color = cc.rgbResult;
        EXPECT_EQ(hook.seen.size(), 1u);
        if (!hook.seen.empty()) {
            EXPECT_EQ(hook.seen[0].templateId, kColorChooserTemplateId);
            EXPECT_EQ(hook.seen[0].caption, CString(L"颜色"));
        }
        return ok;
    }
    static void Click(HWND dialog, int id) { SendDlgItemMessage(dialog, id, BM_CLICK, 0, 0); }
    static int SwatchOf(COLORREF color) {
        for (int i = 0; i < quorvel::dialogs::kBasicColorCount; ++i)
            if (quorvel::dialogs::BasicColor(i) == color) return kFirstSwatchId + i;
        return 0;
    }
};

TEST_F(ColorChooser, LooksAsOnTheDeviceWithTheInitialColourChosen) {
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/platform/dialogs/ref");
    COLORREF color = RGB(0, 128, 128);
    EXPECT_FALSE(Choose(CC_RGBINIT, color, [&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), Owner());
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, SwatchOf(RGB(0, 128, 128))));
        quorvel::win::PumpUntilIdle();
        quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(dialog),
                                                 "color_chooser");
        Click(dialog, IDCANCEL);
    }));
    EXPECT_EQ(color, RGB(0, 128, 128));
}

TEST_F(ColorChooser, ATappedSwatchIsWhatOkReturnsAndCancelKeepsTheCallersColour) {
    COLORREF color = 0;
    EXPECT_TRUE(Choose(0, color, [&](HWND dialog) {
        Click(dialog, SwatchOf(RGB(255, 0, 0)));
        Click(dialog, SwatchOf(RGB(0, 0, 255)));
        Click(dialog, IDOK);
    }));
    EXPECT_EQ(color, RGB(0, 0, 255));

    color = RGB(1, 2, 3);
    EXPECT_FALSE(Choose(CC_RGBINIT, color, [&](HWND dialog) {
        Click(dialog, SwatchOf(RGB(255, 0, 0)));
        Key(VK_ESCAPE);
    }));
    EXPECT_EQ(color, RGB(1, 2, 3));
}

TEST_F(ColorChooser, OpensOnBlackUnlessToldAndKeepsAColourOutsideTheGrid) {
    // Without CC_RGBINIT whatever the caller left in rgbResult is ignored.
    COLORREF color = RGB(255, 255, 0);
    EXPECT_TRUE(Choose(0, color, [&](HWND dialog) {
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, SwatchOf(RGB(0, 0, 0))));
        Key(VK_RETURN);
    }));
    EXPECT_EQ(color, RGB(0, 0, 0));

    // The focus must not start on a swatch, or it would replace the colour.
    color = RGB(1, 2, 3);
    EXPECT_TRUE(Choose(CC_RGBINIT, color, [&](HWND dialog) {
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        Key(VK_RETURN);
    }));
    EXPECT_EQ(color, RGB(1, 2, 3));
}

TEST_F(ColorChooser, TheChoiceFollowsTheArrowsAndEnterIsOk) {
    COLORREF color = RGB(0, 0, 0);
    EXPECT_TRUE(Choose(CC_RGBINIT, color, [&](HWND) {
        Key(VK_RIGHT);  // black -> olive, its neighbour in the grid
        Key(VK_RIGHT);
        Key(VK_LEFT);
        Key(VK_RETURN);
    }));
    EXPECT_EQ(color, RGB(128, 128, 0));
}

}  // namespace
