// Every real capture through the decoders, each line as the link hands it
// over (the previous line's LF first, the CR last), compared with what an
// established GNSS daemon decoded from the same stream (the .chk files: the
// sentences it accepted, echoed, each followed by its JSON reports).
//
// Checked: the GGA, GSV, ZDA and GSA lines the decoders take are exactly
// those whose first sentence the daemon accepted (it splits glued lines
// and may echo them out of order, so the echoes are taken as a set), except st-teseo-liv4f's "$$"
// sentences, which fail the checksum here; after each GGA the position (1e-9 degrees), the
// ellipsoidal height (0.1 mm), HDOP, satellites used and the fix quality;
// complete GSV groups of single-system captures against the sky view; GST
// sigmas; ZDA dates.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/base/TextConv.h"
#include "receiver/ReceiverParser.h"
#include "tests/receiver/FakeReceiverHost.h"

namespace {

using receiver_test::CFakeReceiverHost;

const std::string kCaptures = QUORVEL_TESTDATA_DIR "/nmea-captures/";

std::vector<std::string> ReadLines(const std::string& path, bool skipHeader) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (skipHeader && !line.empty() && line[0] == '#') continue;
        lines.push_back(line);
    }
    return lines;
}

// The first sentence of a line as the daemon would echo it: from its first
// '$' (extra '$' dropped) to the two checksum digits after its '*', or to
// the next '$'.
std::string FirstSentence(const std::string& text, bool* doubledDollar) {
    size_t at = text.find('$');
    *doubledDollar = false;
    if (at == std::string::npos) return text;
    while (at + 1 < text.size() && text[at + 1] == '$') ++at, *doubledDollar = true;
    size_t end = text.find('$', at + 1);
    const size_t star = text.find('*', at);
    if (star != std::string::npos && star < end) end = std::min(star + 3, text.size());
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// "GGA" of "$GPGGA,..."; empty for anything else.
std::string KindOf(const std::string& sentence) {
    if (sentence.size() < 6 || sentence[0] != '$') return "";
    return sentence.substr(3, 3);
}

bool JsonNumber(const std::string& json, const std::string& key, double* value) {
    const size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos) return false;
    *value = std::strtod(json.c_str() + at + key.size() + 3, nullptr);
    return true;
}

bool IsReport(const std::string& line, const char* cls) {
    return line.rfind(std::string("{\"class\":\"") + cls + "\"", 0) == 0;
}

struct Satellite {
    int prn, el, az, ss;
};

std::vector<Satellite> SkySatellites(const std::string& json) {
    std::vector<Satellite> out;
    size_t at = json.find("\"satellites\":[");
    while (at != std::string::npos && (at = json.find('{', at)) != std::string::npos) {
        const size_t end = json.find('}', at);
        const std::string one = json.substr(at, end - at);
        double prn = 0, el = 0, az = 0, ss = 0;
        JsonNumber(one, "PRN", &prn), JsonNumber(one, "el", &el);
        JsonNumber(one, "az", &az), JsonNumber(one, "ss", &ss);
        out.push_back({static_cast<int>(prn), static_cast<int>(el), static_cast<int>(az),
                       static_cast<int>(ss)});
        at = end;
    }
    return out;
}

class CaptureReplay {
  public:
    explicit CaptureReplay(const std::string& name)
        : m_name(name),
          m_lines(ReadLines(kCaptures + name, true)),
          m_check(ReadLines(kCaptures + name + ".chk", false)),
          m_parser(&m_host) {
        m_host.m_timeZone = 0;
        std::map<std::string, int> talkers;
        for (const std::string& l : m_lines) {
            if (l.size() > 6 && l[0] == '$' && l.compare(3, 3, "GSV") == 0)
                ++talkers[l.substr(1, 2)];
        }
        m_singleSystem = talkers.size() == 1;
        for (const std::string& l : m_check) {
            if (!l.empty() && l[0] == '$') m_echoed.insert(l);
        }
    }

