// The writer against folders and files it cannot write: nothing is written
// through a file that did not open, every call says so, and later records
// land once the file can be written.
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/files/FileApi.h"
#include "platform/files/StoreSpace.h"
#include "tests/pointdata/WriterTestRoot.h"

namespace {

namespace fs = std::filesystem;

DepthSample Sample() {
    return DepthSample{L"7", 3.5, 10, 5, 7.0, 2026, 6, 1};
}

CStringRecord32 Record(LPCTSTR name) {
    CStringRecord32 record;
    record[0] = name;
    record[25] = L"0";
    return record;
}

const char kRecordA[] = "A,,,,,,,,,,,,,,,,,,,,,,,,,0,,,,,,,\r\n";

}  // namespace

// Every operation on a job whose folders are gone: all report failure and
// leave the root as it was; once the folders exist again, the next calls
// write complete files, the .RTK header included.
TEST_F(WriterTest, MissingFoldersThenCreated) {
    fs::remove_all(HostPath(L"\\Flash Disk\\Jobs\\ruvo"));
    const std::string before = ListRoot();
    StoreFirstPoint();
    m_doc.m_nStoreKind = 1;
    m_writer.m_smoothEpochs.Add(m_doc.m_storeFix);
    EXPECT_FALSE(m_writer.AppendFieldRecord(kRawFile, Record(L"A")));
    EXPECT_FALSE(m_writer.AppendTimedRecord(kDepthFile, Sample()));
    EXPECT_FALSE(m_writer.AppendMeasuredPoint());
    EXPECT_FALSE(m_writer.AppendRtkRecord(FALSE));
    EXPECT_FALSE(m_writer.AppendRtkRecord(TRUE));
    EXPECT_FALSE(m_writer.AppendRtkRecordV1());
    EXPECT_FALSE(m_writer.AppendLibRecords());
    EXPECT_EQ(ListRoot(), before);

    ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\ruvo", nullptr));
    ASSERT_TRUE(CreateDirectory(kDataDir, nullptr));
    EXPECT_TRUE(m_writer.AppendFieldRecord(kRawFile, Record(L"A")));
    EXPECT_TRUE(m_writer.AppendMeasuredPoint());
    EXPECT_TRUE(m_writer.AppendRtkRecord(FALSE));
    EXPECT_TRUE(m_writer.AppendLibRecords());
    EXPECT_EQ(ReadDeviceFile(kRawFile), kRecordA);
    const std::string rtk = ReadDeviceFile(kRtkFile);
    EXPECT_EQ(rtk.rfind("Rem Version      Ver1.00.050603\r\n", 0), 0u) << rtk;
    EXPECT_NE(ReadDeviceFile(kBlhFile).find("P1,"), std::string::npos);
    EXPECT_NE(ReadDeviceFile(kLibFile).find("0,P1,"), std::string::npos);
}

// A folder where the .RTK file should be: the .RTK line is dropped, the
// folder stays as it was, and the .BLH companion is still written.
TEST_F(WriterTest, FolderInTheFilesPlace) {
    ASSERT_TRUE(CreateDirectory(kRtkFile, nullptr));
    ASSERT_TRUE(CreateDirectory(kRawFile, nullptr));
    StoreFirstPoint();
    m_doc.m_nStoreKind = 1;
    EXPECT_FALSE(m_writer.AppendRtkRecord(FALSE));
    EXPECT_FALSE(m_writer.AppendRtkRecordV1());
    EXPECT_FALSE(m_writer.AppendFieldRecord(kRawFile, Record(L"A")));
    EXPECT_TRUE(fs::is_empty(HostPath(kRtkFile)));
    EXPECT_TRUE(fs::is_empty(HostPath(kRawFile)));
    EXPECT_NE(ReadDeviceFile(kBlhFile).find("P1,"), std::string::npos);
}

// A read-only raw file keeps its bytes; once writable again the next
// record lands on a line of its own.
TEST_F(WriterTest, ReadOnlyFileIsLeftAlone) {
    ASSERT_TRUE(m_writer.AppendFieldRecord(kRawFile, Record(L"A")));
    ASSERT_EQ(chmod(HostPath(kRawFile).c_str(), 0444), 0);
    EXPECT_FALSE(m_writer.AppendFieldRecord(kRawFile, Record(L"B")));
    EXPECT_EQ(ReadDeviceFile(kRawFile), kRecordA);
    ASSERT_EQ(chmod(HostPath(kRawFile).c_str(), 0644), 0);
    EXPECT_TRUE(m_writer.AppendFieldRecord(kRawFile, Record(L"C")));
    EXPECT_EQ(ReadDeviceFile(kRawFile), std::string(kRecordA) + "C" + (kRecordA + 1));
}

