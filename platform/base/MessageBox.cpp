#include "platform/base/MessageBox.h"

#include <cstdio>
#include <mutex>

#include "platform/base/TextConv.h"
#include "platform/base/Thread.h"

namespace quorvel {
namespace {

struct Globals {
    std::mutex mutex;
    MessageBoxHandler handler;
    CString title;
};

Globals& G() {
    static Globals* g = new Globals;  // outlives every thread
    return *g;
}

int Ask(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type, bool framework = false) {
    MessageBoxRequest request{owner, CString(text ? text : L""), CString(caption ? caption : L""),
                              type,  GetCurrentThreadId(),       framework};
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(G().mutex);
        handler = G().handler;
    }
    if (handler) return handler(request);
    std::fprintf(stderr, "message box with no handler [%s] %s\n", ToUtf8(request.caption).c_str(),
                 ToUtf8(request.text).c_str());
    return DefaultMessageBoxAnswer(type);
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> lock(G().mutex);
    std::swap(G().handler, handler);
    return handler;
}

void SetAppTitle(LPCTSTR title) {
    std::lock_guard<std::mutex> lock(G().mutex);
    G().title = title ? title : L"";
}

CString GetAppTitle() {
    std::lock_guard<std::mutex> lock(G().mutex);
    return G().title;
}

std::vector<int> MessageBoxButtons(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        default:
            return {IDOK};
    }
}

int DefaultMessageBoxAnswer(UINT type) {
    const std::vector<int> buttons = MessageBoxButtons(type);
    const size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons[0];
}

int EscapeMessageBoxAnswer(UINT type) {
    const std::vector<int> buttons = MessageBoxButtons(type);
    for (int preferred : {IDCANCEL, IDNO, IDABORT})
        for (int b : buttons)
            if (b == preferred) return b;
    return IDOK;
}

}  // namespace quorvel

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    return quorvel::Ask(owner, text, caption ? caption : L"Error", type);
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT /*helpId*/) {
    const CString title = quorvel::GetAppTitle();
    return quorvel::Ask(nullptr, text, title, type, true);
}

int AfxMessageBox(UINT textId, UINT type, UINT /*helpId*/) {
    CString text;
    text.LoadString(textId);
    return AfxMessageBox(text.GetString(), type);
}
