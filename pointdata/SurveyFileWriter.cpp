// CSurveyFileWriter: construction, file names, the raw and depth-only
// lines, the measured point and the library pair. The .RTK and .BLH files
// are in SurveyFileWriterRtk.cpp.
#include "pointdata/SurveyFileWriter.h"

#include "pointdata/SurveyLines.h"

using namespace quorvel::pointdata;

CSurveyFileWriter::CSurveyFileWriter(SurveyDocFields* pDoc) : m_pDoc(pDoc) {}

CSurveyFileWriter::~CSurveyFileWriter() = default;

CString CSurveyFileWriter::MeasuredPointPath() const {
    if (m_pDoc == nullptr || m_pDoc->m_strDataFile.IsEmpty()) return CString();
    return m_pDoc->m_strDataDir + m_pDoc->m_strDataFile;
}

CString CSurveyFileWriter::RtkPath() const {
    const CString path = MeasuredPointPath();
    if (path.IsEmpty()) return path;
    return path.Left(path.GetLength() - 4) + L".RTK";
}

CString CSurveyFileWriter::BlhPath() const {
    const CString path = MeasuredPointPath();
    if (path.IsEmpty()) return path;
    return path.Left(path.GetLength() - 4) + L".BLH";
}

CString CSurveyFileWriter::LibPath() const {
    if (m_pDoc == nullptr || m_pDoc->m_strIniName.IsEmpty()) return CString();
    const CString& ini = m_pDoc->m_strIniName;
    return m_pDoc->m_strJobDir + ini.Left(ini.GetLength() - 3) + L"lib";
}

BOOL CSurveyFileWriter::AppendFieldRecord(const CString& path, const CStringRecord32& record) {
    return CAppendFile::AppendLineTo(path, FieldRecordLine(record));
}

BOOL CSurveyFileWriter::AppendTimedRecord(const CString& path, const DepthSample& sample) {
    return CAppendFile::AppendLineTo(path, TimedRecordLine(sample));
}

BOOL CSurveyFileWriter::AppendMeasuredPoint() {
    if (m_pDoc == nullptr) return FALSE;
    return CAppendFile::AppendLineTo(MeasuredPointPath(), MeasuredPointLine(*m_pDoc));
}

// The library's first line projects the fix's WGS84 latitude and longitude
// straight onto the job's ellipsoid and projection: no datum shift, no four
// parameters, no height fit.
BOOL CSurveyFileWriter::AppendLibRecords() {
    const CString path = LibPath();
    if (path.IsEmpty()) return FALSE;
    const CoordSysParams& p = m_pDoc->m_coordParams;
    CCoordTransform& engine = m_pDoc->m_coordTransform;
    engine.SetEllipsoid(p.szdDa, p.szdDf);
    engine.SetProjection(static_cast<double>(p.szlTx), static_cast<double>(p.szlTy), p.szdCenter,
                         p.szdTk, p.szdTlon, p.szdTHigh);
    double x = 0.0;
    double y = 0.0;
    engine.TransverseMercatorForward(m_pDoc->m_storeFix.dLat, m_pDoc->m_storeFix.dLon, x, y);

    if (!m_libFile.OpenToAppend(path)) return FALSE;
    // A failed line fails the close, which takes both lines back.
    (void)m_libFile.AppendLine(LibProjectedLine(*m_pDoc, x, y));
    (void)m_libFile.AppendLine(LibGridLine(*m_pDoc));
    return m_libFile.CloseAppended();
}
