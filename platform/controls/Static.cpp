#include "platform/controls/Static.h"

#include "platform/controls/StylePainter.h"
#include "platform/resources/Resources.h"

namespace quorvel::controls {
namespace {

UINT TextFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            format = DT_LEFT | DT_SINGLELINE;
            break;
        case SS_LEFTNOWORDWRAP:
            format |= DT_LEFT;
            break;
        default:
            format |= DT_LEFT | DT_WORDBREAK;
            break;
    }
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    return format;
}

bool IsShape(DWORD type) {
    return (type >= SS_BLACKRECT && type <= SS_WHITEFRAME) ||
           (type >= SS_ETCHEDHORZ && type <= SS_ETCHEDFRAME);
}

}  // namespace

LRESULT Static::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE:
            // Frames surround other controls: they must not hide them.
            if (IsShape(reinterpret_cast<CREATESTRUCT*>(lParam)->style & SS_TYPEMASK) &&
                (reinterpret_cast<CREATESTRUCT*>(lParam)->style & SS_TYPEMASK) > SS_WHITERECT)
                SetWindowLong(m_hwnd, GWL_EXSTYLE,
                              GetWindowLong(m_hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
            return Default(msg, wParam, lParam);
        case WM_NCHITTEST:
            return (style() & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        case WM_LBUTTONDOWN:
            if (style() & SS_NOTIFY) Command(STN_CLICKED);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (style() & SS_NOTIFY) Command(STN_DBLCLK);
            return 0;
        case WM_ENABLE:
            if (style() & SS_NOTIFY) Command(wParam ? STN_ENABLE : STN_DISABLE);
            Invalidate();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case STM_SETICON:
            return reinterpret_cast<LRESULT>(SetImage(reinterpret_cast<HANDLE>(wParam), true));
        case STM_GETICON:
            return m_imageIsIcon ? reinterpret_cast<LRESULT>(m_image) : 0;
        case STM_SETIMAGE:
            return reinterpret_cast<LRESULT>(
                SetImage(reinterpret_cast<HANDLE>(lParam), wParam != IMAGE_BITMAP));
        case STM_GETIMAGE:
            return (wParam == IMAGE_BITMAP) != m_imageIsIcon ? reinterpret_cast<LRESULT>(m_image)
                                                             : 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

// A picture static takes the picture's size unless it centres the picture.
HANDLE Static::SetImage(HANDLE image, bool icon) {
    HANDLE previous = m_image;
    m_image = image;
    m_imageIsIcon = icon;
    if (image && ShowsImage() && !(style() & (SS_CENTERIMAGE | SS_REALSIZEIMAGE))) {
        SIZE size{};
        if (icon) {
            size = {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
            ICONINFO info{};
            if (GetIconInfo(static_cast<HICON>(image), &info)) {
                BITMAP bm{};
                if (GetObject(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm))
                    size = {bm.bmWidth, bm.bmHeight};
                if (info.hbmColor) DeleteObject(info.hbmColor);
                if (info.hbmMask) DeleteObject(info.hbmMask);
            }
        } else {
            BITMAP bm{};
            if (GetObject(image, sizeof bm, &bm)) size = {bm.bmWidth, bm.bmHeight};
        }
        if (size.cx > 0 && size.cy > 0)
            SetWindowPos(m_hwnd, nullptr, 0, 0, size.cx, size.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Invalidate();
    return previous;
}

void Static::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    const RECT r = clientRect();
    const DWORD type = Type();
    if (type == SS_OWNERDRAW) {
        PaintOwnerDrawn(hdc, r);
    } else if (IsShape(type)) {
        FillAroundSiblings(hdc, AskColors(WM_CTLCOLORSTATIC, hdc, COLOR_STATIC, COLOR_STATICTEXT));
        StylePainter(hdc, m_font).StaticShape(r, type);
    } else {
        PaintText(hdc, r);
    }
    EndPaint(m_hwnd, &ps);
}

// The parent's colour handler may select a font of its own into the
// context: the text is drawn in it.
void Static::PaintText(HDC hdc, const RECT& r) {
    SelectObject(hdc, m_font ? m_font : GetStockObject(SYSTEM_FONT));
    HBRUSH brush = AskColors(WM_CTLCOLORSTATIC, hdc, COLOR_STATIC, COLOR_STATICTEXT);
    const COLORREF ink = GetTextColor(hdc);
    StylePainter painter(hdc, static_cast<HFONT>(GetCurrentObject(hdc, OBJ_FONT)));
    painter.Fill(r, brush);
    if (ShowsImage()) {
        painter.Picture(r, m_image, m_imageIsIcon, (style() & SS_CENTERIMAGE) != 0);
        return;
    }
    const std::wstring label = text();
    if (enabled())
        painter.Label(r, label, TextFormat(style()), ink);
    else
        painter.DisabledLabel(r, label, TextFormat(style()));
}

void Static::PaintOwnerDrawn(HDC hdc, const RECT& r) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = static_cast<UINT>(id());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = enabled() ? 0 : ODS_DISABLED;
    item.hwndItem = m_hwnd;
    item.hDC = hdc;
    item.rcItem = r;
    SendToParent(WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&item));
}

std::string Static::Describe() const {
    if (ShowsImage()) return m_image ? " image" : " no-image";
    return {};
}

}  // namespace quorvel::controls
