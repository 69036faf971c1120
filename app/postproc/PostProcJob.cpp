#include "app/postproc/PostProcJob.h"

#include "app/DeviceFiles.h"
#include "app/calibration/ParamsFromControlFile.h"
#include "app/convert/ConvertText.h"
#include "app/convert/RtkConverter.h"
#include "app/postproc/FormatFile.h"
#include "app/postproc/PostProcText.h"
#include "platform/files/AtomicFile.h"

using namespace postproc;

namespace {

constexpr int kSourceControlFile = 0;

// The path less its last `count` characters, plus `tail`.
CString ResultPath(const CString& raw, int count, const CString& tail) {
    const int keep = raw.GetLength() > count ? raw.GetLength() - count : 0;
    return raw.Left(keep) + tail;
}

[[nodiscard]] BOOL WritePieces(const CString& path, const std::vector<std::string>& pieces) {
    quorvel::CAtomicFileWriter writer;
    if (!writer.Open(path)) return FALSE;
    for (const std::string& piece : pieces) {
        if (!piece.empty() && !writer.Write(piece.data(), piece.size())) return FALSE;
    }
    return writer.Commit();
}

}  // namespace

void CPostProcJob::Attach(const CoordSysParams& job, const SystemParams& settings,
                          const CArray<ResultFormatRecord>& formats, IPostProcMessages& messages) {
    m_pJob = &job;
    m_pSettings = &settings;
    m_pFormats = &formats;
    m_pMessages = &messages;
}

void CPostProcJob::SolveParamsFromControlFile(const CString& cotPath, CoordSysParams& params,
                                              double& dN, double& dE, double& dH) {
    ReadControlPointRows(cotPath, *m_pJob, m_ctrlPoints);
    int planeMode = 0;
    int heightMode = 0;
    SolveControlPointRows(m_ctrlPoints, *m_pJob, *m_pSettings, params, dN, dE, dH, planeMode,
                          heightMode);
}

int CPostProcJob::CorrectCoordinates(int nSource, const CString& cotPath, const CString& rawPath) {
    CoordSysParams params = *m_pJob;
    convert::GridShift shift;
    BOOL bCorrections = FALSE;
    if (nSource == kSourceControlFile) {
        SolveParamsFromControlFile(cotPath, params, shift.dx, shift.dy, shift.dh);
        if (convert::CorrectionsInUse(*m_pJob))
            bCorrections = m_pMessages->AskYesNo(kUseCorrections);
    }
    std::string bytes;
    if (!ReadWholeDeviceFile(rawPath, bytes)) {
        m_pMessages->Inform(kRawUnreadable);
        return 0;
    }
    std::vector<std::string> pieces;
    RewriteRawParts(bytes, convert::CGridChain(params, shift, bCorrections), pieces);
    bytes = std::string();  // the original's memory goes before the write
    if (!WritePieces(rawPath, pieces)) {
        m_pMessages->Inform(kRewriteFailed);
        return 0;
    }
    return 1;
}

BOOL CPostProcJob::LoadRawFile(const CString& rawPath) {
    m_rawPath = rawPath;
    std::string bytes;
    if (!ReadWholeDeviceFile(rawPath, bytes)) {
        m_pMessages->Inform(kOpenFailed);
        return FALSE;
    }
    m_records.RemoveAll();
    CollectStoredLines(bytes, m_records);
    return TRUE;
}

void CPostProcJob::SetOutputParams(double depthDatum, int formatIndex) {
    m_depthDatum = depthDatum;
    m_formatIndex = formatIndex;
}

BOOL CPostProcJob::Run() {
    m_resultFiles.RemoveAll();
    // The index comes from a combo that a hand-edited format file filled.
    if (m_formatIndex < 0 || m_formatIndex >= kFixedFormats + m_pFormats->GetSize()) return FALSE;
    SplitRecords();
    if (m_formatIndex == 0) return WriteSsdFile();
    if (m_formatIndex == 1) return WriteDepthFiles();
    return WriteCustomResultFiles();
}

void CPostProcJob::SplitRecords() {
    CArray<CString> processed;
    for (int i = 0; i < m_records.GetSize(); ++i) {
        if (m_records[i].IsEmpty()) continue;
        processed.Add(ProcessedRecord(m_records[i], m_depthDatum));
    }
    m_records.Copy(processed);
}

// A result that would replace the raw file, or two results of one run that
// name one file, is refused before anything is written.
BOOL CPostProcJob::PathsAreDistinct(std::initializer_list<const CString*> paths) {
    for (auto a = paths.begin(); a != paths.end(); ++a) {
        bool same = convert::SameDeviceFile(**a, m_rawPath) || (**a).CompareNoCase(m_rawPath) == 0;
        for (auto b = paths.begin(); b != a && !same; ++b)
            same = convert::SameDeviceFile(**a, **b) || (**a).CompareNoCase(**b) == 0;
        if (same) {
            m_pMessages->Inform(kSameFile);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CPostProcJob::WriteResult(const CString& path, const std::string& bytes, LPCTSTR failure) {
    if (!quorvel::WriteFileAtomic(path, bytes.data(), bytes.size())) {
        m_pMessages->Inform(failure);
        return FALSE;
    }
    m_resultFiles.Add(path);
    return TRUE;
}

BOOL CPostProcJob::WriteSsdFile() {
    const CString ssd = ResultPath(m_rawPath, 3, L"ssd");
    if (!PathsAreDistinct({&ssd})) return FALSE;
    return WriteResult(ssd, SsdText(m_records, true), kSsdFailed);
}

// The .ssd file is not listed: the .dat files are this format's results.
BOOL CPostProcJob::WriteDepthFiles() {
    const CString ssd = ResultPath(m_rawPath, 3, L"ssd");
    const CString bottom = ResultPath(m_rawPath, 4, L"_h.dat");
    const CString depth = ResultPath(m_rawPath, 4, L"_d.dat");
    if (!PathsAreDistinct({&ssd, &bottom, &depth})) return FALSE;
    const std::string ssdText = SsdText(m_records, false);
    if (!quorvel::WriteFileAtomic(ssd, ssdText.data(), ssdText.size())) {
        m_pMessages->Inform(kSsdFailed);
        return FALSE;
    }
    return WriteResult(bottom, DatText(m_records, 32), kBottomFailed) &&
           WriteResult(depth, DatText(m_records, 33), kDepthDatFailed);
}

BOOL CPostProcJob::WriteCustomResultFiles() {
    const ResultFormatRecord& f = (*m_pFormats)[m_formatIndex - kFixedFormats];
    const CString coord = ResultPath(m_rawPath, 3, f.m_strCoordExt);
    const CString depth = ResultPath(m_rawPath, 3, f.m_strDepthExt);
    if (!(f.m_bDepthFile ? PathsAreDistinct({&coord, &depth}) : PathsAreDistinct({&coord})))
        return FALSE;
    if (!WriteResult(coord,
                     CustomText(m_records, f.m_strSeparator, ParseFieldIndexes(f.m_strCoordFields)),
                     kCoordResultFailed))
        return FALSE;
    if (!f.m_bDepthFile) return TRUE;
    return WriteResult(
        depth, CustomText(m_records, f.m_strSeparator, ParseFieldIndexes(f.m_strDepthFields)),
        kDepthResultFailed);
}
