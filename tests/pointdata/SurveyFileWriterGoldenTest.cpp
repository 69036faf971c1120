// The survey files as the writer leaves them, compared byte for byte with
// references written by hand (tests/pointdata/data, code page 936).
#include <string>

#include "platform/files/FileApi.h"
#include "tests/pointdata/WriterTestRoot.h"

namespace {

// P2: an offset point far south with negative heights and values that
// sit on rounding edges (1.0005 and 2.675 are stored just below, 2.0005
// just above). Its grid values are the exact transverse Mercator of
// 1 N 113.3 E (tests/geodesy/data/tmerc.gie), whatever its own position.
void StoreOffsetPoint(SurveyDocFields& doc) {
    SurveyRecord& f = doc.m_storeFix;
    f.dLat = -33.75, f.dLon = 151.2, f.dHeight = -12.3456;
    f.dX = 110582.695316659, f.dY = 500000.0 - 77913.805006519, f.dGridH = -5.25;
    f.nSolution = 9, f.dHrms = 1.0005, f.dVrms = 2.0005, f.nSatsUsed = 5, f.dDop = 2.675;
    f.nHour = 23, f.nMinute = 59, f.dSecond = 59.995;
    doc.m_strPointName = L"P2";
    doc.m_strPointCode = L"";
    doc.m_dPointAntHeight = 1.5;
    doc.m_nStoreKind = 2;
    doc.m_nOffsetRefMode = 1;
    doc.m_fOffsetDistance = 12.5f;
    doc.m_fOffsetAngle = 45.3015f;
    doc.m_fVerticalOffset = -0.35f;
    doc.m_dOffsetRefX = 2018600.0004999;
    doc.m_dOffsetRefY = 505200.12345;
}

}  // namespace

// Five points of every storage kind through the store road (measured point,
// then .RTK and .BLH), the receiver's base line, and the library pair of
// two points: the header is written once, by the call that creates the
// .RTK file; the .BLH file never gets one.
TEST_F(WriterTest, StoredPointsOfEveryKind) {
    StoreFirstPoint();
    m_doc.m_nStoreKind = 1;
    ASSERT_TRUE(m_writer.AppendMeasuredPoint());
    ASSERT_TRUE(m_writer.AppendRtkRecord(FALSE));
    ASSERT_TRUE(m_writer.AppendLibRecords());

    StoreOffsetPoint(m_doc);
    ASSERT_TRUE(m_writer.AppendMeasuredPoint());
    ASSERT_TRUE(m_writer.AppendRtkRecord(FALSE));

    struct Kind {
        const wchar_t* name;
        int kind, hour, minute;
        double second;
    };
    for (const Kind& k :
         {Kind{L"P3", 3, 8, 6, 0.5}, Kind{L"P4", 4, 8, 7, 10.0}, Kind{L"P5", 5, 10, 0, 0.0}}) {
        StoreFirstPoint();
        m_doc.m_strPointName = k.name;
        m_doc.m_strPointCode = L"墙角";
        m_doc.m_storeFix.nHour = k.hour, m_doc.m_storeFix.nMinute = k.minute;
        m_doc.m_storeFix.dSecond = k.second;
        m_doc.m_nStoreKind = k.kind;
        m_doc.m_nSmoothCount = 5, m_doc.m_nSmoothRemaining = 1;
        m_doc.m_nAutoKind = 2, m_doc.m_nAutoInterval = 10;
        ASSERT_TRUE(m_writer.AppendMeasuredPoint());
        ASSERT_TRUE(m_writer.AppendRtkRecord(FALSE));
        if (k.kind == 3) {
            ASSERT_TRUE(m_writer.AppendLibRecords());
        }
    }
    ASSERT_TRUE(m_writer.AppendRtkRecord(TRUE));

    EXPECT_EQ(ReadDeviceFile(kPointFile), Reference("points.dat"));
    EXPECT_EQ(ReadDeviceFile(kRtkFile), Reference("points.RTK"));
    EXPECT_EQ(ReadDeviceFile(kBlhFile), Reference("points.BLH"));
    EXPECT_EQ(ReadDeviceFile(kLibFile), Reference("points.lib"));
}

