#include "platform/framework/GdiObject.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/framework/Dc.h"
#include "platform/framework/TempMap.h"
#include "platform/resources/Resources.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

struct PermanentMap {
    std::mutex mutex;
    std::unordered_map<HGDIOBJ, CGdiObject*> map;
};

PermanentMap& Permanent() {
    static PermanentMap* m = new PermanentMap;
    return *m;
}

CGdiObject* FindPermanent(HGDIOBJ h) {
    PermanentMap& p = Permanent();
    std::lock_guard<std::mutex> lock(p.mutex);
    auto it = p.map.find(h);
    return it == p.map.end() ? nullptr : it->second;
}

CGdiObject* NewOfType(HGDIOBJ h) {
    switch (::GetObjectType(h)) {
        case OBJ_PEN:
            return new CPen;
        case OBJ_BRUSH:
            return new CBrush;
        case OBJ_FONT:
            return new CFont;
        case OBJ_BITMAP:
            return new CBitmap;
        case OBJ_REGION:
            return new CRgn;
        default:
            return new CGdiObject;
    }
}

struct GdiTraits {
    static CGdiObject* Make(HGDIOBJ h) {
        CGdiObject* temp = NewOfType(h);
        temp->m_hObject = h;
        return temp;
    }
    static void Empty(CGdiObject& o) { o.m_hObject = nullptr; }
    static bool Alive(HGDIOBJ h) { return ::GetObjectType(h) != 0; }
};

thread_local quorvel::framework::TempMap<HGDIOBJ, CGdiObject, GdiTraits> t_temps;

template <class T, class H>
T* TypedFromHandle(H h) {
    return static_cast<T*>(CGdiObject::FromHandle(h));
}

}  // namespace

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    if (!hObject) return nullptr;
    if (CGdiObject* o = FindPermanent(hObject)) return o;
    return t_temps.FromHandle(hObject);
}

void CGdiObject::DeleteTempMap() {
    t_temps.Prune();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject || m_hObject) return FALSE;
    {
        PermanentMap& p = Permanent();
        std::lock_guard<std::mutex> lock(p.mutex);
        p.map[hObject] = this;
    }
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h) {
        PermanentMap& p = Permanent();
        std::lock_guard<std::mutex> lock(p.mutex);
        auto it = p.map.find(h);
        if (it != p.map.end() && it->second == this) p.map.erase(it);
    }
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const {
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
    return Attach(::GetStockObject(nIndex));
}

// ---- Pens, brushes, regions ----

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    CreatePen(nPenStyle, nWidth, crColor);
}
CPen* CPen::FromHandle(HPEN hPen) {
    return TypedFromHandle<CPen>(hPen);
}
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}
BOOL CPen::CreatePenIndirect(LOGPEN* lpLogPen) {
    return Attach(::CreatePenIndirect(lpLogPen));
}
int CPen::GetLogPen(LOGPEN* pLogPen) const {
    return GetObject(sizeof(LOGPEN), pLogPen);
}

CBrush::CBrush(COLORREF crColor) {
    CreateSolidBrush(crColor);
}
CBrush* CBrush::FromHandle(HBRUSH hBrush) {
    return TypedFromHandle<CBrush>(hBrush);
}
BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return Attach(::CreateSolidBrush(crColor));
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
    return Attach(::CreateBrushIndirect(lpLogBrush));
}
BOOL CBrush::CreateSysColorBrush(int nIndex) {
    return Attach(::GetSysColorBrush(nIndex));
}
int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const {
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

CRgn* CRgn::FromHandle(HRGN hRgn) {
    return TypedFromHandle<CRgn>(hRgn);
}
BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) {
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) {
    return Attach(::CreateRectRgnIndirect(lpRect));
}

// ---- Fonts ----

CFont* CFont::FromHandle(HFONT hFont) {
    return TypedFromHandle<CFont>(hFont);
}
BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return Attach(::CreateFontIndirect(lpLogFont));
}
BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCTSTR lpszFacename) {
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                               bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                               nQuality, nPitchAndFamily, lpszFacename));
}
BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName) {
        for (int i = 0; i < LF_FACESIZE - 1 && lpszFaceName[i]; ++i) {
            lf.lfFaceName[i] = lpszFaceName[i];
        }
    }
    return CreatePointFontIndirect(&lf, pDC);
}
// The height in tenths of a point becomes a character height in pixels,
// truncated as the device's framework did.
BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    HDC hdc = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    if (!pDC) ::ReleaseDC(nullptr, hdc);
    LOGFONT lf = *lpLogFont;
    const int pixels = dpi * lf.lfHeight / 720;
    lf.lfHeight = -(pixels < 0 ? -pixels : pixels);
    return CreateFontIndirect(&lf);
}
int CFont::GetLogFont(LOGFONT* pLogFont) const {
    return GetObject(sizeof(LOGFONT), pLogFont);
}

// ---- Bitmaps ----

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) {
    return TypedFromHandle<CBitmap>(hBitmap);
}
BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return Attach(::LoadBitmap(nullptr, MAKEINTRESOURCE(nIDResource)));
}
BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    return Attach(::LoadBitmap(nullptr, lpszResourceName));
}
BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, nWidth, nHeight));
}
int CBitmap::GetBitmap(BITMAP* pBitMap) const {
    return GetObject(sizeof(BITMAP), pBitMap);
}
