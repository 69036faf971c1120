// An append file on a store that fills up part-way through a line: however
// the opening ends (closed, closed without a word, aborted, opened again or
// simply dropped), the part of the line that went out is taken back and a
// file the opening created is gone; an opening whose lines all went out
// keeps them whichever way it ends.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/StoreSpace.h"
#include "pointdata/AppendFile.h"
#include "tests/pointdata/WriterTestRoot.h"

namespace {

namespace fs = std::filesystem;

using AppendFileTest = WriterTest;

const char kKept[] = "A,1,2\r\n";
const wchar_t kLongLine[] = L"B,2018653.113,505287.738,13.700,TREE,10,0.012,0.021,9";

struct Unlimit {
    ~Unlimit() { quorvel::files::UnlimitStoreSpaceForTest(); }
};

// Each way an opening can end; the file is dropped afterwards in any case.
using Ending = std::function<void(std::unique_ptr<CAppendFile>&)>;

std::vector<std::pair<const char*, Ending>> Endings() {
    return {
        {"dropped", [](std::unique_ptr<CAppendFile>& file) { file.reset(); }},
        {"CloseAppended", [](std::unique_ptr<CAppendFile>& file) { (void)file->CloseAppended(); }},
        {"Close", [](std::unique_ptr<CAppendFile>& file) { file->Close(); }},
        {"Abort", [](std::unique_ptr<CAppendFile>& file) { file->Abort(); }},
        {"opened again",
         [](std::unique_ptr<CAppendFile>& file) {
             ASSERT_TRUE(file->OpenToAppend(kDepthFile));
             EXPECT_TRUE(file->CloseAppended());
         }},
    };
}

TEST_F(AppendFileTest, ALineThatDidNotFitIsTakenBackHoweverTheOpeningEnds) {
    Unlimit unlimit;
    for (const auto& [name, end] : Endings()) {
        for (const bool existing : {true, false}) {
            SCOPED_TRACE(std::string(name) + (existing ? ", existing file" : ", new file"));
            if (existing)
                WriteDeviceFile(kRawFile, kKept);
            else
                fs::remove(HostPath(kRawFile));
            auto file = std::make_unique<CAppendFile>();
            ASSERT_TRUE(file->OpenToAppend(kRawFile));
            quorvel::files::LimitStoreSpaceForTest(10);
            EXPECT_FALSE(file->AppendLine(kLongLine));
            quorvel::files::UnlimitStoreSpaceForTest();
            end(file);
            file.reset();
            if (existing)
                EXPECT_EQ(ReadDeviceFile(kRawFile), kKept);
            else
                EXPECT_FALSE(fs::exists(HostPath(kRawFile)));
        }
    }
}

TEST_F(AppendFileTest, WholeLinesStayHoweverTheOpeningEnds) {
    for (const auto& [name, end] : Endings()) {
        SCOPED_TRACE(name);
        WriteDeviceFile(kRawFile, kKept);
        auto file = std::make_unique<CAppendFile>();
        ASSERT_TRUE(file->OpenToAppend(kRawFile));
        EXPECT_TRUE(file->AppendLine(L"C"));
        end(file);
        file.reset();
        EXPECT_EQ(ReadDeviceFile(kRawFile), std::string(kKept) + "C\r\n");
    }
}

}  // namespace
