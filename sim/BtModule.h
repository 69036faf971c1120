// The handheld's built-in Bluetooth serial module on a pseudo-terminal.
//
// While the program holds DTR low the module is in command mode: it takes
// AT commands ending in CR LF and answers them:
//   "AT", "AT+ROLE=<n>", "AT+CANCEL"  -> "OK"
//   "AT+INQ"   -> "OK", then one "+INQRESU:<address>,<name>" per device
//                 (names in code page 936) and "+INQCOMP", paced
//   "AT+RADDR=<address>" -> "OK"; the device to connect to
//   anything else -> "ERROR"
// Every command line is logged. On request a command gets no reply at all,
// and replies go out in two pieces ("O", then "K\r\n").
//
// With DTR high and no device connected, what the program sends is lost.
// Once a device has been named with AT+RADDR and DTR goes high, the module
// relays: what the program sends goes to the relay terminal (a receiver
// simulator's) and what comes from there goes to the program, until DTR
// falls again.
#pragma once

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sim/CommandLog.h"
#include "sim/PacedThread.h"
#include "sim/Pty.h"

namespace quorvel::sim {

struct BtDeviceEntry {
    std::string address;
    std::string name;  // UTF-8; sent in code page 936
};

struct BtModuleOptions {
    std::vector<BtDeviceEntry> devices = {{"00:1B:DC:0F:5A:31", "测量主机01"},
                                          {"00:1B:DC:0F:5A:77", "RTK-ROVER"}};
    // Commands answered with silence, by their name before any "=" ("AT",
    // "AT+ROLE", "AT+INQ", "AT+CANCEL", "AT+RADDR"), or "all".
    std::set<std::string> silent;
    bool splitReplies = false;
    double resultGapS = 0.1;      // between "OK", each result and the end
    bool completeInquiry = true;  // "+INQCOMP" after the results
    std::string relayPath;        // the terminal relayed once connected
    std::string linkPath;         // see PtyEndpoint
};

// "ABC" in code page 936 from UTF-8; characters without a form become '?'.
std::string Utf8ToGbk(const std::string& utf8);

class BtModuleSimulator {
  public:
    explicit BtModuleSimulator(const BtModuleOptions& options);
    ~BtModuleSimulator();
    BtModuleSimulator(const BtModuleSimulator&) = delete;
    BtModuleSimulator& operator=(const BtModuleSimulator&) = delete;

    bool Start(std::string& error);
    void Stop();
    void Wait();

    const std::string& Path() const { return m_pty.Path(); }
    PtyEndpoint& Pty() { return m_pty; }
    // The command lines the program sent in command mode.
    CommandLog& Log() { return m_log; }
    bool HungUp() const { return false; }
    // The address of the last AT+RADDR, empty before one.
    std::string ConnectAddress() const;
    bool Relaying() const { return m_relaying.load(); }

  private:
    struct Pending {
        double dueS;
        std::string bytes;
    };
    void ServeInput(int waitMs);
    bool Step(int64_t n, double t);
    void OnCommand(const LoggedCommand& c);
    void Reply(const std::string& text);
    void Schedule(double afterS, const std::string& text);
    void CancelInquiry();
    bool OpenRelay();
    void PumpRelay();

    BtModuleOptions m_options;
    PtyEndpoint m_pty;
    CommandLog m_log;
    PacedThread m_thread;
    mutable std::mutex m_mutex;
    std::vector<Pending> m_pending;  // replies due later, in order
    std::string m_connectAddress;
    double m_now = 0.0;
    int m_relay = -1;
    std::atomic<bool> m_dtr{false};
    std::atomic<bool> m_relaying{false};
};

}  // namespace quorvel::sim
