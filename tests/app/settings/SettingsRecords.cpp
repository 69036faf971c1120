#include "tests/app/settings/SettingsRecords.h"

#include "tests/app/SettingsTestRoot.h"

void SetDistinct(int& field, int i) {
    field = (i % 2 == 0) ? 1000 + i * 37 : -(i * 53);
}

void SetDistinct(double& field, int i) {
    double magnitude = i * 1013.0 + 0.0123456789;
    field = (i % 2 == 0) ? magnitude : -magnitude;
}

void SetDistinct(CString& field, int i) {
    field.Format(L"值%d-Value %d", i, i * 7);
}

SystemParams DistinctSystemParams(int seed) {
    SystemParams p;
    int i = seed;
#define QV_SET(f) SetDistinct(p.f, ++i);
    QV_SYSTEM_PARAM_FIELDS(QV_SET)
    p.szTitle = L"record title";
    return p;
}

CoordSysParams DistinctCoordParams(int seed) {
    CoordSysParams p;
    int i = seed;
    QV_COORD_PARAM_FIELDS(QV_SET)
    p.szTitle = L"record title";
    return p;
}

CSystemFileRecord DistinctSystemFile(int seed) {
    CSystemFileRecord p;
    int i = seed;
    QV_SYSTEM_FILE_FIELDS(QV_SET)
#undef QV_SET
    return p;
}

void ExpectSameField(const char* name, int expected, int actual) {
    EXPECT_EQ(expected, actual) << name;
}

void ExpectSameField(const char* name, double expected, double actual) {
    EXPECT_NEAR(expected, actual, 1e-10) << name;  // ten decimals are written
}

void ExpectSameField(const char* name, const CString& expected, const CString& actual) {
    EXPECT_EQ(expected, actual) << name;
}

#define QV_COMPARE(f) ExpectSameField(#f, expected.f, actual.f);

void ExpectSameRecord(const SystemParams& expected, const SystemParams& actual) {
    QV_SYSTEM_PARAM_FIELDS(QV_COMPARE)
    ExpectSameField("szTitle", expected.szTitle, actual.szTitle);
}

void ExpectSameRecord(const CoordSysParams& expected, const CoordSysParams& actual) {
    QV_COORD_PARAM_FIELDS(QV_COMPARE)
    ExpectSameField("szTitle", expected.szTitle, actual.szTitle);
}

void ExpectSameRecord(const CSystemFileRecord& expected,
                      const CSystemFileRecord& actual){QV_SYSTEM_FILE_FIELDS(QV_COMPARE)}

// Absent keys with a fallback take it; the others keep the field's value.
SystemParams WithIniFallbacks(const SystemParams& before) {
    SystemParams p = before;
    p.Port = 1;
    p.SoundPort = 1;
    p.SoundType = 0;
    p.SoundBandrate = 9600;
    p.SoundUse = 0;
    p.GSMMODE = 0;
    p.GSMSendTimeInterval = 5;
    p.GSMSendDisInterval = 1000.0;
    p.nLinkMode = 1;
    p.nWorkMode = 0;
    p.nAdjustAntType = 0;
    p.nPlaneNihe = 1;
    p.nCurveNihe = 1;
    p.nDisplayType = 1;
    p.CodeSaveType = 0;
    p.nTimeZone = 8;
    p.szSFName = L"LN";
    p.nSFStartID = 0;
    p.nSFNameMode = 0;
    p.nCollectStatus = 0;
    p.nCollectMode = 0;
    p.dCollectTime = 3.0;
    p.dCollectDis = 5.0;
    p.dDeepInterTime = 5.0;
    p.nComMode = 0;
    p.nInputCom = 7;
    return p;
}
