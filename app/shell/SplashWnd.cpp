#include "app/shell/SplashWnd.h"

BOOL CSplashWnd::c_bShowSplashWnd = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = nullptr;

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::~CSplashWnd() {
    c_pSplashWnd = nullptr;
}

void CSplashWnd::EnableSplashScreen(BOOL bEnable) {
    c_bShowSplashWnd = bEnable;
}

void CSplashWnd::ShowSplashScreen(CWnd* pParentWnd) {
    if (!c_bShowSplashWnd || c_pSplashWnd) return;
    c_pSplashWnd = new CSplashWnd;
    if (!c_pSplashWnd->Create(pParentWnd)) {
        delete c_pSplashWnd;
        return;
    }
    c_pSplashWnd->UpdateWindow();
}

BOOL CSplashWnd::Create(CWnd* pParentWnd, UINT nBitmapId) {
    if (!m_bitmap.LoadBitmap(nBitmapId)) return FALSE;
    BITMAP bm{};
    m_bitmap.GetBitmap(&bm);
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), nullptr,
                    WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight,
                    pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CSplashWnd::HideSplashScreen() {
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd()) main->UpdateWindow();
}

void CSplashWnd::PostNcDestroy() {
    delete this;
}

int CSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    CenterWindow();
    SetTimer(1, 1000);
    return 0;
}

void CSplashWnd::OnPaint() {
    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc)) return;
    BITMAP bm{};
    m_bitmap.GetBitmap(&bm);
    CBitmap* old = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CSplashWnd::OnTimer(UINT_PTR) {
    HideSplashScreen();
}