// A torn last line (no LF) is ended with CR LF before the next record, in
// every kind of file; a line ended by a bare LF needs nothing, and an
// existing .RTK file gets no header however it ends.
TEST_F(WriterTest, TornLastLineGetsTheNextRecordOnALineOfItsOwn) {
    WriteDeviceFile(kRawFile, "A,1,2");
    WriteDeviceFile(kDepthFile, "6,2026-06-01,10: 5:07,3.50\n");
    WriteDeviceFile(kRtkFile, "Rem Version      Ver1.00.050603\r\nP0,18.15");
    WriteDeviceFile(kPointFile, "P0,1.0\r");
    EXPECT_TRUE(m_writer.AppendFieldRecord(kRawFile, Record(L"A")));
    EXPECT_TRUE(m_writer.AppendTimedRecord(kDepthFile, Sample()));
    StoreFirstPoint();
    EXPECT_TRUE(m_writer.AppendRtkRecord(TRUE));
    EXPECT_TRUE(m_writer.AppendMeasuredPoint());
    EXPECT_EQ(ReadDeviceFile(kRawFile), std::string("A,1,2\r\n") + kRecordA);
    EXPECT_EQ(ReadDeviceFile(kDepthFile),
              "6,2026-06-01,10: 5:07,3.50\n7,2026-06-01,10: 5:07,3.50\r\n");
    EXPECT_EQ(ReadDeviceFile(kRtkFile),
              "Rem Version      Ver1.00.050603\r\nP0,18.15\r\n"
              "Rem BaseStation  2018700.123  505300.988  20.500  18.2533000000  "
              "114.0211000000  30.125\r\n");
    EXPECT_EQ(ReadDeviceFile(kPointFile),
              "P0,1.0\r\r\nP1,2018653.113,505287.738,13.700,TREE,10,0.012,0.021,9,1.25,"
              "08:05:3.25,0.0000,0.0000,1.800,\r\n");
}

// A store that fills up part-way through a record: the call says so and
// takes back what it wrote. A file it created is gone again (so the next
// call writes the .RTK header), an existing one is cut back to its length
// (after the line end its torn tail was given); with room again every file
// holds whole lines only.
TEST_F(WriterTest, AFullStoreLeavesNoPartOfTheRecord) {
    struct Unlimit {
        ~Unlimit() { quorvel::files::UnlimitStoreSpaceForTest(); }
    } unlimit;
    WriteDeviceFile(kRawFile, std::string("A,1,2"));
    StoreFirstPoint();
    for (long long room : {0LL, 2LL, 10LL, 30LL}) {
        SCOPED_TRACE(room);
        quorvel::files::LimitStoreSpaceForTest(room);
        EXPECT_FALSE(m_writer.AppendFieldRecord(kRawFile, Record(L"A")));
        quorvel::files::LimitStoreSpaceForTest(room);
        EXPECT_FALSE(m_writer.AppendRtkRecord(FALSE));
        quorvel::files::LimitStoreSpaceForTest(room);
        EXPECT_FALSE(m_writer.AppendLibRecords());
        quorvel::files::UnlimitStoreSpaceForTest();
        EXPECT_EQ(ReadDeviceFile(kRawFile), room >= 2 ? "A,1,2\r\n" : "A,1,2");
        EXPECT_FALSE(fs::exists(HostPath(kRtkFile)));
        EXPECT_FALSE(fs::exists(HostPath(kBlhFile)));
        EXPECT_FALSE(fs::exists(HostPath(kLibFile)));
    }
    EXPECT_TRUE(m_writer.AppendFieldRecord(kRawFile, Record(L"A")));
    EXPECT_TRUE(m_writer.AppendRtkRecord(FALSE));
    EXPECT_EQ(ReadDeviceFile(kRawFile), std::string("A,1,2\r\n") + kRecordA);
    const std::string rtk = ReadDeviceFile(kRtkFile);
    EXPECT_EQ(rtk.rfind("Rem Version", 0), 0u) << rtk;

    // An existing .RTK file is cut back to where it was.
    quorvel::files::LimitStoreSpaceForTest(40);
    EXPECT_FALSE(m_writer.AppendRtkRecord(FALSE));
    quorvel::files::UnlimitStoreSpaceForTest();
    EXPECT_EQ(ReadDeviceFile(kRtkFile), rtk);
}

// Without a document, or without a data file or ini name, the point
// writers have no file to write and touch nothing.
TEST_F(WriterTest, NoFileToWrite) {
    const std::string before = ListRoot();
    CSurveyFileWriter detached;
    EXPECT_FALSE(detached.AppendMeasuredPoint());
    EXPECT_FALSE(detached.AppendRtkRecord(FALSE));
    EXPECT_FALSE(detached.AppendRtkRecordV1());
    EXPECT_FALSE(detached.AppendLibRecords());
    m_doc.m_strDataFile.Empty();
    m_doc.m_strIniName.Empty();
    EXPECT_FALSE(m_writer.AppendMeasuredPoint());
    EXPECT_FALSE(m_writer.AppendRtkRecord(FALSE));
    EXPECT_FALSE(m_writer.AppendLibRecords());
    EXPECT_EQ(ListRoot(), before);
}
