// CSurveyFileWriter: the .RTK record file and its .BLH companion.
//
// The .RTK file opens with "Rem " lines written only by the call that
// creates it: the point writer's version, time, datum, projection, seven
// and four parameters, height fit and base; the smoothing writer's own
// version and base line. The .BLH file never has a header.
#include "pointdata/SurveyFileWriter.h"

#include "pointdata/SurveyLines.h"

using namespace quorvel::pointdata;

// Opens the .RTK file for appending; a file this call creates gets the
// header of the writer that creates it.
BOOL CSurveyFileWriter::OpenRtkFile(const CString& path, BOOL bSmoothing) {
    BOOL bCreated = FALSE;
    if (path.IsEmpty() || !m_rtkFile.OpenToAppend(path, &bCreated)) return FALSE;
    if (!bCreated) return TRUE;
    CString header[7];
    RtkHeaderLines(*m_pDoc, bSmoothing ? RtkHeaderKind::kSmoothing : RtkHeaderKind::kPoint, header);
    // A failed header line is kept and fails the record's close.
    for (const CString& line : header) (void)m_rtkFile.AppendLine(line);
    (void)m_rtkFile.AppendLine(bSmoothing
                                   ? SmoothingBaseLine(m_pDoc->m_coordParams, m_pDoc->m_curFix)
                                   : RtkBaseLine(m_pDoc->m_coordParams));
    return TRUE;
}

BOOL CSurveyFileWriter::AppendRtkRecord(BOOL bBaseOnly) {
    if (m_pDoc == nullptr) return FALSE;
    BOOL ok = FALSE;
    if (OpenRtkFile(RtkPath(), FALSE)) {
        // A failed line fails the close.
        (void)m_rtkFile.AppendLine(bBaseOnly ? RtkBaseLine(m_pDoc->m_coordParams)
                                             : RtkPointLine(*m_pDoc));
        ok = m_rtkFile.CloseAppended();
    }
    if (bBaseOnly) return ok;
    // The .BLH file stands alone: it is written even when the .RTK file
    // could not be.
    const BOOL blhOk = AppendBlhLine();
    return ok && blhOk;
}

// The grid values of the stored fix are taken back to WGS84 with the job's
// parameters; the line's height stays the fix's own ellipsoidal height.
BOOL CSurveyFileWriter::AppendBlhLine() {
    const SurveyRecord& fix = m_pDoc->m_storeFix;
    const CoordSysParams params = m_pDoc->m_coordParams;
    double lat = 0.0;
    double lon = 0.0;
    double height = 0.0;
    m_pDoc->m_coordTransform.GridToWgs84(fix.dX, fix.dY, fix.dGridH, params, lat, lon, height);

    return CAppendFile::AppendLineTo(BlhPath(), BlhPointLine(*m_pDoc, lat, lon));
}

BOOL CSurveyFileWriter::AppendRtkRecordV1() {
    if (m_pDoc == nullptr || !OpenRtkFile(RtkPath(), TRUE)) return FALSE;
    for (int i = 0; i < m_smoothEpochs.GetSize(); ++i) {
        // A failed line fails the close.
        (void)m_rtkFile.AppendLine(SmoothingEpochLine(*m_pDoc, m_smoothEpochs[i]));
    }
    return m_rtkFile.CloseAppended();
}
