// What the post-processing tests share: raw epoch lines as the recording
// writes them, and a messages object that notes every text and answers the
// questions from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/postproc/PostProcMessages.h"

namespace postproctest {

// One raw line: the 32 fields each followed by ",", then CR LF.
struct RawEpoch {
    std::string name;
    std::string time = "10:00:05.00";
    std::string lat = "30.1234567890";
    std::string lon = "117.2345678901";
    std::string height = "45.678";
    std::string antenna = "1.800";
    std::string x = "0.000";
    std::string y = "0.000";
    std::string gridHeight = "0.000";
    std::string depth = "0.00";
    bool stored = false;
};
std::string RawLine(const RawEpoch& e);
// The line with fields 7, 8 and 9 replaced.
std::string WithGrid(RawEpoch e, const std::string& x, const std::string& y, const std::string& h);

class NotedMessages : public postproc::IPostProcMessages {
  public:
    void Inform(LPCTSTR text) override;
    BOOL AskYesNo(LPCTSTR text) override;

    std::deque<BOOL> m_answers;
    std::vector<std::string> m_noted;  // "inform <text>" or "ask <text>", UTF-8
};

// UTF-8 text as the device's 8-bit text.
std::string Gbk(const std::string& utf8);

}  // namespace postproctest
