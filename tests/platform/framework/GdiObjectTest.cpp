// The drawing classes over real device contexts: what SelectObject gives
// back, memory contexts with compatible bitmaps, the contexts that fetch and
// return their own HDC, and point-size fonts.
#include "res/resource.h"
#include "tests/platform/framework/FrameworkTest.h"

using namespace fwtest;

namespace {

using GdiObjectTest = FrameworkTest;

TEST_F(GdiObjectTest, SelectObjectGivesBackWhatItReplacedAsObjectsOfItsClass) {
    CClientDC dc(&m_main);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = dc.SelectObject(&red);
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_NE(old, &red);
    EXPECT_EQ(dc.SelectObject(old), &red);  // an object the program owns comes back as itself
    EXPECT_EQ(dc.GetCurrentPen(), old);

    CGdiObject* stock = dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(stock, nullptr);
    EXPECT_TRUE(stock->IsKindOf(RUNTIME_CLASS(CBrush)));
    CBrush* nullBrush = dc.GetCurrentBrush();
    EXPECT_EQ(nullBrush->m_hObject, GetStockObject(NULL_BRUSH));
    dc.SelectObject(stock);
}

TEST_F(GdiObjectTest, MemoryContextDrawsIntoItsBitmapAndBlitsToTheWindow) {
    CClientDC screen(&m_main);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 20, 10));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 20);
    EXPECT_EQ(info.bmHeight, 10);

    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, 20, 10, RGB(0, 0, 255));
    memory.Draw3dRect(0, 0, 20, 10, RGB(255, 255, 255), RGB(0, 0, 0));
    EXPECT_EQ(memory.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(memory.GetPixel(19, 9), RGB(0, 0, 0));
    EXPECT_TRUE(screen.BitBlt(30, 40, 20, 10, &memory, 0, 0, SRCCOPY));
    EXPECT_EQ(screen.GetPixel(35, 45), RGB(0, 0, 255));
    memory.SelectObject(oldBitmap);
}

class CPainted : public CWnd {
  public:
    CRect painted;

  protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        painted = dc.m_ps.rcPaint;
        CBrush green(RGB(0, 200, 0));
        CRect client;
        GetClientRect(&client);
        dc.FillRect(&client, &green);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPainted, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(GdiObjectTest, PaintContextCoversTheInvalidatedPartOnly) {
    CPainted w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                           nullptr, nullptr));
    w.UpdateWindow();
    EXPECT_EQ(w.painted, CRect(0, 0, 100, 100));
    CRect part(10, 10, 20, 30);
    w.InvalidateRect(&part, FALSE);
    w.UpdateWindow();
    EXPECT_EQ(w.painted, part);
    CClientDC dc(&w);
    EXPECT_EQ(dc.GetPixel(50, 50), RGB(0, 200, 0));
}

TEST_F(GdiObjectTest, PointFontHeightComesFromTheDevicesPixelsPerInch) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(80, L"宋体"));
    LOGFONT lf{};
    font.GetLogFont(&lf);
    CClientDC dc(&m_main);
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    EXPECT_EQ(lf.lfHeight, -(dpi * 80 / 720));
    EXPECT_STREQ(lf.lfFaceName, L"宋体");
    CFont* old = dc.SelectObject(&font);
    EXPECT_EQ(dc.GetCurrentFont(), &font);
    dc.SelectObject(old);
}

}  // namespace

namespace {

TEST_F(GdiObjectTest, BitmapResourcesLoadIntoBitmapsAndImageLists) {
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_POINT_IMAGES));
    BITMAP info{};
    ASSERT_GT(strip.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmHeight, 16);
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_POINT_IMAGES, 16, 1, RGB(255, 255, 255)));
    EXPECT_EQ(images.GetImageCount(), info.bmWidth / 16);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(1));
}

}  // namespace
