#include "app/link/FrameReceiverHost.h"

#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "pointdata/AppendFile.h"
#include "receiver/link/DeviceLibraries.h"

CVendropDoc& CFrameReceiverHost::Doc() {
    return *g_pDoc;
}

CoordSysParams& CFrameReceiverHost::CoordParams() {
    return Doc().m_coordParams;
}

CCoordTransform& CFrameReceiverHost::Engine() {
    return Doc().m_coordTransform;
}

BOOL CFrameReceiverHost::WriteCoordParams() {
    return Doc().WriteCoordParams();
}

int CFrameReceiverHost::FixLevel() const {
    return Doc().m_sysParams.nFixLevel;
}

int CFrameReceiverHost::TimeZone() const {
    return Doc().m_sysParams.nTimeZone;
}

void CFrameReceiverHost::GetMeasuredPointOffset(double& x, double& y) const {
    x = m_frame.m_dOffsetX;
    y = m_frame.m_dOffsetY;
}

SurveyRecord& CFrameReceiverHost::CurrentFix() {
    return Doc().m_curFix;
}

void CFrameReceiverHost::SetGgaSeen() {
    Doc().m_bGgaSeen = 1;
}

void CFrameReceiverHost::SetAntennaConstant(double metres) {
    Doc().m_dAntennaConst = metres;
}

void CFrameReceiverHost::SetReceiverVariant(int variant) {
    Doc().m_nReceiverVariant = variant;
}

int CFrameReceiverHost::ReceiverVariant() const {
    return Doc().m_nReceiverVariant;
}

void CFrameReceiverHost::SetBaseChanged() {
    Doc().m_bBaseChanged = 1;
}

void CFrameReceiverHost::SetBaseStation(double x, double y, double h) {
    CVendropDoc::GridPoint& base = Doc().m_calibMeasured[0];
    base.x = x;
    base.y = y;
    base.h = h;
}

CString CFrameReceiverHost::RawRtkFile() const {
    const CVendropDoc& doc = Doc();
    const CString& name = doc.m_strDataFile;
    return doc.m_strDataDir + name.Left(name.GetLength() < 3 ? 0 : name.GetLength() - 3) + L"RTK";
}

BOOL CFrameReceiverHost::AppendBaseRecord(const CString& line) {
    return CAppendFile::AppendLineTo(Doc().m_strResultDir + L"basecoord.RTK", line);
}

void CFrameReceiverHost::NoteBaseFileWrite(BaseFile file, BOOL written) {
    if (CMainFrame* frame = GetMainFrame())
        frame->NoteSurveyWrite(file == kBaseParamsFile ? kWriteBaseParams : kWriteBaseRecord,
                               written);
}

// The receiver's log goes on whatever the writer says; a base line the raw
// record refuses is told as recording tells its epochs, once until a line
// has gone in again.
void CFrameReceiverHost::AppendRtkRecord(int flag) {
    const BOOL written = Doc().m_fileWriter.AppendRtkRecord(flag);
    if (CMainFrame* frame = GetMainFrame()) frame->NoteSurveyWrite(kWriteBaseLine, written);
}

void CFrameReceiverHost::SetDeviceLed(int led, int on) {
    ::SetDeviceLed(led, on);
}

void CFrameReceiverHost::SendReceiverLine(const CString& line) {
    g_gpsComm.SendLine(line);
}

int CFrameReceiverHost::RadioFormat() const {
    return Doc().m_sysParams.nRadioFormat;
}

void CFrameReceiverHost::SetDiffAlive(BOOL alive) {
    Doc().m_bDiffAlive = alive;
}
