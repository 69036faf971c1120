// Symbolic links in the device root: whatever the program does through a
// link that leads out of the root, round a cycle or to nothing, nothing
// outside the root is read, listed or changed; a link that stays inside the
// root works. Every case runs twice: with the kernel's own lookup beneath the
// root and with the walk used where the kernel lacks it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/device/KernelIoControl.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/Beneath.h"
#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "platform/files/HostFs.h"
#include "platform/files/HostText.h"
#include "platform/files/Registry.h"
#include "platform/serial/PortMap.h"
#include "tests/platform/files/TestRoot.h"

namespace {

namespace fs = std::filesystem;

std::wstring Wide(const std::string& text) {
    return quorvel::files::Utf8ToWideLoose(text);
}

// A digest of every entry under `folder` but `skip`: names, kinds, link
// targets, sizes, permissions, times and contents.
std::string Digest(const fs::path& folder, const fs::path& skip) {
    std::string out;
    std::vector<fs::path> entries;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        if (it->path() == skip) {
            it.disable_recursion_pending();
            continue;
        }
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    entries.push_back(folder);
    for (const fs::path& path : entries) {
        struct stat st {};
        ::lstat(path.c_str(), &st);
        out += path.string() + " " + std::to_string(st.st_mode) + " " + std::to_string(st.st_size) +
               " " + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
        if (S_ISLNK(st.st_mode)) out += " -> " + fs::read_symlink(path).string();
        if (S_ISREG(st.st_mode)) {
            std::ifstream in(path, std::ios::binary);
            out += " " + std::string(std::istreambuf_iterator<char>(in), {});
        }
        out += "\n";
    }
    return out;
}

// Where an open descriptor really is on the host.
std::string WhereIs(int fd) {
    char buffer[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
    return n < 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
}

bool IsWithin(const std::string& path, const std::string& folder) {
    return path == folder || path.rfind(folder + "/", 0) == 0;
}

class RootLinksTest : public DeviceRootTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        quorvel::files::UseBeneathWalk(GetParam());
        // The folder outside the root that nothing may touch.
        std::filesystem::create_directories(m_base + "/watched/sub");
        std::ofstream(m_base + "/watched/secret.txt") << "outside";
        std::ofstream(m_base + "/watched/ports") << "COM3=/dev/outside\n";
        std::ofstream(m_base + "/watched/device.conf") << "profile=none\n";
        std::ofstream(m_base + "/watched/registry")
            << "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\Outside]\nend\n";
        WriteHost("Inside/file.txt", "inside");
        Link("/", "ToSlash");
        Link("..", "ToParent");
        Link(m_base + "/watched", "ToWatched");
        Link("../..", "Inside/UpTwo");  // out, from a folder below the root
        Link("..", "Inside/Up");        // the root itself: stays inside
        Link("Inside", "InsideLink");
        Link("../watched/secret.txt", "SecretLink");
        Link("Loop", "Cycle");
        Link("Cycle", "Loop");
        Link("nothing/here", "Dangling");
        m_watched = Digest(m_base, m_root);
    }
    void TearDown() override {
        quorvel::files::UseBeneathWalk(false);
        DeviceRootTest::TearDown();
    }
    void Link(const std::string& target, const std::string& name) const {
        fs::create_symlink(target, Host(name));
    }
    void ExpectOutsideUntouched() const { EXPECT_EQ(Digest(m_base, m_root), m_watched); }

    // The watched folder as seen through each link that leads out.
    std::vector<std::wstring> WaysOut() const {
        std::wstring throughSlash = L"\\ToSlash";
        for (const auto& part : fs::path(m_base)) {
            if (part != "/") throughSlash += L"\\" + Wide(part.string());
        }
        return {throughSlash + L"\\watched",
                L"\\ToParent\\watched",
                L"\\ToWatched",
                L"\\Inside\\UpTwo\\watched",
                L"\\Cycle",
                L"\\Dangling"};
    }

    std::string m_watched;
};

std::string ReadAll(LPCTSTR path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return "<open failed>";
    std::string text(static_cast<size_t>(file.GetLength()), '\0');
    text.resize(file.Read(text.data(), static_cast<UINT>(text.size())));
    return text;
}

