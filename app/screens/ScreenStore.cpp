#include "app/screens/ScreenStore.h"

#include <cmath>

#include "app/DeviceFiles.h"
#include "app/FrameMessages.h"
#include "app/points/DocStorePoint.h"
#include "app/points/MeasurePointStoreDlg.h"
#include "app/points/OffsetStoreDlg.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/Clock.h"
#include "res/resource.h"

namespace screens {
namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// Automatic points keep the name, code and antenna height the document
// holds. The name advances whatever the writers say: the files that did
// take the point keep their names unique. Whether the point file took it
// is the result; whether every file did is noted by the caller, last.
struct AutoWrite {
    bool point = false;  // the point file took the line
    bool whole = false;  // so did every other file of the point
};

AutoWrite StoreAutomatically(CVendropDoc& doc) {
    doc.m_strPointName = doc.m_strNextPointName;
    const BOOL point = doc.m_fileWriter.AppendMeasuredPoint();
    const BOOL record = doc.m_fileWriter.AppendRtkRecord(FALSE);
    doc.m_strNextPointName = doc.m_strPointName;
    const BOOL named = doc.AdvancePointNameUntold();
    return AutoWrite{point != FALSE, point && record && named};
}

// After the collection's state is complete: a box shown while another fix
// is handled finds the second done and the distance reference reset.
void NoteAutoWrite(const AutoWrite& write) {
    if (CMainFrame* frame = GetMainFrame()) frame->NoteSurveyWrite(kWriteAutoPoint, write.whole);
}

}  // namespace

StoreResult StorePoint(CVendropDoc& doc, CWnd* pOwner, StoreRoad road, BOOL haveFix,
                       const SurveyRecord& fix, PointRecord* stored) {
    HWND owner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    const bool keyD = road == StoreRoad::kKeyD;
    if (keyD && doc.m_nStoreType != 0) return StoreResult::kNotStored;
    if (!haveFix) {
        ::MessageBox(owner, LoadText(IDS_STRING61341), LoadText(IDS_STRING61314),
                     MB_OK | MB_ICONINFORMATION);
        return StoreResult::kRefused;
    }
    if ((road == StoreRoad::kKeyA || road == StoreRoad::kNavigationA ||
         road == StoreRoad::kViewA) &&
        !doc.m_bDiffAlive &&
        ::MessageBox(owner, LoadText(IDS_STRING61755), LoadText(IDS_STRING61314), MB_YESNO) !=
            IDYES)
        return StoreResult::kRefused;
    if (doc.m_nStoreType == 3) return StoreResult::kNotStored;
    doc.m_storeFix = fix;
    CString status;
    if (fix.nSolution == 10) {
        status = LoadText(IDS_STRING61343);
    } else {
        PlayAlarm();
        status = LoadText(IDS_STRING61342);
    }
    if (road == StoreRoad::kKeyA && fix.nSolution == 2) status = L"差分解";
    const BOOL codeIsName =
        !keyD && road != StoreRoad::kNavigationA && doc.m_sysParams.CodeSaveType == 1;
    BOOL written = FALSE;
    if (doc.m_nStoreType == 0 || doc.m_nStoreType == 2) {
        CMeasurePointStoreDlg dialog(pOwner);
        dialog.m_strStatus = status;
        dialog.m_bCodeIsName = codeIsName;
        if (dialog.DoModal() != IDOK) return StoreResult::kNotStored;
        if (keyD) {
            if (doc.m_bSmoothStore) return StoreResult::kNotStored;
            doc.m_strPointName = dialog.m_strName;
            doc.m_strPointCode = dialog.m_strCode;
            doc.m_dPointAntHeight = dialog.m_dAntHeight;
            written = points::WriteStoredPoint(doc, pOwner, FALSE, TRUE);
        } else {
            written = points::StoreConfirmedPoint(doc, pOwner, dialog);
        }
    } else if (doc.m_nStoreType == 1) {
        COffsetStoreDlg dialog(pOwner);
        dialog.m_strStatus = status;
        dialog.m_bCodeIsName = codeIsName;
        dialog.DoModal();
        written = dialog.m_bStored;
    } else {
        return StoreResult::kNotStored;
    }
    if (!written) return StoreResult::kNotStored;
    if (stored) doc.GetCurrentFix(*stored);
    return StoreResult::kStored;
}

bool MeetsAutoCondition(int condition, int solution) {
    switch (condition) {
        case 0:
            return solution >= 5;
        case 1:
            return solution > 5;
        case 2:
            return solution >= 8;
        case 3:
            return solution >= 10;
        default:
            return false;
    }
}

bool CollectAutomatically(CVendropDoc& doc, const SurveyRecord& fix, PointRecord* stored) {
    if (!doc.m_bAutoCollect || doc.m_nAutoInterval == 0) return false;
    const SurveyRecord& latest = doc.m_curFix;
    const int t = static_cast<int>((latest.nHour * 60 + latest.nMinute) * 60 + latest.dSecond);
    doc.m_storeFix = fix;
    const bool condition = MeetsAutoCondition(doc.m_sysParams.nAsCondition, fix.nSolution);
    bool due = false;
    AutoWrite write;
    if (doc.m_nStoreType == 3) {
        // At 5 or 10 Hz several fixes share the second: one point of it.
        const int interval = doc.m_nAutoCollectInterval;
        if (interval > 0 && t % interval == 0 && condition && t != doc.m_nAutoLastSecond) {
            write = StoreAutomatically(doc);
            doc.m_nAutoLastSecond = t;
            due = true;
        }
    } else if (doc.m_nStoreType == 4 && condition) {
        if (doc.m_bAutoRefSet == 0) {
            doc.m_dAutoRefN = doc.m_dAutoPrevN = fix.dX;
            doc.m_dAutoRefE = doc.m_dAutoPrevE = fix.dY;
            ++doc.m_bAutoRefSet;
        } else {
            const double step =
                std::hypot(latest.dX - doc.m_dAutoPrevN, latest.dY - doc.m_dAutoPrevE);
            doc.m_dAutoPrevN = fix.dX;
            doc.m_dAutoPrevE = fix.dY;
            const double d =
                std::hypot(doc.m_dAutoPrevN - doc.m_dAutoRefN, doc.m_dAutoPrevE - doc.m_dAutoRefE);
            if (d > doc.m_dAutoDistance || std::fabs(doc.m_dAutoDistance - d) <= step * 0.5) {
                write = StoreAutomatically(doc);
                doc.m_bAutoRefSet = 0;
                due = true;
            }
        }
    }
    if (!due) return false;
    if (write.point && stored) doc.GetCurrentFix(*stored);
    NoteAutoWrite(write);
    return write.point;
}

BOOL IsSecondBPress(int& nKeyMinute, int& nKeySecond) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    if (now.wMinute == nKeyMinute && now.wSecond < nKeySecond + 3) {
        nKeyMinute = -1;
        nKeySecond = 0;
        return TRUE;
    }
    nKeyMinute = now.wMinute;
    nKeySecond = now.wSecond;
    return FALSE;
}

}  // namespace screens
