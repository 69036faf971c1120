// CPostProcJob: the work of the post-processing wizard, without a window.
//
// A run, in calling order: CorrectCoordinates (the recompute mode only),
// LoadRawFile, SetOutputParams, Run. The raw file ("*.org") holds one line
// of 32 comma-separated fields per receiver epoch (the main frame's
// recording); field 25 is "1" for an epoch stored as a point.
//
// CorrectCoordinates recomputes grid north, east and height (fields 7, 8,
// 9) of every raw line from its packed latitude and longitude (3, 4) and
// ellipsoidal height (5) through the conversions' chain (convert::
// CGridChain) on a copy of the job's parameters: with source 0 the shifts,
// four parameters or height fit solved from a control-point file, and the
// job's corrections when the user agrees; with source 1 the job's own
// parameters and no corrections. A line is rewritten as its fields 0..6,
// x, y, h less the antenna height (field 6) in "%.3f", fields 10..31, each
// followed by ","; a line whose latitude or longitude is no number, or
// whose result is not finite, is kept as it was. The file is replaced
// whole: whatever the line reader did not reach (from the first empty line
// on, a last line without LF) follows the lines byte for byte, and a
// failure leaves the original untouched.
//
// A processed record is the 32 fields of a stored raw line each followed
// by ",", then "%.3f," of the bottom elevation (field 9 - field 20) and of
// the depth datum less it (fields 32, 33). Run writes them as the format
// index says: 0 the .ssd file, 1 the .ssd and the two .dat files, 2 and up
// the document's user-defined format at index - 2. Result files are
// written whole, each replacing its old file only when complete, and only
// files actually written are listed in m_resultFiles.
#pragma once

#include <initializer_list>

#include "app/coordsys/ControlPointRow.h"
#include "app/postproc/PostProcMessages.h"
#include "app/postproc/ResultFormatRecord.h"
#include "app/settings/SystemParams.h"
#include "geodesy/CoordSysParams.h"
#include "platform/base/CArray.h"

class CPostProcJob {
  public:
    static constexpr int kMaxControlPoints = 50;

    CArray<ControlPointRow> m_ctrlPoints;  // at most 50 rows
    CArray<CString> m_records;
    CString m_rawPath;
    CArray<CString> m_resultFiles;
    double m_depthDatum = 0.0;
    int m_formatIndex = 0;

    // What the job takes from the document: the job's parameters and
    // settings, the user's formats and where messages go. All must outlive
    // the runs.
    void Attach(const CoordSysParams& job, const SystemParams& settings,
                const CArray<ResultFormatRecord>& formats, postproc::IPostProcMessages& messages);

    // 1 when the raw file was rewritten; 0 when it could not be read or
    // replaced (after the message).
    [[nodiscard]] int CorrectCoordinates(int nSource, const CString& cotPath,
                                         const CString& rawPath);
    // An unreadable control-point file contributes no points.
    void SolveParamsFromControlFile(const CString& cotPath, CoordSysParams& params, double& dN,
                                    double& dE, double& dH);
    // FALSE (after "打开文件错误,请检查") when the file cannot be read; the
    // records then stay as they were.
    BOOL LoadRawFile(const CString& rawPath);
    void SetOutputParams(double depthDatum, int formatIndex);
    // TRUE when every result file of the format was written.
    [[nodiscard]] BOOL Run();
    void SplitRecords();
    [[nodiscard]] BOOL WriteSsdFile();
    [[nodiscard]] BOOL WriteDepthFiles();
    [[nodiscard]] BOOL WriteCustomResultFiles();

  private:
    BOOL PathsAreDistinct(std::initializer_list<const CString*> paths);
    [[nodiscard]] BOOL WriteResult(const CString& path, const std::string& bytes, LPCTSTR failure);

    const CoordSysParams* m_pJob = nullptr;
    const SystemParams* m_pSettings = nullptr;
    const CArray<ResultFormatRecord>* m_pFormats = nullptr;
    postproc::IPostProcMessages* m_pMessages = nullptr;
};