std::set<std::wstring> List(const std::wstring& pattern) {
    std::set<std::wstring> names;
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.insert(data.cFileName);
    } while (FindNextFile(find, &data));
    FindClose(find);
    return names;
}

TEST_P(RootLinksTest, NothingOutsideTheRootIsReachedThroughALink) {
    for (const std::wstring& out : WaysOut()) {
        const std::wstring secret = out + L"\\secret.txt";
        SCOPED_TRACE(std::string(out.begin(), out.end()));
        SetLastError(0);
        EXPECT_EQ(GetFileAttributes(secret.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
        EXPECT_EQ(GetFileAttributes(out.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(ReadAll(secret.c_str()), "<open failed>");
        CFile file;
        EXPECT_FALSE(file.Open((out + L"\\new.txt").c_str(), CFile::modeCreate | CFile::modeWrite));
        EXPECT_FALSE(file.Open(secret.c_str(), CFile::modeWrite | CFile::modeNoTruncate));
        EXPECT_FALSE(CreateDirectory((out + L"\\made").c_str(), nullptr));
        EXPECT_TRUE(List(out + L"\\*.*").empty());
        EXPECT_TRUE(List(out).empty());
        EXPECT_FALSE(MoveFile(secret.c_str(), L"\\moved.txt"));
        EXPECT_FALSE(MoveFile(L"\\Inside\\file.txt", (out + L"\\stolen.txt").c_str()));
        EXPECT_FALSE(MoveFile((out + L"\\sub").c_str(), L"\\sub"));
        EXPECT_FALSE(DeleteFile(secret.c_str()));
        EXPECT_FALSE(RemoveDirectory((out + L"\\sub").c_str()));
        EXPECT_FALSE(CopyFile(secret.c_str(), L"\\copy.txt", FALSE));
        EXPECT_FALSE(CopyFile(L"\\Inside\\file.txt", secret.c_str(), FALSE));
        EXPECT_FALSE(quorvel::WriteFileAtomic(secret.c_str(), "x", 1));
        EXPECT_FALSE(quorvel::WriteFileAtomic((out + L"\\fresh.txt").c_str(), "x", 1));
        quorvel::CAtomicFileWriter writer;
        EXPECT_FALSE(writer.Open(secret.c_str()));
        std::string host;
        EXPECT_FALSE(quorvel::ResolveDevicePath(secret.c_str(), host, true));
    }
    EXPECT_EQ(ReadHost("Inside/file.txt"), "inside");
    EXPECT_FALSE(HostExists("moved.txt") || HostExists("copy.txt") || HostExists("sub"));
    ExpectOutsideUntouched();
}

// The links themselves, used as names: not there to read, list or delete,
// and their names cannot be taken.
TEST_P(RootLinksTest, ALinkThatLeadsNowhereInsideIsAMissingNameThatCannotBeTaken) {
    for (LPCTSTR link : {L"\\SecretLink", L"\\ToParent", L"\\ToSlash", L"\\Cycle", L"\\Dangling",
                         L"\\inside\\uptwo", L"\\secretlink"}) {
        SCOPED_TRACE(std::wstring(link).size());
        SetLastError(0);
        EXPECT_EQ(GetFileAttributes(link), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(ReadAll(link), "<open failed>");
        EXPECT_FALSE(DeleteFile(link));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_FALSE(RemoveDirectory(link));
        EXPECT_FALSE(MoveFile(link, L"\\renamed"));
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(link, CFile::modeCreate | CFile::modeWrite, &error));
        EXPECT_EQ(error.m_cause, CFileException::accessDenied);
        EXPECT_FALSE(CreateDirectory(link, nullptr));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_FALSE(quorvel::WriteFileAtomic(link, "x", 1));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_FALSE(MoveFile(L"\\Inside\\file.txt", link));
        EXPECT_FALSE(CopyFile(L"\\Inside\\file.txt", link, FALSE));
    }
    EXPECT_EQ(List(L"\\*.*"), (std::set<std::wstring>{L"Inside", L"InsideLink"}));
    EXPECT_EQ(List(L"\\Inside\\*"), (std::set<std::wstring>{L"file.txt", L"Up"}));
    EXPECT_TRUE(List(L"\\SecretLink").empty());
    EXPECT_EQ(ReadHost("Inside/file.txt"), "inside");
    for (const char* link : {"SecretLink", "ToParent", "ToSlash", "Cycle", "Dangling"}) {
        EXPECT_TRUE(fs::is_symlink(Host(link))) << link;
    }
    ExpectOutsideUntouched();
}

TEST_P(RootLinksTest, ALinkThatStaysInsideTheRootWorksForEverything) {
    EXPECT_EQ(ReadAll(L"\\InsideLink\\file.txt"), "inside");
    EXPECT_EQ(ReadAll(L"\\Inside\\Up\\Inside\\Up\\InsideLink\\FILE.TXT"), "inside");
    EXPECT_EQ(GetFileAttributes(L"\\InsideLink"), FILE_ATTRIBUTE_DIRECTORY);
    CFile file;
    ASSERT_TRUE(file.Open(L"\\insidelink\\new.txt", CFile::modeCreate | CFile::modeWrite));
    EXPECT_TRUE(file.Write("new", 3));
    file.Close();
    EXPECT_EQ(ReadHost("Inside/new.txt"), "new");
    EXPECT_EQ(List(L"\\InsideLink\\*.txt"), (std::set<std::wstring>{L"file.txt", L"new.txt"}));
    EXPECT_TRUE(CreateDirectory(L"\\InsideLink\\Jobs", nullptr));
    EXPECT_TRUE(fs::is_directory(Host("Inside/Jobs")));
    EXPECT_TRUE(MoveFile(L"\\InsideLink\\new.txt", L"\\Inside\\Up\\InsideLink\\Jobs\\moved.txt"));
    EXPECT_EQ(ReadHost("Inside/Jobs/moved.txt"), "new");
    ASSERT_TRUE(quorvel::WriteFileAtomic(L"\\InsideLink\\Jobs\\moved.txt", "replaced", 8));
    EXPECT_EQ(ReadHost("Inside/Jobs/moved.txt"), "replaced");
    EXPECT_TRUE(CopyFile(L"\\InsideLink\\Jobs\\moved.txt", L"\\InsideLink\\copy.txt", TRUE));
    EXPECT_EQ(ReadHost("Inside/copy.txt"), "replaced");
    EXPECT_TRUE(DeleteFile(L"\\InsideLink\\Jobs\\moved.txt"));
    EXPECT_TRUE(RemoveDirectory(L"\\InsideLink\\Jobs"));
    EXPECT_FALSE(HostExists("Inside/Jobs"));
    // A link to a file inside the root reads that file; replacing it
    // replaces the link, as a rename does.
    Link("Inside/copy.txt", "CopyLink");
    EXPECT_EQ(ReadAll(L"\\CopyLink"), "replaced");
    ASSERT_TRUE(quorvel::WriteFileAtomic(L"\\CopyLink", "own", 3));
    EXPECT_FALSE(fs::is_symlink(Host("CopyLink")));
    EXPECT_EQ(ReadHost("Inside/copy.txt"), "replaced");
    ExpectOutsideUntouched();
}

// The registry, the serial port map and the device settings are files at the
// top of the root: as links out of it they are not read, and saving the
// registry replaces the link, not what it pointed at.
TEST_P(RootLinksTest, TheFilesAtTheTopOfTheRootAreNotReadThroughLinksOut) {
    Link("../watched/registry", ".registry");
    Link("../watched/ports", "ports");
    Link("../watched/device.conf", "device.conf");
    quorvel::ResetRegistryForTests();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"Outside", 0, 0, &key), ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Inside", 0, nullptr, 0, 0, nullptr, &key,
                             &disposition),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Host(".registry"))));
    EXPECT_EQ(quorvel::SerialPortHostPath(3), "");
    quorvel::ResetDeviceEmulation();
    EXPECT_EQ(quorvel::CurrentDeviceProfile(), quorvel::DeviceProfile::kOemInterface);
    ExpectOutsideUntouched();

    // The same files as links inside the root are read.
    fs::remove(Host("ports"));
    fs::remove(Host("device.conf"));
    WriteHost("Inside/ports", "COM3=/dev/inside\n");
    WriteHost("Inside/device.conf", "profile=none\n");
    Link("Inside/ports", "ports");
    Link("Inside/device.conf", "device.conf");
    EXPECT_EQ(quorvel::SerialPortHostPath(3), "/dev/inside");
    quorvel::ResetDeviceEmulation();
    EXPECT_EQ(quorvel::CurrentDeviceProfile(), quorvel::DeviceProfile::kNone);
    quorvel::ResetDeviceEmulation();
}

