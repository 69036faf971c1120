// The one way a confirmed point reaches the job's survey files, whatever
// screen or dialog confirmed it: the writer sequence for the document's
// point fields, then the next name. A point that did not reach its files
// is said so ("打开文件错误,请检查") and keeps its name for the next try.
#pragma once

#include "platform/framework/Afx.h"

class CVendropDoc;
class CMeasurePointStoreDlg;

namespace points {

// The document's m_strPointName, m_strPointCode, m_dPointAntHeight and
// m_storeFix as they stand. bSmoothed: one .RTK line per collected epoch
// and the measured-point line (the epoch list is emptied afterwards);
// otherwise the measured-point line, then the .RTK and .BLH lines, and with
// bLibrary the point's two lines in the job's coordinate library. On
// success the stored name is remembered and the next one proposed (unless
// bAdvanceName is FALSE: the point stake-out screen keeps the name).
[[nodiscard]] BOOL WriteStoredPoint(CVendropDoc& doc, CWnd* pOwner, BOOL bSmoothed,
                                    BOOL bLibrary = FALSE, BOOL bAdvanceName = TRUE);

// After the measured-point store dialog's IDOK: its name, code and
// vertical antenna height into the document, then the writer sequence
// (smoothed when the document stores by smoothing).
[[nodiscard]] BOOL StoreConfirmedPoint(CVendropDoc& doc, CWnd* pOwner,
                                       const CMeasurePointStoreDlg& dialog,
                                       BOOL bAdvanceName = TRUE);

}  // namespace points