// Two smoothed points, five epochs and then two: the smoothing writer's
// own header and base line once, one line per epoch, a measured-point line
// per point, and no .BLH file.
TEST_F(WriterTest, SmoothedPoints) {
    m_doc.m_curFix.dBaseLat = 22.5;
    m_doc.m_curFix.dBaseLon = 114.025;
    m_doc.m_curFix.dBaseH = 25.12345;
    for (int total : {5, 2}) {
        StoreFirstPoint();
        m_doc.m_strPointName.Format(L"SM%d", total);
        m_doc.m_strPointCode = L"";
        m_doc.m_dPointAntHeight = 2.0;
        m_doc.m_storeFix.dSecond = total;
        m_writer.m_smoothEpochs.RemoveAll();
        for (int i = 1; i <= total; ++i) {
            SurveyRecord epoch = m_doc.m_storeFix;
            epoch.dLat = 18.25 + i / 3600.0;  // whole arc seconds
            epoch.dSecond = i;
            epoch.nStoreKind = 3, epoch.nSmoothTotal = total, epoch.nSmoothIndex = i;
            m_writer.m_smoothEpochs.Add(epoch);
        }
        ASSERT_TRUE(m_writer.AppendRtkRecordV1());
        ASSERT_TRUE(m_writer.AppendMeasuredPoint());
    }
    EXPECT_EQ(ReadDeviceFile(kRtkFile), Reference("smoothed.RTK"));
    EXPECT_EQ(ReadDeviceFile(kPointFile), Reference("smoothed.dat"));
    EXPECT_EQ(GetFileAttributes(kBlhFile), INVALID_FILE_ATTRIBUTES);
}

// Raw epoch lines: 32 fields each followed by a comma, a 200-character
// Chinese point name written whole. Depth-only lines: minute padded with a
// blank, whole seconds, depths on the C library's rounding.
TEST_F(WriterTest, RawAndDepthLines) {
    // The fields of a recorded epoch, as the recording formats them.
    const std::wstring fields =
        L"|2026-6-1|08:05:03.25|18.1500000000|114.0300000000|12.346|1.800|2018653.113|"
        L"505287.738|13.700|10|0.012|0.021|1.250|||9|0|TIME|1.00|12.34||||0|0||||||";
    CStringRecord32 record;
    size_t start = 0;
    for (int i = 0; i < 32; ++i) {
        const size_t bar = fields.find(L'|', start);
        record[i] = fields.substr(start, bar - start).c_str();
        start = bar + 1;
    }
    ASSERT_TRUE(m_writer.AppendFieldRecord(kRawFile, record));
    CString longName;
    for (int i = 0; i < 20; ++i) longName += L"中华人民共和国测绘局";
    ASSERT_EQ(longName.GetLength(), 200);
    record[0] = longName;
    record[2] = L"08:05:04.25";
    record[25] = L"1";
    ASSERT_TRUE(m_writer.AppendFieldRecord(kRawFile, record));
    EXPECT_EQ(ReadDeviceFile(kRawFile), Reference("LN0.org"));

    // Hour 24 is local midnight; hour 19 of the next sample is what a zone of
    // -8 makes of 03:00 UTC, with the UTC date kept.
    const DepthSample samples[] = {
        {L"0", 12.345, 24, 5, 7.9, 2026, 12, 31},
        {L"1", 2.675, 19, 0, 0.999, 2027, 1, 1},
        {L"2", 0.005, 9, 59, 59.9999, 2027, 1, 1},
    };
    for (const DepthSample& s : samples) ASSERT_TRUE(m_writer.AppendTimedRecord(kDepthFile, s));
    EXPECT_EQ(ReadDeviceFile(kDepthFile), Reference("LN0.deh"));
}