    void Run() {
        ASSERT_FALSE(m_lines.empty()) << m_name << ": capture missing";
        for (size_t i = 0; i < m_lines.size(); ++i) Line(i);
        if (m_name != "sounder.log") {  // the sounder's capture holds depths only
            EXPECT_GT(m_taken, 0) << m_name;
        }
    }

  private:
    // The echo of `sentence` in the .chk, after the last one found. Only
    // what looks like a sentence is looked for: binary blocks between the
    // sentences are cut differently there.
    long FindEcho(const std::string& sentence) {
        if (sentence.size() < 6 || sentence[0] != '$') return -1;
        for (size_t k = m_cursor; k < m_check.size(); ++k) {
            if (m_check[k] == sentence) {
                m_cursor = k + 1;
                return static_cast<long>(k);
            }
        }
        return -1;
    }

    void Line(size_t i) {
        const std::string& text = m_lines[i];
        bool doubled = false;
        const std::string sentence = FirstSentence(text, &doubled);
        const long echo = FindEcho(sentence);
        const std::string kind = KindOf(sentence);
        const std::string bytes = (i == 0 ? "" : "\n") + text + "\r";
        CString line = quorvel::FromGbk(bytes.data(), bytes.size());
        BOOL taken = FALSE;
        if (kind == "GGA") taken = m_parser.ParseGga(line, &m_rec);
        if (kind == "GSV") taken = m_parser.ParseGsv(line, &m_rec);
        if (kind == "ZDA") taken = m_parser.ParseZda(line, &m_rec);
        if (kind == "GSA") taken = m_parser.ParseGsa(line, &m_rec);
        if (kind == "GST") taken = m_parser.ParseGst(line, &m_rec);
        if (kind == "GGA" || kind == "GSV" || kind == "ZDA" || kind == "GSA") {
            const bool expected = m_echoed.count(sentence) != 0 && !doubled;
            EXPECT_EQ(taken != FALSE, expected) << m_name << " line " << i << ": " << text;
        }
        if (!taken || echo < 0) return;
        ++m_taken;
        if (kind == "GGA") CheckGga(text, echo);
        if (kind == "GSV") CheckGsv(echo);
        if (kind == "GST") CheckGst(echo);
        if (kind == "ZDA") CheckZda(echo);
    }

    // The reports that follow the echo at `echo`, up to the next sentence of
    // the same kind.
    template <typename F>
    void ForReports(long echo, const std::string& kind, F visit) {
        for (size_t k = static_cast<size_t>(echo) + 1; k < m_check.size(); ++k) {
            const std::string& l = m_check[k];
            if (!l.empty() && l[0] == '$' && KindOf(l) == kind) return;
            if (!l.empty() && l[0] == '{' && !visit(l)) return;
        }
    }

    void CheckGga(const std::string& text, long echo) {
        if (m_rec.nSolution == 1) return;  // no fix: the position stays
        const std::string where = m_name + " " + text;
        const bool hasSeparation = text.find(",M,,M,") == std::string::npos;
        const bool gllReports = m_name == "bundg_zeus_9.log" || m_name == "humminbird-M37.log";
        bool position = false, sky = false;
        ForReports(echo, "GGA", [&](const std::string& r) {
            double v = 0;
            if (!position && IsReport(r, "TPV") && JsonNumber(r, "lat", &v)) {
                position = true;
                if (!gllReports) {
                    EXPECT_NEAR(m_rec.dLat, v, 1e-9) << where;
                    JsonNumber(r, "lon", &v);
                    EXPECT_NEAR(m_rec.dLon, v, 1e-9) << where;
                    if (hasSeparation && JsonNumber(r, "altHAE", &v)) {
                        EXPECT_NEAR(m_rec.dHeight, v, 1e-4) << where;
                    }
                    double status = 1;
                    JsonNumber(r, "status", &status);
                    const std::map<int, CString> statusText = {
                        {1, L"SINGLE"}, {2, L"DGPS"}, {3, L"FIXED"}, {4, L"FLOAT"}};
                    if (statusText.count(static_cast<int>(status))) {
                        EXPECT_EQ(m_rec.strStatus, statusText.at(static_cast<int>(status)))
                            << where;
                    }
                }
                ++m_positions;
            }
            if (!sky && IsReport(r, "SKY")) {
                sky = true;
                if (JsonNumber(r, "hdop", &v)) {
                    EXPECT_NEAR(m_rec.dDop, v, 1e-9) << where;
                }
                if (JsonNumber(r, "uSat", &v)) {
                    EXPECT_EQ(m_rec.nSatsUsed, v) << where;
                }
            }
            return !(position && sky);
        });
    }

