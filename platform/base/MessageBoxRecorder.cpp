#include <cstdio>
#include <mutex>

#include "platform/base/MessageBox.h"
#include "platform/base/TextConv.h"

namespace quorvel {

struct MessageBoxRecorder::State {
    struct Expectation {
        CString text;
        int answer;
    };

    int Answer(const MessageBoxRequest& request);

    mutable std::mutex mutex;
    std::vector<Expectation> expected;
    size_t nextExpected = 0;
    std::vector<MessageBoxRequest> requests;
    std::vector<MessageBoxRequest> unexpected;
    bool hasDefault = false;
    int defaultAnswer = IDOK;
    std::function<void(const MessageBoxRequest&)> onUnexpected;
};

int MessageBoxRecorder::State::Answer(const MessageBoxRequest& request) {
    std::function<void(const MessageBoxRequest&)> callback;
    int answer = 0;
    {
        std::lock_guard<std::mutex> lock(mutex);
        requests.push_back(request);
        if (nextExpected < expected.size() &&
            request.text.Find(expected[nextExpected].text.GetString()) >= 0)
            return expected[nextExpected++].answer;
        if (hasDefault && nextExpected >= expected.size()) return defaultAnswer;
        unexpected.push_back(request);
        callback = onUnexpected;
        answer = hasDefault ? defaultAnswer : EscapeMessageBoxAnswer(request.type);
    }
    if (callback) callback(request);
    return answer;
}

MessageBoxRecorder::MessageBoxRecorder() : m_state(std::make_shared<State>()) {
    std::shared_ptr<State> state = m_state;
    m_previous = SetMessageBoxHandler(
        [state](const MessageBoxRequest& request) { return state->Answer(request); });
}

MessageBoxRecorder::MessageBoxRecorder(int defaultAnswer) : MessageBoxRecorder() {
    SetDefaultAnswer(defaultAnswer);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHandler(std::move(m_previous));
    bool silent = false;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        silent = static_cast<bool>(m_state->onUnexpected);
    }
    if (!silent && !AllAnswered()) std::fprintf(stderr, "%s", Report().c_str());
}

void MessageBoxRecorder::Expect(LPCTSTR textSubstring, int answer) {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->expected.push_back({CString(textSubstring ? textSubstring : L""), answer});
}

void MessageBoxRecorder::SetDefaultAnswer(int answer) {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->hasDefault = true;
    m_state->defaultAnswer = answer;
}

void MessageBoxRecorder::OnUnexpected(std::function<void(const MessageBoxRequest&)> callback) {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->onUnexpected = std::move(callback);
}

std::vector<MessageBoxRequest> MessageBoxRecorder::Requests() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->requests;
}

int MessageBoxRecorder::Count() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return static_cast<int>(m_state->requests.size());
}

std::vector<MessageBoxRequest> MessageBoxRecorder::Unexpected() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->unexpected;
}

int MessageBoxRecorder::PendingExpectations() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return static_cast<int>(m_state->expected.size() - m_state->nextExpected);
}

bool MessageBoxRecorder::AllAnswered() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->unexpected.empty() && m_state->nextExpected == m_state->expected.size();
}

std::string MessageBoxRecorder::Report() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    std::string out = "message boxes:\n";
    for (const MessageBoxRequest& r : m_state->requests)
        out += "  [" + ToUtf8(r.caption) + "] " + ToUtf8(r.text) + "\n";
    for (const MessageBoxRequest& r : m_state->unexpected)
        out += "unexpected: " + ToUtf8(r.text) + "\n";
    for (size_t i = m_state->nextExpected; i < m_state->expected.size(); ++i)
        out += "expected but not shown: " + ToUtf8(m_state->expected[i].text) + "\n";
    return out;
}

}  // namespace quorvel
