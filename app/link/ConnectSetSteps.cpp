// CConnectSetDlg's dialogue with the module: the step queue, the 2-second
// timer that repeats or gives up the current command, and the received
// text cut into lines (replies, inquiry results, the end of a search).
#include "app/link/ConnectSetDlg.h"

#include "platform/base/TextConv.h"
#include "res/resource.h"

namespace {

constexpr int kRoleDoneProgress = 20;
constexpr int kCheckDoneProgress = 10;
constexpr int kProgressPerSend = 2;

}  // namespace

void CConnectSetDlg::ClearSteps() {
    m_step = BtCommandStep();
    m_queue.clear();
}

void CConnectSetDlg::RunNextStep() {
    m_step = BtCommandStep();
    if (m_queue.empty()) return;
    m_step = m_queue.front();
    m_queue.pop_front();
    ShowStatus(m_step.strProgress);
    SendCurrentCommand();
}

// A failed write is not reported: the step is repeated anyway.
void CConnectSetDlg::SendCurrentCommand() {
    if (m_step.IsEmpty()) return;
    m_progress.OffsetPos(kProgressPerSend);
    const std::string bytes = quorvel::ToGbk(m_step.strCommand);
    m_port.Write(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<int>(bytes.size()));
}

LRESULT CConnectSetDlg::OnSerialData(WPARAM wParam, LPARAM lParam) {
    BYTE* buffer = reinterpret_cast<BYTE*>(wParam);
    if (buffer && lParam > 0)
        m_received.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(lParam));
    delete[] buffer;
    TakeLines();
    return 1;
}

// Every piece up to an LF that holds a CR is a line (the text before its
// CR); the pieces go, the text after the last LF waits for the rest.
void CConnectSetDlg::TakeLines() {
    size_t lf;
    while ((lf = m_received.find('\n')) != std::string::npos) {
        const std::string piece = m_received.substr(0, lf);
        m_received.erase(0, lf + 1);
        const size_t cr = piece.find('\r');
        if (cr == std::string::npos || cr == 0) continue;
        HandleLine(quorvel::FromGbk(piece.data(), cr));
        if (m_bEnded) return;
    }
    if (m_received.size() > kMaxPending) m_received.clear();
}

void CConnectSetDlg::HandleLine(const CString& line) {
    if (!m_step.IsEmpty() && !m_step.strReply.IsEmpty() && line.Find(m_step.strReply) >= 0) {
        if (m_bConnecting) {
            m_progress.SetPos(kConnectRange);
            ShowStatus(m_step.strSuccess);
            RunNextStep();
            m_bConnecting = FALSE;
            EndWithOk();
            return;
        }
        HandleReply();
    }
    if (m_bSearching) HandleSearchLine(line);
}

void CConnectSetDlg::EndWithOk() {
    m_bEnded = TRUE;
    EndDialog(IDOK);
}

void CConnectSetDlg::HandleReply() {
    const CString& command = m_step.strCommand;
    if (command.Find(L"AT+ROLE=1") >= 0) {
        m_progress.SetPos(kRoleDoneProgress);
    } else if (command.Find(L"AT+INQ") >= 0) {
        m_bSearching = TRUE;
        m_devices.RemoveAll();
        m_deviceList.ResetContent();
    } else if (command.Find(L"AT+CANCEL") >= 0) {
    } else if (command.Find(L"AT") >= 0) {
        m_progress.SetPos(kCheckDoneProgress);
    }
    ShowStatus(m_step.strSuccess);
    RunNextStep();
}

void CConnectSetDlg::HandleSearchLine(const CString& line) {
    BtDevice device;
    if (ParseInquiryResult(line, device)) {
        m_deviceList.AddString(device.strName);
        m_devices.Add(device);
        // The saved list only spares the next search.
        (void)WriteBluetoothDevice(m_strListPath, device, m_bFirstWrite);
        m_bFirstWrite = FALSE;
    } else if (line.Find(L"+INQCOMP") >= 0) {
        EndSearch(IDS_STRING61823);
    }
}

void CConnectSetDlg::EndSearch(UINT textId) {
    m_bSearching = FALSE;
    EnableScan(FALSE);
    m_progress.SetPos(kScanRange);
    CString text;
    text.LoadString(textId);
    ShowStatus(text);
}

void CConnectSetDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId || m_bEnded) return;
    if (!m_bConnecting && m_bSearching) {
        if (m_progress.GetPos() + kProgressPerSend > kScanRange) {
            EndSearch(IDS_STRING61830);
            m_port.Close();
        } else {
            m_progress.OffsetPos(kProgressPerSend);
        }
    }
    if (m_step.IsEmpty() && m_queue.empty()) return;
    if (m_step.nBudget < 0) {
        ShowStatus(m_step.strFailure);
        if (m_bConnecting) {
            RunNextStep();
            m_port.Close();
            EndWithOk();
            return;
        }
        if (m_queue.empty() && m_nLinkType == kBuiltInModule) EnableScan(FALSE);
        RunNextStep();
        return;
    }
    m_step.nBudget -= m_bConnecting ? 2 : 1;
    SendCurrentCommand();
}
