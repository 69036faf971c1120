// CGraphView: the four survey-line layouts. Each runs its dialog, hands the
// values to a fresh engine and adds the lines it makes to the first layer,
// named and coloured by kind. A layout that would make more than
// kMaxLayoutLines lines is refused whole before anything is added.
#include <algorithm>
#include <cmath>

#include "app/plan/GraphView.h"
#include "app/plan/LayoutDlgs.h"
#include "app/shell/VendropDoc.h"
#include "geodesy/CoordTransform.h"
#include "graphics/LineLayout.h"

namespace {

constexpr COLORREF kLayoutPen = 0xFFC0C0;
constexpr COLORREF kBasePen = 0;
constexpr COLORREF kNameColor = 0x848484;

CString Numbered(int i) {
    CString name;
    name.Format(L"%03d", i);
    return name;
}

BOOL RefuseTooMany(CWnd* pView, long long lines) {
    if (lines <= kMaxLayoutLines) return FALSE;
    pView->MessageBox(L"布线条数超过10000条,请加大间距!", L"提示", MB_OK | MB_ICONINFORMATION);
    return TRUE;
}

}  // namespace

void CGraphView::AddLine(const CNamedPoint& a, const CNamedPoint& b, const CString& name,
                         COLORREF pen) {
    CGraphLayer* layer = FirstLayer();
    if (layer == nullptr) return;
    CGraphLine line;
    line.m_strName = name;
    line.m_ptStart = a;
    line.m_ptEnd = b;
    line.m_crPen = pen;
    line.m_nPenWidth = 1;
    line.m_nPenStyle = PS_SOLID;
    line.m_crText = kNameColor;
    layer->m_lines.m_items.push_back(line);
}

void CGraphView::FinishLayout() {
    if (CVendropDoc* doc = Doc()) doc->m_bGraphModified = TRUE;
    Invalidate(FALSE);
}

void CGraphView::OnAreaLayout() {
    CAreaLayoutDlg dialog(this);
    if (dialog.DoModal() != IDOK) return;
    CLineLayout engine;
    engine.m_polygon = dialog.m_points;
    engine.m_axis = dialog.m_points;
    const double azimuth = CCoordTransform::ConvertDmsRadian(dialog.m_dAzimuth, 1);
    if (RefuseTooMany(this, engine.CountAreaLines(azimuth, dialog.m_dSpacing))) return;
    engine.GenerateAreaLines(azimuth, dialog.m_dSpacing);
    CString last;
    for (size_t i = 0; i < engine.m_records.size(); ++i) {
        const auto& pts = engine.m_records[i]->m_points;
        for (size_t j = 0; j + 1 < pts.size(); j += 2) {
            last = Numbered(static_cast<int>(i) + 1);
            AddLine(pts[j], pts[j + 1], last, kLayoutPen);
        }
    }
    const auto& boundary = dialog.m_points;
    if (dialog.m_bBoundary && !boundary.empty()) {
        for (size_t k = 0; k + 1 < boundary.size(); ++k)
            AddLine(boundary[k], boundary[k + 1], L"", kLayoutPen);
        AddLine(boundary.back(), boundary.front(), last, kLayoutPen);
    }
    FinishLayout();
}

void CGraphView::OnParallelLayout() {
    CParallelLayoutDlg dialog(this);
    if (dialog.DoModal() != IDOK) return;
    const long long left = std::max(dialog.m_nLeftCount, 0),
                    right = std::max(dialog.m_nRightCount, 0);
    if (RefuseTooMany(this, 1 + left + right)) return;
    CLineLayout engine;
    CNamedSegment base;
    base.m_ptStart.m_dX = dialog.m_dStartX;
    base.m_ptStart.m_dY = dialog.m_dStartY;
    base.m_ptEnd.m_dX = dialog.m_dEndX;
    base.m_ptEnd.m_dY = dialog.m_dEndY;
    AddLine(base.m_ptStart, base.m_ptEnd, L"", kBasePen);
    for (long long k = 1; k <= left; ++k) {
        const CNamedSegment s =
            engine.OffsetSegment(base, static_cast<double>(k) * dialog.m_dSpacing, 1);
        AddLine(s.m_ptStart, s.m_ptEnd, L"", kBasePen);
    }
    for (long long k = 1; k <= right; ++k) {
        const CNamedSegment s =
            engine.OffsetSegment(base, static_cast<double>(k) * dialog.m_dSpacing, 0);
        AddLine(s.m_ptStart, s.m_ptEnd, L"", kBasePen);
    }
    FinishLayout();
}

