// A job and document for the receiver decoders: holds what a real document
// holds and records every effect the decoders have on it, in order.
#pragma once

#include <string>
#include <vector>

#include "platform/base/TextConv.h"
#include "pointdata/AppendFile.h"
#include "receiver/ReceiverHost.h"

namespace receiver_test {

// A Beijing-54 job about central meridian 114 with false easting 500 km.
inline CoordSysParams Beijing54Job() {
    CoordSysParams p;
    p.szdDa = 6378245.0;
    p.szdDf = 298.3;
    p.szdCenter = 114.0;
    p.szlTy = 500000;
    p.szdTk = 1.0;
    p.szdCk1 = 1.0;
    return p;
}

class CFakeReceiverHost : public IReceiverHost {
  public:
    CFakeReceiverHost() : m_params(Beijing54Job()) {}

    CoordSysParams& CoordParams() override { return m_params; }
    CCoordTransform& Engine() override { return m_engine; }
    BOOL WriteCoordParams() override {
        Log("par");
        ++m_parWrites;
        return m_parWriteWorks ? TRUE : FALSE;
    }
    int FixLevel() const override { return m_fixLevel; }
    int TimeZone() const override { return m_timeZone; }
    void GetMeasuredPointOffset(double& x, double& y) const override {
        x = m_offsetX;
        y = m_offsetY;
    }
    SurveyRecord& CurrentFix() override { return m_curFix; }
    void SetGgaSeen() override { ++m_ggaSeen; }
    void SetAntennaConstant(double metres) override { m_antennaConst = metres; }
    void SetReceiverVariant(int variant) override { m_variant = variant; }
    int ReceiverVariant() const override { return m_variant; }
    void SetBaseChanged() override { ++m_baseChanged; }
    void SetBaseStation(double x, double y, double h) override {
        m_baseX = x;
        m_baseY = y;
        m_baseH = h;
        Log("base");
    }
    void SetBaseWritten() override { ++m_baseWritten; }
    BOOL AppendBaseRecord(const CString& line) override {
        return CAppendFile::AppendLineTo(m_resultFolder + L"basecoord.RTK", line);
    }
    void NoteBaseFileWrite(BaseFile file, BOOL written) override {
        m_notes.push_back(std::string(file == kBaseParamsFile ? "par " : "record ") +
                          (written ? "1" : "0"));
    }
    CString RawRtkFile() const override { return m_rawRtkFile; }
    void AppendRtkRecord(int flag) override { Log("rtk " + std::to_string(flag)); }
    void SetDeviceLed(int led, int on) override {
        Log("led " + std::to_string(led) + " " + std::to_string(on));
    }
    void SendReceiverLine(const CString& line) override { Log("send " + quorvel::LowBytes(line)); }
    int RadioFormat() const override { return m_radioFormat; }
    void SetDiffAlive(BOOL alive) override { Log(alive ? "alive" : "dead"); }

    void Log(const std::string& event) { m_events.push_back(event); }

    CoordSysParams m_params;
    CCoordTransform m_engine;
    SurveyRecord m_curFix;
    bool m_parWriteWorks = true;
    int m_fixLevel = 0;
    int m_timeZone = 8;
    double m_offsetX = 0.0;
    double m_offsetY = 0.0;
    int m_ggaSeen = 0;
    double m_antennaConst = 0.0;
    int m_variant = -1;
    int m_baseChanged = 0;
    int m_baseWritten = 0;
    int m_parWrites = 0;
    double m_baseX = 0.0, m_baseY = 0.0, m_baseH = 0.0;
    int m_radioFormat = 0;
    CString m_resultFolder = L"\\Flash Disk\\Jobs\\ruvo\\result\\";
    CString m_rawRtkFile = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK";
    std::vector<std::string> m_events;
    std::vector<std::string> m_notes;  // the base file writes noted, in order
};

}  // namespace receiver_test
