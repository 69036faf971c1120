// The running main frame's echo-sounder type table: the four types with
// every field as the sounders' telegrams need them, in "SoundType" order,
// and each type's own telegram framed by the frame's record of it.
#include "tests/app/ShellTest.h"
#include "tests/app/recording/SounderTestSupport.h"

namespace shelltest {
namespace {

using soundertest::Depth;
using soundertest::Error;
using soundertest::SounderEvent;
using soundertest::SounderFeed;

TEST_F(ShellTest, TheFrameKnowsTheFourSounderTypesInSettingsOrder) {
    CMainFrame* frame = StartAndSettle();
    const CArray<SounderTypeRecord> want = soundertest::KnownTypes();
    const CArray<SounderTypeRecord>& got = frame->m_sounderTypes;
    ASSERT_EQ(got.GetSize(), want.GetSize());
    for (int i = 0; i < want.GetSize(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].strName, want[i].strName);
        EXPECT_EQ(got[i].strStartTag, want[i].strStartTag);
        EXPECT_EQ(got[i].nTerminator, want[i].nTerminator);
        EXPECT_EQ(got[i].nFieldStart, want[i].nFieldStart);
        EXPECT_EQ(got[i].nFieldLen, want[i].nFieldLen);
        EXPECT_EQ(got[i].fScale, want[i].fScale);
        EXPECT_EQ(got[i].nErrorChar, want[i].nErrorChar);
        EXPECT_EQ(got[i].nDecimals, want[i].nDecimals);
        EXPECT_EQ(got[i].nReserved, 0);
        EXPECT_TRUE(got[i].strReserved.IsEmpty());
    }
    const char* telegrams[] = {"DT,001234,M\rDT,EEEEEE,M\r", "ET,01234,M\rET,EEEEE,M\r",
                               "DA,1234,M\rDA,\x01\x01\x01\x01,M\r",
                               "$GPSSS,12.340,M\r$GPSSS,\x01\x01\x01\x01\x01\x01,M\r"};
    for (int type = 0; type < 4; ++type) {
        SounderFeed feed;
        feed.Bytes(telegrams[type], got[type]);
        EXPECT_EQ(feed.events, (std::vector<SounderEvent>{Depth(12.34), Error(12.34)})) << type;
    }
}

}  // namespace
}  // namespace shelltest
