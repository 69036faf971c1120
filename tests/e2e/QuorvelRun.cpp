// Index: the test's folder and simulator; runs; following the boxes
// through dumps; the root as files and registry.
#include "tests/e2e/QuorvelRun.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"
#include "platform/testing/WaitUntil.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using quorvel::testing::ReadFile;
using quorvel::testing::WaitUntil;

// ---- Reading a window-tree dump -----------------------------------------------------------
// One line: "Class id=N "text" (l,t,r,b) FLAGS", indented two spaces a level.
struct DumpLine {
    int depth = 0;
    std::string cls;
    std::string text;
    bool hidden = false;
};

DumpLine ParseDumpLine(const std::string& line) {
    DumpLine d;
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) return d;
    d.depth = static_cast<int>(start / 2);
    d.cls = line.substr(start, line.find(' ', start) - start);
    size_t i = line.find('"', start);
    if (i == std::string::npos) return d;
    for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            const char c = line[++i];
            d.text += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            d.text += line[i];
        }
    }
    d.hidden = line.find(" hidden", i) != std::string::npos;
    return d;
}

std::vector<DumpLine> ParseDump(const std::string& tree) {
    std::vector<DumpLine> lines;
    std::istringstream in(tree);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(ParseDumpLine(line));
    return lines;
}

struct Box {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
};

// The frontmost visible dialog among the top-level windows, read as a box:
// its statics' texts and its buttons.
std::optional<Box> FrontBox(const std::vector<DumpLine>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].depth != 0 || lines[i].hidden || lines[i].cls != "Dialog") continue;
        Box box{lines[i].text, {}, {}};
        for (size_t j = i + 1; j < lines.size() && lines[j].depth > 0; ++j) {
            if (lines[j].depth != 1) continue;
            if (lines[j].cls == "Static" && !lines[j].text.empty())
                box.text += (box.text.empty() ? "" : "\n") + lines[j].text;
            if (lines[j].cls == "Button") box.buttons.push_back(lines[j].text);
        }
        return box;
    }
    return std::nullopt;
}

std::string MainTitle(const std::vector<DumpLine>& lines) {
    for (const DumpLine& d : lines)
        if (d.depth == 0 && !d.hidden && d.cls != "Dialog" && !d.text.empty()) return d.text;
    return "(none)";
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

std::string ScriptQuoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string Checksummed(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return "$" + body + tail;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    return lines;
}

// ---- The test's folder and simulator --------------------------------------------------------
void QuorvelTest::SetUp() {
    m_folder = std::make_unique<quorvel::testing::TempFolder>("qe");
    ASSERT_TRUE(m_folder->Made());
    RestartSimulator({});
}

void QuorvelTest::StopSimulator() {
    if (!m_simulator) return;
    m_simulator->Signal(SIGTERM);
    const ProcessResult r = m_simulator->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << "the receiver simulator: " << r.err;
    fs::remove(Path("gnss"));
    m_simulator.reset();
}

void QuorvelTest::RestartSimulator(const std::vector<std::string>& more) {
    StopSimulator();
    std::vector<std::string> args{"--link", Path("gnss")};
    args.insert(args.end(), more.begin(), more.end());
    m_simulator = std::make_unique<ChildProcess>(QUORVEL_GNSS_SIM, args, m_folder->Path(), "gnss");
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(Path("gnss")) || m_simulator->Exited(); },
                          "the receiver simulator's terminal", kRunMs));
    ASSERT_TRUE(fs::exists(Path("gnss"))) << ReadFile(m_simulator->StderrPath());
}

bool QuorvelTest::WaitForReceiverSetUp(const std::string& log) {
    return WaitUntil([&] { return ReadFile(log).find("$JSAVE") != std::string::npos; },
                     "the receiver's set-up", kRunMs);
}

void QuorvelTest::TearDown() {
    if (m_simulator) {
        m_simulator->Signal(SIGTERM);
        const ProcessResult r = m_simulator->Wait(kRunMs);
        EXPECT_EQ(r.status, 0) << "the receiver simulator: " << r.err;
    }
    m_simulator.reset();
    m_folder.reset();
}

