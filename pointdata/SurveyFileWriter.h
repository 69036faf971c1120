// CSurveyFileWriter: the one appender of a job's survey data files. The
// document owns one and attaches itself (SurveyDocFields); every survey
// path writes through it:
//   - raw epoch lines (".org") while a measurement runs;
//   - depth-only lines (".deh") while depths are recorded without positions;
//   - a stored point: the measured-point file, the .RTK record file and its
//     .BLH companion (or, for a smoothed point, one .RTK line per epoch),
//     and for one store road two lines of the job's coordinate library;
//   - the base-station line of the .RTK file when the receiver reports its
//     reference station.
//
// Every record is appended on its own: the file is created when missing,
// opened without truncation, written at its end and closed, so no file
// stays open between records. Lines are written whole, whatever their
// length, in code page 936 with CR LF (see CAppendFile for a torn tail).
//
// Every operation returns whether everything it meant to write was
// written. A file that cannot be opened (a missing folder, a folder in its
// place, a read-only file, a full store) gets nothing; the other files of
// the same call are still written, and the caller goes on.
//
// File names: the measured-point file is m_strDataDir + m_strDataFile; the
// .RTK and .BLH files replace its last four characters; the coordinate
// library is m_strJobDir + m_strIniName with "lib" in place of its last
// three characters. All calls run on the user-interface thread.
#pragma once

#include "platform/base/CArray.h"
#include "platform/base/CString.h"
#include "pointdata/AppendFile.h"
#include "pointdata/StringRecord32.h"
#include "pointdata/SurveyDocFields.h"
#include "receiver/DepthSample.h"
#include "receiver/SurveyRecord.h"

class CSurveyFileWriter {
  public:
    explicit CSurveyFileWriter(SurveyDocFields* pDoc = nullptr);
    virtual ~CSurveyFileWriter();
    CSurveyFileWriter(const CSurveyFileWriter&) = delete;
    CSurveyFileWriter& operator=(const CSurveyFileWriter&) = delete;

    // The document whose fields the point writers read; until one is
    // attached they write nothing and return FALSE.
    void Attach(SurveyDocFields* pDoc) { m_pDoc = pDoc; }

    // One raw epoch line: the 32 fields, each followed by ",".
    [[nodiscard]] BOOL AppendFieldRecord(const CString& path, const CStringRecord32& record);
    // One depth-only line "%s,%d-%02d-%02d,%02d:%2d:%02d,%.2f".
    [[nodiscard]] BOOL AppendTimedRecord(const CString& path, const DepthSample& sample);
    // The stored point's line in the measured-point file.
    [[nodiscard]] BOOL AppendMeasuredPoint();
    // bBaseOnly FALSE: the stored point's .RTK and .BLH lines; TRUE: one
    // "Rem BaseStation" line in the .RTK file. A missing .RTK file first
    // gets its header; a missing .BLH file is created without one.
    [[nodiscard]] BOOL AppendRtkRecord(BOOL bBaseOnly);
    // One .RTK line per epoch of m_smoothEpochs; a missing .RTK file first
    // gets the smoothing writer's header. Nothing goes to the .BLH file.
    [[nodiscard]] BOOL AppendRtkRecordV1();
    // The stored point's two lines in the job's coordinate library.
    [[nodiscard]] BOOL AppendLibRecords();

    // Empty when the document holds no data file (or no ini name).
    CString MeasuredPointPath() const;
    CString RtkPath() const;
    CString BlhPath() const;
    CString LibPath() const;

    // The epochs a smoothing store collected; the store dialog fills it and
    // the caller empties it after the point is written.
    CArray<SurveyRecord> m_smoothEpochs;

  private:
    [[nodiscard]] BOOL OpenRtkFile(const CString& path, BOOL bSmoothing);
    [[nodiscard]] BOOL AppendBlhLine();

    SurveyDocFields* m_pDoc = nullptr;
    CAppendFile m_libFile;  // the coordinate library
    CAppendFile m_rtkFile;  // the .RTK file
};
