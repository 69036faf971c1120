#include "app/stakeout/StakeoutScreen.h"

#include <algorithm>
#include <cmath>

#include "app/points/MeasurePointLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "app/stakeout/StakeoutDraw.h"
#include "app/stakeout/StakeoutFiles.h"
#include "platform/base/Clock.h"

namespace stakeout {

void StyleScreenButtons(COwnerDrawButton* buttons, const int* icons, int count, CFont* font) {
    for (int i = 0; i < count; ++i) {
        COwnerDrawButton& b = buttons[i];
        b.SetFont(font);
        b.SetIcon(icons[i], 30, 30);
        b.SetColor(0, ::GetSysColor(COLOR_BTNFACE) + 0x1E1E1E);
        b.SetColor(1, RGB(0, 128, 0));
        b.SetAlign(2);
        b.SetFlat(FALSE);
    }
}

void FitPlanView(CWnd& plan, PlanView& view, RECT& frame) {
    RECT client;
    plan.GetClientRect(&client);
    view.rect = client;
    frame = {client.left + 6, client.top + 6, client.right - 6, client.bottom - 6};
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    view.SetScale(50.0 / std::max(1, std::min(fw, fh)));
}

bool DragPlan(CWnd& plan, PlanView& view, bool windowZoom, POINT anchor, POINT& corner,
              POINT& panFrom, POINT p) {
    if (windowZoom) {
        if (anchor.x != -1) {
            CDC* dc = plan.GetDC();
            DrawRubberBand(dc, anchor, corner);
            corner = p;
            DrawRubberBand(dc, anchor, corner);
            plan.ReleaseDC(dc);
        }
        return false;
    }
    if (panFrom.x == -1 || (p.x == panFrom.x && p.y == panFrom.y)) return false;
    view.Drag(panFrom, p);
    panFrom = p;
    return true;
}

bool StepMarker(CDC* dc, const PlanView& view, double n, double e, bool single, MarkerShape& marker,
                double& prevN, double& prevE, BOOL& hasPrevious) {
    const double dN = n - prevN, dE = e - prevE;
    const bool moved = !hasPrevious || std::fabs(dN) >= 1e-6 || std::fabs(dE) >= 1e-6;
    const bool redraw = moved || marker.count == 0;
    if (redraw) {
        const MarkerShape shape = ComputeMarker(view, n, e, moved ? dN : 0.0, moved ? dE : 0.0,
                                                single, hasPrevious && moved);
        DrawMarker(dc, marker);
        DrawMarker(dc, shape);
        marker = shape;
    }
    prevN = n;
    prevE = e;
    hasPrevious = 1;
    return redraw;
}

void RecordStoredPoint(CWnd* owner, const CVendropDoc& doc, std::vector<PointRecord>& recorded,
                       const CString& libraryPath, LPCTSTR ext) {
    PointRecord p;
    p.strName = doc.m_strPointName;
    p.dX = doc.m_storeFix.dX;
    p.dY = doc.m_storeFix.dY;
    p.dH = doc.m_storeFix.dGridH;
    p.strCode = doc.m_strPointCode;
    recorded.push_back(p);
    const CString path = RecordPathFor(libraryPath, ext);
    if (path.IsEmpty()) return;
    if (!AppendRecord(path, p)) owner->MessageBox(L"打开文件错误,请检查", L"提示", MB_OK);
}

void OpenLibraryOnSecondPress(CWnd* owner, int& keyMinute, int& keySecond) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    if (now.wMinute == keyMinute && now.wSecond < keySecond + 3) {
        keyMinute = -1;
        keySecond = 0;
        CMeasurePointLibDlg dialog(owner);
        dialog.DoModal();
        return;
    }
    keyMinute = now.wMinute;
    keySecond = now.wSecond;
}

}  // namespace stakeout
