#include "platform/framework/ImageList.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/framework/Dc.h"
#include "platform/framework/GdiObject.h"
#include "platform/framework/TempMap.h"
#include "platform/resources/Resources.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

struct Maps {
    std::mutex mutex;
    std::unordered_map<HIMAGELIST, CImageList*> permanent;
};

Maps& ImageMaps() {
    static Maps* m = new Maps;
    return *m;
}

struct ImageListTraits {
    static CImageList* Make(HIMAGELIST h) {
        auto* temp = new CImageList;
        temp->m_hImageList = h;
        return temp;
    }
    static void Empty(CImageList& list) { list.m_hImageList = nullptr; }
    static bool Alive(HIMAGELIST h) {
        int cx = 0, cy = 0;
        return ImageList_GetIconSize(h, &cx, &cy) != FALSE;
    }
};

thread_local quorvel::framework::TempMap<HIMAGELIST, CImageList, ImageListTraits> t_temps;

}  // namespace

CImageList::~CImageList() {
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
    if (!hImageList) return nullptr;
    {
        Maps& m = ImageMaps();
        std::lock_guard<std::mutex> lock(m.mutex);
        auto it = m.permanent.find(hImageList);
        if (it != m.permanent.end()) return it->second;
    }
    return t_temps.FromHandle(hImageList);
}

void CImageList::DeleteTempMap() {
    t_temps.Prune();
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (!hImageList || m_hImageList) return FALSE;
    {
        Maps& m = ImageMaps();
        std::lock_guard<std::mutex> lock(m.mutex);
        m.permanent[hImageList] = this;
    }
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST h = m_hImageList;
    if (h) {
        Maps& m = ImageMaps();
        std::lock_guard<std::mutex> lock(m.mutex);
        auto it = m.permanent.find(h);
        if (it != m.permanent.end() && it->second == this) m.permanent.erase(it);
    }
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Attach(ImageList_LoadBitmap(nullptr, MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr,
                         pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr,
                               crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, pDC ? pDC->m_hDC : nullptr, pt.x, pt.y, nStyle);
}
