// CFrameReceiverHost: the running program as the receiver decoders see it.
//
// The main frame owns one and hands it to its parser. The decoders reach
// the document of the current job through it (the job's coordinate system
// and engine, the current fix, the receiver's identity, the base station,
// the raw RTK file), the frame's measured-point offset, and the receiver
// link and status LEDs for the correction-age watch.
//
// Every call comes from the frame's dispatcher on the user-interface thread
// while the document exists (the dispatcher decodes nothing without one).
#pragma once

#include "receiver/ReceiverHost.h"

class CMainFrame;
class CVendropDoc;

class CFrameReceiverHost : public IReceiverHost {
  public:
    explicit CFrameReceiverHost(CMainFrame& frame) : m_frame(frame) {}

    CoordSysParams& CoordParams() override;
    CCoordTransform& Engine() override;
    // The job's .par through the settings writer; no box here (the parser
    // notes the result).
    [[nodiscard]] BOOL WriteCoordParams() override;

    int FixLevel() const override;
    int TimeZone() const override;
    void GetMeasuredPointOffset(double& x, double& y) const override;

    SurveyRecord& CurrentFix() override;
    void SetGgaSeen() override;
    void SetAntennaConstant(double metres) override;
    void SetReceiverVariant(int variant) override;
    int ReceiverVariant() const override;

    void SetBaseChanged() override;
    // Calibration entry 0 is the base station: the document's copy of it.
    void SetBaseStation(double x, double y, double h) override;
    void SetBaseWritten() override { m_bBaseWritten = TRUE; }
    CString RawRtkFile() const override;
    // Through the append writer, which never leaves a torn line.
    [[nodiscard]] BOOL AppendBaseRecord(const CString& line) override;
    // Told by the frame, as recording tells its epochs.
    void NoteBaseFileWrite(BaseFile file, BOOL written) override;
    void AppendRtkRecord(int flag) override;

    void SetDeviceLed(int led, int on) override;
    void SendReceiverLine(const CString& line) override;
    int RadioFormat() const override;
    void SetDiffAlive(BOOL alive) override;

    // A changed base station went to basecoord.RTK during this run.
    BOOL m_bBaseWritten = FALSE;

  private:
    static CVendropDoc& Doc();

    CMainFrame& m_frame;
};
