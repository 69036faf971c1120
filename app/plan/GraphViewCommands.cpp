// CGraphView: the frame's graph commands, zooms, the drawing files, the
// stylus (pan, window zoom, area delete, text placing) and the hot keys.
#include <algorithm>
#include <cmath>

#include "app/FrameMessages.h"
#include "app/plan/GraphView.h"
#include "app/shell/VendropDoc.h"
#include "graphics/DrawingFiles.h"
#include "res/resource.h"

namespace {

// The job folder ends with a backslash; the file names follow it.
CString InJob(const CString& jobDir, LPCTSTR name) {
    CString path = jobDir;
    if (path.IsEmpty() || path[path.GetLength() - 1] != L'\\') path += L"\\";
    return path + name;
}

CRect Ordered(CPoint a, CPoint b) {
    return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

}  // namespace

LRESULT CGraphView::OnGraphCommand(WPARAM wParam, LPARAM lParam) {
    CVendropDoc* doc = Doc();
    switch (static_cast<int>(wParam)) {
        case kGraphSetOrigin:
            if (lParam != 0) {
                const auto* v = reinterpret_cast<const double*>(lParam);
                // A stored window that is not a window is not applied.
                if (IsUsableWindow(v[0], v[1], v[2])) {
                    m_dOriginN = v[0];
                    m_dOriginE = v[1];
                    m_dScale = v[2];
                    Invalidate(FALSE);
                }
            }
            break;
        case kGraphZoomIn:
            if (m_dScale * 70 > 0.01) ApplyZoom(0.75);
            break;
        case kGraphZoomOut:
            ApplyZoom(1.3333333333333333);
            break;
        case kGraphZoomWindow:
            m_bZoomWindow = TRUE;
            break;
        case kGraphZoomAll:
            ZoomAll();
            break;
        case kGraphSave:
            if (doc != nullptr) (void)SaveGraphics(doc->m_strJobDir);  // a failure has had its box
            break;
        case kGraphLayoutArea:
            OnAreaLayout();
            break;
        case kGraphLayoutChannel:
            OnChannelLayout();
            break;
        case kGraphLayoutParallel:
            OnParallelLayout();
            break;
        case kGraphLayoutPerpendicular:
            OnPerpLayout();
            break;
        case kGraphAreaDelete:
            m_bAreaDelete = 1;
            break;
        case kGraphDrawText:
            m_nTool = 7;
            break;
        case kGraphLoad:
            if (CGraphLayer* layer = FirstLayer(); layer != nullptr && doc != nullptr) {
                LoadTextLayer(doc->m_strJobDir, *layer);
                LoadLineLayer(doc->m_strJobDir, *layer);
                LoadTrackFile(*layer);
                Invalidate(FALSE);
            }
            break;
        case kGraphClearLayout:
            ClearLayout();
            break;
        default:
            break;
    }
    CopyWindowToFrame();
    return 0;
}

// Keeps the middle of the drawing rectangle where it is.
void CGraphView::ApplyZoom(double factor) {
    double n = 0, e = 0;
    ScreenToWorld((m_rcDraw.left + m_rcDraw.right) / 2, (m_rcDraw.top + m_rcDraw.bottom) / 2, n, e);
    m_dScale *= factor;
    m_dOriginN = n - (m_rcDraw.bottom / 2) * m_dScale;
    m_dOriginE = e - (m_rcDraw.right / 2) * m_dScale;
    Invalidate(FALSE);
}

void CGraphView::ZoomAll() {
    bool any = false;
    double minN = 0, maxN = 0, minE = 0, maxE = 0;
    auto take = [&](double n, double e) {
        if (!any) {
            minN = maxN = n;
            minE = maxE = e;
            any = true;
            return;
        }
        minN = std::min(minN, n);
        maxN = std::max(maxN, n);
        minE = std::min(minE, e);
        maxE = std::max(maxE, e);
    };
    for (const auto& layer : m_layers) {
        if (layer->m_texts.m_bVisible)
            for (const CGraphText& t : layer->m_texts.m_items)
                take(t.m_ptAnchor.m_dX, t.m_ptAnchor.m_dY);
        if (layer->m_points.m_bVisible)
            for (const CGraphPoint& p : layer->m_points.m_items) take(p.m_dX, p.m_dY);
        if (layer->m_lines.m_bVisible)
            for (const CGraphLine& l : layer->m_lines.m_items) {
                take(l.m_ptStart.m_dX, l.m_ptStart.m_dY);
                take(l.m_ptEnd.m_dX, l.m_ptEnd.m_dY);
            }
    }
    const double h = m_rcDraw.Height(), w = m_rcDraw.Width();
    double scale = std::max((maxN - minN) / h, (maxE - minE) / w);
    if (!(scale >= 0.01)) scale = 0.01;
    scale *= 1.1;
    if (!IsUsableWindow((minN + maxN) / 2, (minE + maxE) / 2, scale)) return;
    m_dScale = scale;
    m_dOriginN = (minN + maxN) / 2 - h * scale / 2;
    m_dOriginE = (minE + maxE) / 2 - w * scale / 2;
    Invalidate(FALSE);
}

BOOL CGraphView::SaveTextLayer(const CString& jobDir) {
    CGraphLayer* layer = FirstLayer();
    return layer != nullptr && ::SaveTextLayer(InJob(jobDir, L"text.sg"), layer->m_texts);
}

BOOL CGraphView::SaveLineLayer(const CString& jobDir) {
    CGraphLayer* layer = FirstLayer();
    return layer != nullptr && ::SaveLineLayer(InJob(jobDir, L"line.sg"), layer->m_lines);
}

void CGraphView::LoadTextLayer(const CString& jobDir, CGraphLayer& layer) {
    LoadTextLayerFile(InJob(jobDir, L"text.sg"), layer.m_texts);
}

void CGraphView::LoadLineLayer(const CString& jobDir, CGraphLayer& layer) {
    LoadLineLayerFile(InJob(jobDir, L"line.sg"), layer.m_lines);
}

void CGraphView::LoadTrackFile(CGraphLayer& layer) {
    const CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    CString path;
    path.Format(L"%s%s%d.org", doc->m_strDataDir, doc->m_sysParams.szSFName,
                doc->m_sysParams.nSFStartID);
    ::LoadTrackFile(path, layer.m_points);
}

// A file that was not written is said so, and the drawing stays marked
// modified so that closing asks again.
BOOL CGraphView::SaveGraphics(const CString& jobDir) {
    if (FirstLayer() == nullptr) {
        MessageBox(L"当前没有画图层！", L"保存图形数据错误", MB_ICONEXCLAMATION);
        return FALSE;
    }
    const BOOL texts = SaveTextLayer(jobDir);
    const BOOL lines = SaveLineLayer(jobDir);
    if (!texts || !lines) {
        MessageBox(L"文件保存失败,请检查!", L"保存图形数据错误", MB_ICONEXCLAMATION);
        return FALSE;
    }
    MessageBox(L"图形数据保存完毕！", L"提示", MB_ICONINFORMATION);
    if (CVendropDoc* doc = Doc()) doc->m_bGraphModified = FALSE;
    return TRUE;
}

void CGraphView::ClearLayout() {
    CGraphLayer* layer = FirstLayer();
    if (layer == nullptr || MessageBox(L"确实清除所有布线吗?", L"提示", MB_YESNO) != IDYES) return;
    layer->m_lines.m_items.clear();
    layer->m_texts.m_items.clear();
    Invalidate(FALSE);
}

void CGraphView::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bZoomWindow || m_bAreaDelete) m_ptDown = point;
    m_ptDrag = point;
    if (m_nTool == 7) PlaceText(point);
    CView::OnLButtonDown(nFlags, point);
}

