// CGpsComm: the reader thread (open, link start, read loop), Start and Close.
//
// Each reader has its own stop flag, so a reader that is still finishing
// its last message can never be revived by the next Start. Stopping a
// reader kicks its thread (ending any pause) and aborts its pending port
// read or write, again and again until it has ended: an abort that comes
// just before the reader enters its next read would otherwise be missed.
#include <chrono>
#include <iterator>
#include <memory>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Thread.h"
#include "platform/base/ThreadSignal.h"
#include "platform/serial/SerialApi.h"
#include "platform/win/WinApi.h"
#include "receiver/link/GpsComm.h"
#include "receiver/link/LineCutter.h"
#include "receiver/link/PortMessages.h"
#include "receiver/link/ReceiverFrames.h"

struct CGpsComm::Reader {
    HANDLE hThread = nullptr;
    DWORD nThreadId = 0;
    std::atomic<bool> bStop{false};
    // The thread the reader is sending a line to, while it does.
    std::atomic<DWORD> nDeliveringTo{0};
};

namespace {

struct ThreadStart {
    CGpsComm* pComm;
    std::shared_ptr<CGpsComm::Reader> reader;
};

// The reader running on this thread, if any.
thread_local CGpsComm::Reader* t_pReader = nullptr;

const wchar_t* const kLinkStartLines[] = {
    L"dgpstimeout,60\r\n", L"DGPSTIMEOUT,60\r\n", L"unlogall,com2_all\r\n",
    L"fix,none\r\n",       L"ecutoff,10\r\n",     L"com,com2,9600\r\n",
};

// By SystemParams nRadioFormat.
const wchar_t* const kInterfaceModeLines[] = {
    L"interfacemode,com2,rtca,novatel\r\n",
    L"interfacemode,com2,rtcm,novatel\r\n",
    L"interfacemode,com2,cmr,novatel\r\n",
    L"interfacemode,com2,rtcmv3,novatel\r\n",
};

const wchar_t* const kLinkOutputLines[] = {
    L"log,gpgga,ontime,1\r\n", L"log,gpgsa,ontime,3\r\n", L"log,gpzda,ontime,1\r\n",
    L"$JASC,GPGGA,1\r\n",      L"$JASC,GPZDA,0.2\r\n",    L"$JASC,GPGSV,0.2\r\n",
};

}  // namespace

BOOL CGpsComm::Stopping() const {
    return t_pReader != nullptr && t_pReader->bStop.load();
}

// Sleeps on the active clock; on a reader thread a stop request ends the
// pause early (FALSE).
BOOL CGpsComm::Pause(DWORD ms) {
    Reader* reader = t_pReader;
    if (reader == nullptr) {
        Sleep(ms);
        return TRUE;
    }
    const uint64_t deadline = quorvel::ClockNowMs() + ms;
    quorvel::ThreadSignal& signal = quorvel::CurrentThreadSignal();
    while (!reader->bStop.load() && quorvel::ClockNowMs() < deadline) signal.Wait(deadline);
    return !reader->bStop.load();
}

void CGpsComm::Start() {
    Sleep(0);
    StopReaders();
    // A reader stopped while it was opening may have left its port open.
    const HANDLE left = m_hPort.exchange(INVALID_HANDLE_VALUE);
    if (left != INVALID_HANDLE_VALUE) CloseHandle(left);
    auto reader = std::make_shared<Reader>();
    auto* start = new ThreadStart{this, reader};
    reader->hThread = CreateThread(nullptr, 0, &CGpsComm::ThreadProc, start, 0, &reader->nThreadId);
    if (reader->hThread == nullptr) {
        delete start;
        return;
    }
    m_reader = reader;
    m_hThread = reader->hThread;
}

void CGpsComm::Close() {
    m_bRunning = FALSE;
    StopReaders();
    const HANDLE port = m_hPort.load();
    if (port == INVALID_HANDLE_VALUE) return;
    EscapeCommFunction(port, CLRRTS);
    EscapeCommFunction(port, CLRDTR);
    PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    Sleep(1000);
    CloseHandle(port);
    m_hPort = INVALID_HANDLE_VALUE;
    SwitchReceiverPower(FALSE);
}

