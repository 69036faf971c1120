// The colour label on a real dialog: the static asks its dialog for its
// colours and the label answers through reflection.
#include <set>

#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Surface.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/TemplateBuilder.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ColorLabel.h"

namespace uitest {
namespace {

constexpr int kLabelId = 1003;
constexpr uint32_t kWhite = 0xFFFFFF;

class CLabelHostDlg : public CDialog {
  public:
    CColorLabel label;
    bool white = true;

  protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        EXPECT_TRUE(label.SubclassDlgItem(kLabelId, this));
        if (white) label.SetBkColor(RGB(255, 0, 0)).SetBkColor(RGB(255, 255, 255));
        return TRUE;
    }
};

class ColorLabelTest : public UiTest {
  protected:
    quorvel::gdi::Image Show(bool white) {
        quorvel::testing::TemplateBuilder t(9200, 100, 30, WS_POPUP | WS_VISIBLE, L"");
        t.Add(WC_STATIC, L"北 3012.551", kLabelId, 4, 4, 80, 12, SS_LEFT);
        CLabelHostDlg dialog;
        dialog.white = white;
        EXPECT_TRUE(dialog.CreateIndirect(t.Get()));
        Pump();
        const quorvel::gdi::Image image = quorvel::gdi::CaptureWindow(dialog.label.m_hWnd);
        dialog.DestroyWindow();
        Pump();
        return image;
    }
};

// The white label had its background set twice: neither brush, nor the
// label's font, outlives it.
TEST_F(ColorLabelTest, AWhiteLabelShowsWindowTextOnWhite) {
    const size_t brushes = quorvel::gdi::LiveObjectCount(OBJ_BRUSH);
    const size_t fonts = quorvel::gdi::LiveObjectCount(OBJ_FONT);
    const quorvel::gdi::Image white = Show(true);
    EXPECT_EQ(quorvel::gdi::LiveObjectCount(OBJ_BRUSH), brushes);
    EXPECT_EQ(quorvel::gdi::LiveObjectCount(OBJ_FONT), fonts);
    std::set<uint32_t> colours(white.pixels.begin(), white.pixels.end());
    const uint32_t text = quorvel::gdi::PixelFromColor(::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(colours, (std::set<uint32_t>{kWhite, text}));
    const quorvel::gdi::Image grey = Show(false);
    EXPECT_EQ(grey.At(0, 0), quorvel::gdi::PixelFromColor(::GetSysColor(COLOR_BTNFACE)));
    quorvel::testing::ExpectMatchesReference(Stack({white, grey}), "colour_label");
}

}  // namespace
}  // namespace uitest
