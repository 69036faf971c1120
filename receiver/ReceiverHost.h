// IReceiverHost: what the receiver decoders need of the program around
// them. The document of the running job implements it; the decoders hold
// no job state of their own, so that the same parser serves every job and
// tests can watch every effect through a recording implementation.
//
// All calls come from the thread that parses (the user-interface thread).
#pragma once

#include "geodesy/CoordSysParams.h"
#include "geodesy/CoordTransform.h"
#include "platform/base/CString.h"
#include "receiver/SurveyRecord.h"

class IReceiverHost {
  public:
    virtual ~IReceiverHost() = default;

    // ---- The job's coordinate system ----
    // The job's coordinate parameters. The base-station sentences write
    // szdBaseLat/Lon/Hgt, szdBaseX/Y/H and the first calibration source
    // point szdSx0/Sy0/Sh0 into it; everything else is only read.
    virtual CoordSysParams& CoordParams() = 0;
    // The document's coordinate engine, shared with the rest of the program.
    virtual CCoordTransform& Engine() = 0;
    // Rewrites the job's .par file from CoordParams(). FALSE when the file
    // could not be written (the caller tells it through NoteBaseFileWrite).
    [[nodiscard]] virtual BOOL WriteCoordParams() = 0;

    // ---- Settings read by the decoders ----
    // SystemParams nFixLevel: how a wide-lane integer solution counts
    // (0 float, 1 fixed, anything else: left as it was).
    virtual int FixLevel() const = 0;
    // SystemParams nTimeZone: hours added to UTC for the local time of a
    // GGA fix.
    virtual int TimeZone() const = 0;
    // The main frame's measured-point offset ("测量点偏移" X and Y), metres:
    // X to the right of the direction of travel, Y along it.
    virtual void GetMeasuredPointOffset(double& x, double& y) const = 0;

    // ---- The document's fix and flags ----
    // The document's current fix (m_curFix): read by PBN, written whole by
    // BESTPOSA and in its identification fields by GPXXX.
    virtual SurveyRecord& CurrentFix() = 0;
    // A GGA passed its checksum (m_bGgaSeen = 1).
    virtual void SetGgaSeen() = 0;
    // The antenna constant of the receiver model, metres (m_dAntennaConst).
    virtual void SetAntennaConstant(double metres) = 0;
    // The receiver family reported by GPXXX: 0 or 1 (m_nReceiverVariant).
    virtual void SetReceiverVariant(int variant) = 0;
    virtual int ReceiverVariant() const = 0;

    // ---- Base station ----
    // A non-zero base position arrived (m_bBaseChanged = 1).
    virtual void SetBaseChanged() = 0;
    // The document's copies of the base station's grid position.
    virtual void SetBaseStation(double x, double y, double h) = 0;
    // A changed base was written to basecoord.RTK (the base-written flag).
    virtual void SetBaseWritten() = 0;
    // Appends one line (CR LF added) to basecoord.RTK in the job's result
    // folder, creating it when missing: whole or not at all. FALSE when the
    // line is not in the file.
    [[nodiscard]] virtual BOOL AppendBaseRecord(const CString& line) = 0;
    // The files a base log writes, for NoteBaseFileWrite.
    enum BaseFile { kBaseRecordFile, kBaseParamsFile };
    // Whether a base log's write of `file` went out. The host tells the user
    // of a run of failures once, and only after the line being parsed has
    // been handled: the receiver's reader waits for that handling.
    virtual void NoteBaseFileWrite(BaseFile file, BOOL written) = 0;
    // The job's raw RTK file: data folder + data-file name with its last
    // three characters replaced by "RTK".
    virtual CString RawRtkFile() const = 0;
    // Appends one record of the current values to the raw RTK file and its
    // companion (the survey-file writer's AppendRtkRecord(flag)); the host
    // tells a failure as it tells NoteBaseFileWrite's.
    virtual void AppendRtkRecord(int flag) = 0;

    // ---- Receiver and device, for the correction-age watch ----
    // Switches status LED `led` (0 or 4) on (1) or off (0).
    virtual void SetDeviceLed(int led, int on) = 0;
    // Sends one command line to the receiver (CGpsComm::SendLine).
    virtual void SendReceiverLine(const CString& line) = 0;
    // SystemParams nRadioFormat: the correction format of the radio port.
    virtual int RadioFormat() const = 0;
    // The document's m_bDiffAlive: corrections are arriving.
    virtual void SetDiffAlive(BOOL alive) = 0;
};