// Stops every reader and waits for each, except one that is sending its
// line to this very thread: that one ends as soon as its message returns
// and is collected by a later stop.
void CGpsComm::StopReaders() {
    if (m_reader) {
        m_retired.push_back(std::move(m_reader));
        m_reader.reset();
    }
    for (const auto& reader : m_retired) {
        reader->bStop = true;
        if (auto signal = quorvel::ThreadSignalOf(reader->nThreadId)) signal->Kick();
    }
    std::vector<std::shared_ptr<Reader>> waiting;
    for (auto& reader : m_retired) {
        const DWORD deliveringTo = reader->nDeliveringTo.load();
        if (deliveringTo != 0 && deliveringTo == GetCurrentThreadId() && InSendMessage()) {
            waiting.push_back(std::move(reader));
            continue;
        }
        // Real time, not the clock: a test's virtual clock may stand still.
        // A reader that has ended (its open failed) needs no wait, which
        // also keeps the destructor at the end of the run from waiting.
        DWORD code = 0;
        bool quitPosted = false;
        while (GetExitCodeThread(reader->hThread, &code) && code == STILL_ACTIVE &&
               WaitForSingleObject(reader->hThread, 0) != WAIT_OBJECT_0) {
            const HANDLE port = m_hPort.load();
            if (port != INVALID_HANDLE_VALUE) PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT);
            // A reader showing its box (a port that cannot be opened) waits
            // in the box's loop: a quit ends that box, and any it opens
            // after, as cancelled. It stays posted once the thread has a
            // queue, so a box that opens later ends at once too.
            if (!quitPosted) quitPosted = PostThreadMessage(reader->nThreadId, WM_QUIT, 0, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        CloseHandle(reader->hThread);
    }
    m_retired = std::move(waiting);
    m_bRunning = FALSE;
    if (m_hThread != INVALID_HANDLE_VALUE) m_hThread = nullptr;
}

DWORD CGpsComm::ThreadProc(LPVOID param) {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(param));
    t_pReader = start->reader.get();
    start->pComm->RunReader(*start->reader);
    t_pReader = nullptr;
    return 0;
}

void CGpsComm::RunReader(Reader& reader) {
    if (!Open()) {
        if (!reader.bStop.load()) {
            MessageBox(nullptr, L"端口打开失败,请重新连接!", L"提示", MB_ICONINFORMATION);
        }
        return;
    }
    if (!StartLink(reader)) return;
    m_bRunning = TRUE;
    ReadLoop(reader);
}

BOOL CGpsComm::StartLink(Reader& reader) {
    m_nReceiverType = kReceiverTypeStarted;
    IGpsLinkHost* host = m_pHost.load();
    if (host != nullptr) host->SetReceiverType(kReceiverTypeStarted);
    for (const wchar_t* line : kLinkStartLines) {
        if (reader.bStop.load()) return FALSE;
        SendLine(line);
    }
    const int format = host != nullptr ? host->RadioFormat() : 0;
    if (format >= 0 && format < static_cast<int>(std::size(kInterfaceModeLines))) {
        SendLine(kInterfaceModeLines[format]);
    }
    for (const wchar_t* line : kLinkOutputLines) {
        if (reader.bStop.load()) return FALSE;
        SendLine(line);
    }
    return !reader.bStop.load();
}

void CGpsComm::ReadLoop(Reader& reader) {
    SendFrame(RXCMD_LINK_START, 0, L"");
    SendFrame(RXCMD_LINK_START, 0, L"");
    m_nBusy = 0;
    CLineCutter cutter;
    while (m_bRunning.load() && !reader.bStop.load()) {
        const uint64_t began = quorvel::ClockNowMs();
        BYTE byte = 0;
        DWORD read = 0;
        if (!ReadFile(m_hPort.load(), &byte, 1, &read, nullptr)) {
            // Unlike a time-out, a failure comes back at once on a port
            // that is gone: try again only once per retry period.
            ++m_nReadFailures;
            const uint64_t next = began + kReadRetryMs;
            const uint64_t now = quorvel::ClockNowMs();
            if (now < next) Pause(static_cast<DWORD>(next - now));
            continue;
        }
        if (read != 1 || !cutter.Add(byte) || reader.bStop.load()) continue;
        reader.nDeliveringTo = GetWindowThreadProcessId(m_hNotifyWnd.load(), nullptr);
        Deliver(cutter);
        reader.nDeliveringTo = 0;
    }
}

void CGpsComm::Deliver(CLineCutter& cutter) {
    const HWND wnd = m_hNotifyWnd.load();
    float sigma = 0;
    if (cutter.FindBin1Sigma(sigma)) {
        SendMessage(wnd, WM_GPS_BIN1_SIGMA, reinterpret_cast<WPARAM>(&sigma), 0);
    }
    SendMessage(wnd, WM_GPS_SENTENCE, reinterpret_cast<WPARAM>(&cutter.Line()), kGpsSentenceMark);
}
