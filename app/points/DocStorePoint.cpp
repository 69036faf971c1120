#include "app/points/DocStorePoint.h"

#include "app/points/MeasurePointStoreDlg.h"
#include "app/shell/VendropDoc.h"

namespace points {

BOOL WriteStoredPoint(CVendropDoc& doc, CWnd* pOwner, BOOL bSmoothed, BOOL bLibrary,
                      BOOL bAdvanceName) {
    CSurveyFileWriter& writer = doc.m_fileWriter;
    BOOL written = TRUE;
    if (bSmoothed) {
        written &= writer.AppendRtkRecordV1();
        written &= writer.AppendMeasuredPoint();
        writer.m_smoothEpochs.RemoveAll();
    } else {
        written &= writer.AppendMeasuredPoint();
        written &= writer.AppendRtkRecord(FALSE);
        if (bLibrary) written &= writer.AppendLibRecords();
    }
    if (!written) {
        ::MessageBox(pOwner ? pOwner->GetSafeHwnd() : nullptr, L"打开文件错误,请检查", L"提示",
                     MB_OK);
        return FALSE;
    }
    if (!bAdvanceName) return TRUE;
    doc.m_strNextPointName = doc.m_strPointName;
    doc.AdvancePointName();
    return TRUE;
}

BOOL StoreConfirmedPoint(CVendropDoc& doc, CWnd* pOwner, const CMeasurePointStoreDlg& dialog,
                         BOOL bAdvanceName) {
    doc.m_strPointName = dialog.m_strName;
    doc.m_strPointCode = dialog.m_strCode;
    doc.m_dPointAntHeight = dialog.m_dAntHeight;
    return WriteStoredPoint(doc, pOwner, doc.m_bSmoothStore, FALSE, bAdvanceName);
}

}  // namespace points