std::string QuorvelTest::ReadHost(const std::string& relative) const {
    return ReadFile(Host(relative));
}

void QuorvelTest::WriteHost(const std::string& relative, const std::string& bytes) const {
    const fs::path path = Host(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string QuorvelTest::Reference(const std::string& name) {
    const std::string own = std::string(QUORVEL_SOURCE_DIR) + "/tests/e2e/data/" + name;
    if (fs::exists(own)) return ReadFile(own);
    const std::string app = std::string(QUORVEL_SOURCE_DIR) + "/tests/app/data/" + name;
    EXPECT_TRUE(fs::exists(app)) << "no reference " << name;
    return ReadFile(app);
}

// ---- Runs ---------------------------------------------------------------------------------------
std::vector<std::string> QuorvelTest::Args(const std::vector<std::string>& more) const {
    std::vector<std::string> args{"--root", Path("root"), "--port", "COM1=" + Path("gnss")};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

ProcessResult QuorvelTest::RunScript(const std::string& script,
                                     const std::vector<std::string>& more) {
    std::ofstream(Path("test.script"), std::ios::binary | std::ios::trunc) << script;
    std::vector<std::string> args = Args({"--script", Path("test.script")});
    args.insert(args.end(), more.begin(), more.end());
    ChildProcess quorvel(QUORVEL_COMMAND, args, m_folder->Path(), "quorvel");
    quorvel.CloseInput();
    return quorvel.Wait(kRunMs);
}

std::unique_ptr<ChildProcess> QuorvelTest::StartInteractive(const std::string& name,
                                                            const std::vector<std::string>& more) {
    std::vector<std::string> args = Args({"--script", "-"});
    args.insert(args.end(), more.begin(), more.end());
    return std::make_unique<ChildProcess>(QUORVEL_COMMAND, args, m_folder->Path(), name);
}

// The second dump is written only once the first is whole.
std::optional<std::string> QuorvelTest::RunLines(ChildProcess& quorvel, const std::string& lines) {
    const std::string name = Path("dump-" + std::to_string(++m_dumps));
    quorvel.Write(lines + "dump " + ScriptQuoted(name + ".txt") + "\ndump " +
                  ScriptQuoted(name + ".done") + "\n");
    const bool over = WaitUntil([&] { return fs::exists(name + ".done") || quorvel.Exited(); },
                                "the dump after " + ScriptQuoted(lines), kRunMs);
    EXPECT_TRUE(over);
    if (!fs::exists(name + ".done")) return std::nullopt;
    return ReadFile(name + ".txt");
}

// ---- Following the boxes --------------------------------------------------------------------
std::string QuorvelTest::TraceBoxes(ChildProcess& quorvel, const std::string& firstLines,
                                    const std::vector<BoxAnswer>& answers) {
    std::string transcript, lines = firstLines;
    for (int boxes = 0; boxes < 20; ++boxes) {
        const std::optional<std::string> tree = RunLines(quorvel, lines);
        if (!tree) {
            const std::optional<int> status = quorvel.Exited();
            return transcript + "ended " + (status ? std::to_string(*status) : "(no)") + "\n";
        }
        const std::vector<DumpLine> parsed = ParseDump(*tree);
        const std::optional<Box> box = FrontBox(parsed);
        if (!box) return transcript + "main window " + Quoted(MainTitle(parsed)) + "\n";
        std::string answer = "OK";
        for (const BoxAnswer& a : answers)
            if (box->text.find(a.text) != std::string::npos) answer = a.button;
        transcript += "box " + Quoted(box->caption) + " " + Quoted(box->text);
        for (const std::string& button : box->buttons) transcript += " [" + button + "]";
        transcript += " -> " + answer + "\n";
        // A script text holds no line break: the box's first line finds it.
        lines = "answer " + ScriptQuoted(box->text.substr(0, box->text.find('\n'))) + " " + answer +
                "\n";
    }
    ADD_FAILURE() << "box follows box:\n" << transcript;
    return transcript;
}

// ---- The root as files and registry --------------------------------------------------------
void QuorvelTest::FirstStart() {
    const ProcessResult r = RunScript("expect " + ScriptQuoted(kTitle) + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
}

void QuorvelTest::SetMeridianAtReceiver() {
    std::string par = ReadHost("Flash Disk/Jobs/ruvo/ruvo.par");
    const size_t meridian = par.find("\r\nszdCenter=0.0000000000\r\n");
    ASSERT_NE(meridian, std::string::npos) << par;
    par.replace(meridian + 12, 12, "114.0000000000");
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.par", par);
}

void QuorvelTest::SetSetting(const std::string& key, const std::string& value) {
    std::string ini = ReadHost("Flash Disk/Jobs/ruvo/ruvo.ini");
    const size_t at = ini.find("\r\n" + key + "=");
    ASSERT_NE(at, std::string::npos) << ini;
    const size_t end = ini.find("\r\n", at + 2);
    ini.replace(at + 2 + key.size() + 1, end - (at + 2 + key.size() + 1), value);
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.ini", ini);
}

void QuorvelTest::ReplayLines(const std::string& name, const std::vector<std::string>& lines,
                              const std::vector<std::string>& more) {
    std::ofstream capture(Path(name), std::ios::binary);
    for (const std::string& line : lines) capture << line << "\n";
    capture.close();
    std::vector<std::string> options = {"--replay", Path(name), "--replay-crlf", "--replay-lines",
                                        "1"};
    options.insert(options.end(), more.begin(), more.end());
    RestartSimulator(options);
}

void QuorvelTest::StandStill(const std::vector<std::string>& more) {
    const std::string gga = Checksummed(
        "GPGGA,100000.0,2230.0000000,N,11415.0000000,E,4,12,0.8,50.000,M,-3.000,M,1.0,0000");
    ReplayLines("still.nmea", std::vector<std::string>(3600, gga), more);
}

void StillReceiverTest::SetUp() {
    QuorvelTest::SetUp();
    if (HasFatalFailure()) return;
    FirstStart();
    if (HasFatalFailure()) return;
    SetMeridianAtReceiver();
    if (HasFatalFailure()) return;
    StandStill();
}

void QuorvelTest::Quit(ChildProcess& quorvel) {
    quorvel.Write("quit\nanswer " + ScriptQuoted(kExitQuestion) + " YES\n");
    quorvel.CloseInput();
    const ProcessResult r = quorvel.Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
}

std::map<std::string, std::string> QuorvelTest::RootEntries() const {
    std::map<std::string, std::string> entries;
    const fs::path root = Path("root");
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string relative = fs::relative(it->path(), root).string();
        if (relative == ".quorvel") {
            it.disable_recursion_pending();
            continue;
        }
        entries[relative] = it->is_directory() ? "<dir>" : ReadFile(it->path().string());
    }
    return entries;
}

std::string QuorvelTest::RegistryText(const std::wstring& subKey, const std::wstring& name) const {
    quorvel::SetDeviceRoot(Path("root"));
    quorvel::ResetRegistryForTests();
    std::string result = "<none>";
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, 0, &key) == ERROR_SUCCESS) {
        wchar_t text[128] = {};
        DWORD type = 0, size = sizeof text - sizeof(wchar_t);
        if (RegQueryValueEx(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text),
                            &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            // The stored length counts the terminating zero.
            const std::wstring value(text);
            result = size == (value.size() + 1) * sizeof(wchar_t) ? quorvel::ToUtf8(value.c_str())
                                                                  : "<bad length>";
        }
        RegCloseKey(key);
    }
    quorvel::SetDeviceRoot("");
    quorvel::ResetRegistryForTests();
    return result;
}

std::string QuorvelTest::WrittenBack(const std::string& ini) {
    std::string out = ini;
    const size_t port = out.find("\r\nPort=3\r\n");
    if (port != std::string::npos) out[port + 7] = '1';
    return out;
}

bool QuorvelTest::IsPng(const std::string& path) {
    return ReadFile(path).rfind("\x89PNG\r\n\x1a\n", 0) == 0;
}

}  // namespace e2e