    void CheckGsv(long echo) {
        const std::string& s = m_check[echo];
        const int total = std::atoi(s.c_str() + 7);
        const int number = std::atoi(s.c_str() + s.find(',', 7) + 1);
        m_gsvComplete = (number == 1 || m_gsvComplete) && number == m_gsvLast + 1;
        m_gsvLast = number == total ? 0 : number;
        if (!m_singleSystem || !m_gsvComplete || number != total || total > 3) return;
        ForReports(echo, "GSV", [&](const std::string& r) {
            if (!IsReport(r, "SKY") || r.find("\"satellites\"") == std::string::npos) return true;
            const std::vector<Satellite> sats = SkySatellites(r);
            EXPECT_EQ(static_cast<int>(sats.size()), m_rec.nSatsInView) << m_name << " " << s;
            for (size_t k = 0; k < sats.size() && k < 12; ++k) {
                const SatelliteInfo& got = m_rec.sats[k];
                EXPECT_EQ(got.nPrn, sats[k].prn) << m_name << " " << s;
                EXPECT_EQ(got.nElevation, sats[k].el) << m_name << " " << s;
                EXPECT_EQ(got.nAzimuth, sats[k].az) << m_name << " " << s;
                EXPECT_EQ(got.nSnr, std::min(sats[k].ss, 51)) << m_name << " " << s;
            }
            ++m_skies;
            return false;
        });
    }

    void CheckGst(long echo) {
        ForReports(echo, "GST", [&](const std::string& r) {
            if (!IsReport(r, "GST")) return true;
            double lat = 0, lon = 0, alt = 0;
            if (JsonNumber(r, "lat", &lat) && JsonNumber(r, "lon", &lon)) {
                EXPECT_NEAR(m_rec.dHrms, std::hypot(lat, lon), 1e-9) << m_name << " " << r;
            }
            if (JsonNumber(r, "alt", &alt)) {
                EXPECT_NEAR(m_rec.dVrms, alt, 1e-9) << m_name;
            }
            return false;
        });
    }

    void CheckZda(long echo) {
        if (m_rec.nYear == 0) return;
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", m_rec.nYear, m_rec.nMonth, m_rec.nDay);
        ForReports(echo, "ZDA", [&](const std::string& r) {
            const size_t at = r.find("\"time\":\"");
            if (at == std::string::npos) return true;
            EXPECT_EQ(r.substr(at + 8, 10), date) << m_name << " " << m_check[echo];
            return false;
        });
    }

    std::string m_name;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_check;
    std::set<std::string> m_echoed;
    CFakeReceiverHost m_host;
    CReceiverParser m_parser;
    SurveyRecord m_rec;
    size_t m_cursor = 0;
    bool m_singleSystem = false;
    bool m_gsvComplete = false;
    int m_gsvLast = 0;

  public:
    int m_taken = 0;
    int m_positions = 0;
    int m_skies = 0;
};

TEST(CaptureReplay, EveryCaptureAgreesWithTheReferenceDecoder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kCaptures)) {
        if (entry.path().extension() == ".log") names.push_back(entry.path().filename());
    }
    ASSERT_GE(names.size(), 20u) << "captures missing in " << kCaptures;
    int positions = 0, skies = 0;
    for (const std::string& name : names) {
        CaptureReplay replay(name);
        replay.Run();
        positions += replay.m_positions;
        skies += replay.m_skies;
    }
    EXPECT_GT(positions, 500);
    EXPECT_GT(skies, 100);
}

}  // namespace