// Random host paths over a tree full of links, opened beneath the root by
// both ways of looking up: each opens the same entry or fails alike, and
// every entry opened is inside the root.
TEST_P(RootLinksTest, RandomPathsWithLinksNeverResolveOutsideTheRoot) {
    WriteHost("a/b/c/f.txt", "f");
    Link("..", "a/up");
    Link("../..", "a/b/up2");
    Link("../../..", "a/b/c/up3");  // out
    Link(m_root + "/a", "a/abs");   // absolute, even to inside: refused
    Link(".", "a/b/self");
    Link("b/c", "a/bc");
    Link("../a/b/../b/c/../../up", "a/twisty");
    Link("cyc2", "a/cyc1");
    Link("cyc1", "a/cyc2");
    const std::vector<std::string> words = {"a",      "b",    "c",        "f.txt",   "..",     ".",
                                            "up",     "up2",  "up3",      "abs",     "self",   "bc",
                                            "twisty", "cyc1", "ToParent", "ToSlash", "Inside", "x"};
    const std::string realRoot = fs::canonical(m_root).string();
    std::mt19937 random(20261206);
    int opened = 0;
    const quorvel::files::UniqueFd root = quorvel::files::OpenRoot();
    ASSERT_TRUE(root.Valid());
    // Mostly paths that lead somewhere, so that the deep ones get tried too.
    auto opens = [&](const std::string& relative) {
        return quorvel::files::OpenBeneath(root.Get(), relative, O_PATH | O_CLOEXEC).Valid();
    };
    for (int round = 0; round < 3000; ++round) {
        std::string relative;
        const int length = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < length; ++i) {
            std::string next;
            for (int attempt = 0; attempt < 8; ++attempt) {
                next = quorvel::files::JoinRelative(relative, words[random() % words.size()]);
                if (opens(next) || random() % 32 == 0) break;
            }
            relative = next;
        }
        quorvel::files::UseBeneathWalk(true);
        const quorvel::files::UniqueFd walked =
            quorvel::files::OpenBeneath(root.Get(), relative, O_PATH | O_CLOEXEC);
        quorvel::files::UseBeneathWalk(GetParam());
        const quorvel::files::UniqueFd looked =
            quorvel::files::OpenBeneath(root.Get(), relative, O_PATH | O_CLOEXEC);
        ASSERT_EQ(walked.Valid(), looked.Valid()) << relative;
        if (!walked.Valid()) continue;
        ++opened;
        struct stat a {
        }, b{};
        ASSERT_EQ(::fstat(walked.Get(), &a), 0);
        ASSERT_EQ(::fstat(looked.Get(), &b), 0);
        EXPECT_EQ(a.st_ino, b.st_ino) << relative;
        ASSERT_TRUE(IsWithin(WhereIs(walked.Get()), realRoot)) << relative;
    }
    EXPECT_GT(opened, 600);  // the tree is reachable, not refused wholesale
    // And device paths made of the same words, through the file functions.
    for (int round = 0; round < 1000; ++round) {
        std::wstring path;
        const int length = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < length; ++i) path += L"\\" + Wide(words[random() % words.size()]);
        const std::wstring made = path + L"\\n" + std::to_wstring(round);
        CFile file;
        if (file.Open(made.c_str(), CFile::modeCreate | CFile::modeWrite)) file.Close();
        // Whether they are made does not matter: where they land does.
        (void)CreateDirectory((made + L"d").c_str(), nullptr);
        (void)quorvel::WriteFileAtomic((made + L"w").c_str(), "w", 1);
        List(path + L"\\*");
        quorvel::files::ResolvedPath resolved;
        if (quorvel::files::Resolve(made.c_str(), false, resolved) == ERROR_SUCCESS) {
            ASSERT_TRUE(IsWithin(WhereIs(resolved.folder.Get()), realRoot));
        }
    }
    ExpectOutsideUntouched();
}

INSTANTIATE_TEST_SUITE_P(Lookups, RootLinksTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Walk" : "Kernel";
                         });

}  // namespace
