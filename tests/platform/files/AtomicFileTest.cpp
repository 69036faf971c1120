// Whole-file replacement under kills and failures.
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/files/AtomicFile.h"
#include "platform/files/FileApi.h"
#include "platform/testing/TempDeviceRoot.h"
#include "tests/platform/files/ChildProcess.h"

namespace {

using quorvel::testing::DeviceRootTest;

class AtomicFileTest : public DeviceRootTest {
  protected:
    // Host entries of a folder other than `keep` that are not our temporaries.
    std::vector<std::string> Strangers(const std::string& folder, const std::string& keep) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Host(folder))) {
            const std::string name = entry.path().filename().string();
            if (name != keep && name.rfind(".~qv", 0) != 0) names.push_back(name);
        }
        return names;
    }
    void RemoveTemporaries(const std::string& folder) const {
        for (const auto& entry : std::filesystem::directory_iterator(Host(folder))) {
            if (entry.path().filename().string().rfind(".~qv", 0) == 0) {
                std::filesystem::remove(entry.path());
            }
        }
    }
};

const LPCTSTR kSettings = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini";

// Writers that replace the file over and over until they are killed, each at
// a random moment once it has made at least one replacement: the file is
// always one whole version, never a mix or a cut. A hundred rounds in the
// normal run, a thousand in the soak run.
TEST_F(AtomicFileTest, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
    WriteHost("Flash Disk/Jobs/ruvo/keep.txt", "");
    const std::string small(1000, 's');
    const std::string large(200000, 'L');
    ASSERT_TRUE(quorvel::WriteFileAtomic(kSettings, small.data(), small.size()));
    std::mt19937 random(20120601);
    const int rounds = getenv("QUORVEL_SOAK") != nullptr ? 1000 : 100;
    for (int round = 0; round < rounds; ++round) {
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t child = Spawn([&] {
            for (int i = 0;; ++i) {
                const std::string& text = (i % 2 == 0) ? large : small;
                if (!quorvel::WriteFileAtomic(kSettings, text.data(), text.size())) return 2;
                if (i == 0 && ::write(progress[1], "w", 1) != 1) return 3;
            }
        });
        ASSERT_GT(child, 0);
        ::close(progress[1]);
        char done = 0;
        ASSERT_EQ(::read(progress[0], &done, 1), 1) << "no replacement in round " << round;
        ::close(progress[0]);
        ::usleep(random() % 2000);
        ::kill(child, SIGKILL);
        const ChildResult result = Wait(child);
        ASSERT_TRUE(result.killed)
            << "the writer stopped with " << result.code << " in round " << round;
        const std::string content = ReadHost("Flash Disk/Jobs/ruvo/ruvo.ini");
        ASSERT_TRUE(content == small || content == large)
            << "torn file of " << content.size() << " bytes in round " << round;
        RemoveTemporaries("Flash Disk/Jobs/ruvo");  // a killed writer may leave one
    }
    EXPECT_EQ(Strangers("Flash Disk/Jobs/ruvo", "ruvo.ini"), std::vector<std::string>{"keep.txt"});
}

TEST_F(AtomicFileTest, ImpossibleTargetsFailAndLeaveEverythingAsItWas) {
    WriteHost("Flash Disk/old.ini", "old");
    WriteHost("Flash Disk/held/inner.txt", "inner");
    SetLastError(0);
    EXPECT_FALSE(quorvel::WriteFileAtomic(L"\\Flash Disk\\missing\\new.ini", "x", 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(quorvel::WriteFileAtomic(L"\\Flash Disk\\HELD", "x", 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadHost("Flash Disk/held/inner.txt"), "inner");
    EXPECT_FALSE(quorvel::WriteFileAtomic(L"\\", "x", 1));
    EXPECT_FALSE(quorvel::WriteFileAtomic(L"\\Flash Disk\\old.ini", nullptr, 5));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(ReadHost("Flash Disk/old.ini"), "old");
    EXPECT_TRUE(Strangers("Flash Disk", "old.ini") == std::vector<std::string>{"held"});
}

TEST_F(AtomicFileTest, AWriteThatFailsMidwayKeepsTheOriginalAndRemovesTheTemporary) {
    WriteHost("Flash Disk/old.ini", "original");
    const ChildResult result = RunChild([] {
        // Files may not grow past 4 KiB in this child: the write fails midway.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        const std::string big(100000, 'x');
        if (quorvel::WriteFileAtomic(L"\\flash disk\\OLD.INI", big.data(), big.size())) return 11;
        if (GetLastError() != ERROR_DISK_FULL) return 100 + static_cast<int>(GetLastError() % 100);
        quorvel::CAtomicFileWriter writer;
        if (!writer.Open(L"\\Flash Disk\\old.ini")) return 13;
        (void)writer.Write(big.data(), big.size());  // the next write and the commit tell
        if (writer.Write("y", 1) || writer.Commit()) return 14;
        return 0;
    });
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(ReadHost("Flash Disk/old.ini"), "original");
    EXPECT_TRUE(Strangers("Flash Disk", "old.ini").empty());
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(Host("Flash Disk"))) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);  // no temporary left behind
}

TEST_F(AtomicFileTest, StreamingWriterCommitsAbortsAndKeepsPermissions) {
    WriteHost("cfg.txt", "v1");
    std::filesystem::permissions(Host("cfg.txt"), std::filesystem::perms(0640));
    {
        quorvel::CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(L"\\CFG.TXT"));
        ASSERT_TRUE(writer.Write("v", 1));
        ASSERT_TRUE(writer.Write("2-long", 6));
        EXPECT_EQ(ReadHost("cfg.txt"), "v1");  // nothing visible before Commit
        ASSERT_TRUE(writer.Commit());
        EXPECT_FALSE(writer.Commit());  // once only
    }
    EXPECT_EQ(ReadHost("cfg.txt"), "v2-long");
    EXPECT_EQ(std::filesystem::status(Host("cfg.txt")).permissions(), std::filesystem::perms(0640));
    {
        quorvel::CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(L"\\cfg.txt"));
        EXPECT_TRUE(writer.Write("dropped", 7));
    }  // destroyed without Commit
    {
        quorvel::CAtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(L"\\cfg.txt"));
        EXPECT_TRUE(writer.Write("dropped", 7));
        writer.Abort();
        EXPECT_FALSE(writer.Write("x", 1));
        EXPECT_FALSE(writer.Commit());
    }
    EXPECT_EQ(ReadHost("cfg.txt"), "v2-long");
    EXPECT_TRUE(Strangers("", "cfg.txt").empty());
    ASSERT_TRUE(quorvel::WriteFileAtomic(L"\\new.txt", "", 0));
    EXPECT_EQ(GetFileAttributes(L"\\new.txt"), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