void CGraphView::OnPerpLayout() {
    CPerpLayoutDlg dialog(this);
    if (dialog.DoModal() != IDOK || dialog.m_points.size() < 2) return;
    CLineLayout engine;
    engine.m_axis = dialog.m_points;
    if (RefuseTooMany(this, engine.CountPerpLines(dialog.m_dSpacing))) return;
    engine.GeneratePerpLines(dialog.m_dLeft, dialog.m_dRight, dialog.m_dSpacing);
    CString last;
    for (size_t i = 0; i < engine.m_perpSegments.size(); ++i) {
        last = Numbered(static_cast<int>(i) + 1);
        AddLine(engine.m_perpSegments[i].m_ptStart, engine.m_perpSegments[i].m_ptEnd, last,
                kLayoutPen);
    }
    const auto& axis = dialog.m_points;
    for (size_t k = 0; k + 1 < axis.size(); ++k) AddLine(axis[k], axis[k + 1], last, kLayoutPen);
    AddLine(axis.back(), axis.front(), last, kLayoutPen);
    FinishLayout();
}

void CGraphView::OnChannelLayout() {
    CChannelLayoutDlg dialog(this);
    if (dialog.DoModal() != IDOK || dialog.m_points.size() < 2) return;
    CLineLayout engine;
    engine.m_axis = dialog.m_points;
    const double half[4] = {dialog.m_dChannelWidth / 2, dialog.m_dSurveyWidth / 2,
                            dialog.m_dChannelWidth / 2, dialog.m_dSurveyWidth / 2};
    const int sides[4] = {1, 1, 0, 0};
    std::vector<CNamedPoint> polylines[4];
    for (int k = 0; k < 4; ++k) {
        engine.GenerateChannelLines(half[k], sides[k]);
        polylines[k] = engine.m_chosen;
    }
    const std::vector<CNamedPoint>& side1 = polylines[1];
    const std::vector<CNamedPoint>& side0 = polylines[3];
    const auto& axis = dialog.m_points;
    // Each axis segment's strip between the survey bounds, filled with
    // lines across the channel.
    std::vector<CLineLayout> strips(axis.size() - 1);
    std::vector<double> directions(axis.size() - 1);
    long long total = 0;
    for (size_t i = 0; i + 1 < axis.size(); ++i) {
        strips[i].m_polygon = {side1[i], side1[i + 1], side0[i + 1], side0[i]};
        double d = std::atan2(axis[i + 1].m_dY - axis[i].m_dY, axis[i + 1].m_dX - axis[i].m_dX) +
                   1.57079632679485;
        if (d > 6.2831853071794) d -= 6.2831853071794;
        directions[i] = d;
        total += strips[i].CountAreaLines(d, dialog.m_dSpacing);
    }
    if (RefuseTooMany(this, total)) return;
    for (const auto& polyline : polylines)
        for (size_t k = 0; k + 1 < polyline.size(); ++k)
            AddLine(polyline[k], polyline[k + 1], L"", kLayoutPen);
    for (size_t k = 0; k + 1 < axis.size(); ++k) AddLine(axis[k], axis[k + 1], L"", kLayoutPen);
    for (size_t k = 0; k < side0.size() && k < side1.size(); ++k)
        AddLine(side0[k], side1[k], L"", kLayoutPen);
    for (size_t i = 0; i < strips.size(); ++i) {
        strips[i].GenerateAreaLines(directions[i], dialog.m_dSpacing);
        for (const auto& record : strips[i].m_records)
            for (size_t j = 0; j + 1 < record->m_points.size(); j += 2)
                AddLine(record->m_points[j], record->m_points[j + 1], L"", kLayoutPen);
    }
    FinishLayout();
}
