#include "sim/BinaryOutput.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "sim/ReceiverLogs.h"

namespace quorvel::sim {
namespace {

template <typename T>
void PutLe(std::string& out, T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof bytes);  // the host is little-endian
    out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace

std::string ReplyFrame(int id, const std::string& payload) {
    std::string frame;
    frame += '$';
    frame += static_cast<char>(id);
    frame += static_cast<char>(255 - id);
    PutLe(frame, static_cast<uint32_t>(payload.size()));
    frame += payload;
    unsigned char sum = 0;
    for (unsigned char c : frame) sum ^= c;
    frame += static_cast<char>(sum);
    return frame;
}

std::vector<std::string> BrokenReplyFrames() {
    std::string header = "$";
    header += static_cast<char>(40);
    header += static_cast<char>(215);
    PutLe(header, uint32_t{0xFFFFFFF9u});
    return {ReplyFrame(40, "a\rb") + "\r\n", header + "\r\n"};
}

std::string Bin1Block(const NmeaEpoch& e, float sigma) {
    int week = 0;
    double seconds = 0;
    GpsWeekSeconds(e.year, e.month, e.day, e.secondsOfDay, week, seconds);
    std::string data;
    data += static_cast<char>(e.diffAgeS > 255 ? 255 : static_cast<int>(e.diffAgeS));
    int used = 0;
    for (const Satellite& s : e.satellites) used += s.used ? 1 : 0;
    data += static_cast<char>(used);
    PutLe(data, static_cast<uint16_t>(week));
    PutLe(data, seconds);
    PutLe(data, e.latDeg);
    PutLe(data, e.lonDeg);
    PutLe(data, static_cast<float>(e.heightM));
    PutLe(data, 0.0f);  // velocity north
    PutLe(data, 0.0f);  // east
    PutLe(data, 0.0f);  // up
    PutLe(data, sigma);
    PutLe(data, static_cast<uint16_t>(e.quality));
    PutLe(data, static_cast<uint16_t>(e.diffAgeS));
    uint16_t sum = 0;
    for (unsigned char c : data) sum = static_cast<uint16_t>(sum + c);
    std::string block = "$BIN";
    PutLe(block, uint16_t{1});
    PutLe(block, static_cast<uint16_t>(data.size()));
    block += data;
    PutLe(block, sum);
    block += "\r\n";
    return block;
}

bool CaptureReplay::Load(const std::string& path, bool crlf, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the capture " + path;
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    m_lines.clear();
    m_next = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        const size_t end = lf == std::string::npos ? text.size() : lf + 1;
        std::string line = text.substr(start, end - start);
        start = end;
        if (line.rfind("# ", 0) == 0) continue;
        if (crlf && line.back() == '\n' && (line.size() < 2 || line[line.size() - 2] != '\r')) {
            line.insert(line.size() - 1, 1, '\r');
        }
        m_lines.push_back(std::move(line));
    }
    return true;
}

std::string CaptureReplay::Next(size_t lines) {
    std::string bytes;
    for (size_t i = 0; i < lines && m_next < m_lines.size(); ++i) bytes += m_lines[m_next++];
    return bytes;
}

std::string CaptureReplay::All() const {
    std::string bytes;
    for (const std::string& line : m_lines) bytes += line;
    return bytes;
}

}  // namespace quorvel::sim
