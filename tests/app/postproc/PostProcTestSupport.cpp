#include "tests/app/postproc/PostProcTestSupport.h"

#include <gtest/gtest.h>

#include "platform/base/TextConv.h"

namespace postproctest {

std::string RawLine(const RawEpoch& e) {
    const std::string fields[32] = {e.name,    "2026-12-07",
                                    e.time,    e.lat,
                                    e.lon,     e.height,
                                    e.antenna, e.x,
                                    e.y,       e.gridHeight,
                                    "10",      "0.012",
                                    "0.020",   "1.100",
                                    "",        "",
                                    "12",      "0",
                                    "TIME",    "5.00",
                                    e.depth,   "",
                                    "",        "",
                                    "0",       e.stored ? "1" : "0",
                                    "",        "",
                                    "",        "",
                                    "",        ""};
    std::string line;
    for (const std::string& field : fields) line += field + ",";
    return line + "\r\n";
}

std::string WithGrid(RawEpoch e, const std::string& x, const std::string& y, const std::string& h) {
    e.x = x;
    e.y = y;
    e.gridHeight = h;
    return RawLine(e);
}

void NotedMessages::Inform(LPCTSTR text) {
    m_noted.push_back("inform " + quorvel::ToUtf8(text));
}

BOOL NotedMessages::AskYesNo(LPCTSTR text) {
    m_noted.push_back("ask " + quorvel::ToUtf8(text));
    if (m_answers.empty()) {
        ADD_FAILURE() << "an unexpected question: " << quorvel::ToUtf8(text);
        return FALSE;
    }
    const BOOL answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::string Gbk(const std::string& utf8) {
    return quorvel::ToGbk(quorvel::FromUtf8(utf8).GetString());
}

}  // namespace postproctest
