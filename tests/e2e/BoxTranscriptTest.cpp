// The boxes a damaged root shows, in order, answered one by one through
// the script on standard input and compared with transcripts written by
// hand; the program opens the default job all the same, and what it can
// write on the way out is whole.
#include <csignal>
#include <filesystem>

#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::vector<BoxAnswer> kYesToExit = {{kExitQuestion, "YES"}};

TEST_F(QuorvelTest, AFlashDiskThatIsAFileShowsEveryWriteFailureOnTheWayInAndOut) {
    ASSERT_NO_FATAL_FAILURE(FirstStart());
    fs::remove_all(Host("Flash Disk"));
    WriteHost("Flash Disk", "not a folder\r\n");
    auto quorvel = StartInteractive();
    std::string transcript = TraceBoxes(*quorvel);
    transcript += TraceBoxes(*quorvel, "quit\n", kYesToExit);
    EXPECT_EQ(transcript, Reference("boxes_flash_disk_file.txt"));
    EXPECT_EQ(ReadHost("Flash Disk"), "not a folder\r\n");

    // A signal ends it without the question; the box of the settings that
    // cannot be written on the way out is closed as cancelled.
    const std::string startUp = transcript.substr(0, transcript.find("box \"提示\""));
    quorvel = StartInteractive();
    EXPECT_EQ(TraceBoxes(*quorvel), startUp);
    quorvel->Signal(SIGTERM);
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadHost("Flash Disk"), "not a folder\r\n");
}

TEST_F(QuorvelTest, ASystemFileThatIsAFolderGivesWayToTheDefaultJob) {
    ASSERT_NO_FATAL_FAILURE(FirstStart());
    fs::remove(Host("Flash Disk/esystem.sys"));
    fs::create_directories(Host("Flash Disk/esystem.sys"));
    auto quorvel = StartInteractive();
    EXPECT_EQ(TraceBoxes(*quorvel), Reference("boxes_system_file_folder.txt"));
    // The end of the script: the program ends without asking, the job's
    // settings written back as they were read.
    quorvel->CloseInput();
    const ProcessResult r = quorvel->Wait(kRunMs);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_directory(Host("Flash Disk/esystem.sys")));
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.ini"), WrittenBack(Reference("default_job.ini")));
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.par"), Reference("default_job.par"));
}

TEST_F(QuorvelTest, AGarbageSettingsFileOpensQuietlyAndIsWrittenWholeOnTheWayOut) {
    ASSERT_NO_FATAL_FAILURE(FirstStart());
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.ini", "\x01\x02 garbage ]]]=[[[\r\nnothing=here\r\n");
    auto quorvel = StartInteractive();
    std::string transcript = TraceBoxes(*quorvel);
    transcript += TraceBoxes(*quorvel, "quit\n", kYesToExit);
    EXPECT_EQ(transcript, Reference("boxes_garbage_settings.txt"));
    // Every key found nowhere: the reader's fallbacks, the rest the default
    // job's values, never zeros; the plan refused the window of scale 0 and
    // kept its own, which is the one written back.
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.ini"), Reference("garbage_job_saved.ini"));
}

}  // namespace
}  // namespace e2e