// The band is drawn inverted: drawing it again where it was removes it.
void CGraphView::DrawBand(CDC* pDC, CPoint corner) {
    const POINT path[] = {
        m_ptDown, {m_ptDown.x, corner.y}, corner, {corner.x, m_ptDown.y}, m_ptDown};
    pDC->Polyline(path, 5);
}

void CGraphView::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bZoomWindow || m_bAreaDelete) {
        CClientDC dc(this);
        const int oldMode = dc.SetROP2(R2_NOT);
        CPen dashed;
        dashed.CreatePen(PS_DASH, 0, RGB(0, 0, 0));
        CPen* oldPen = dc.SelectObject(&dashed);
        if (m_ptBand != CPoint(-1, -1)) DrawBand(&dc, m_ptBand);
        DrawBand(&dc, point);
        m_ptBand = point;
        dc.SelectObject(oldPen);
        dc.SetROP2(oldMode);
    } else if (m_ptDrag != CPoint(-1, -1) && (nFlags & MK_LBUTTON)) {
        m_dOriginN -= (m_ptDrag.y - point.y) * m_dScale;
        m_dOriginE -= (point.x - m_ptDrag.x) * m_dScale;
        m_ptDrag = point;
        Invalidate(FALSE);
        UpdateWindow();
    }
    CView::OnMouseMove(nFlags, point);
}

void CGraphView::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bZoomWindow) {
        m_bZoomWindow = FALSE;
        m_ptBand = CPoint(-1, -1);
        SetWindowAround(Ordered(m_ptDown, point));
    } else if (m_bAreaDelete) {
        m_bAreaDelete = 0;
        m_ptBand = CPoint(-1, -1);
        DeleteInArea(Ordered(m_ptDown, point));
    }
    CopyWindowToFrame();
    CView::OnLButtonUp(nFlags, point);
}

void CGraphView::SetWindowAround(const CRect& band) {
    double n = 0, e = 0;
    ScreenToWorld((band.left + band.right) / 2, (band.top + band.bottom) / 2, n, e);
    const double s1 = band.Height() * m_dScale / m_rcDraw.Height();
    const double s2 = band.Width() * m_dScale / m_rcDraw.Width();
    double scale = std::min(s1, s2);
    if (!(scale > 0.01)) scale = 0.01;
    m_dScale = scale;
    m_dOriginN = n - (m_rcDraw.bottom / 2) * scale;
    m_dOriginE = e - (m_rcDraw.right / 2) * scale;
    Invalidate(FALSE);
}
