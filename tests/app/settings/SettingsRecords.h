// Field lists of the settings records, so that tests can fill every field
// with a value of its own and compare records field by field.
#pragma once

#include <gtest/gtest.h>

#include "app/settings/SystemParams.h"
#include "geodesy/CoordSysParams.h"

// clang-format off
#define QV_SYSTEM_PARAM_FIELDS(X)                                                           \
    X(nLinkMode) X(nWorkMode) X(GSMSendTimeInterval) X(GSMSendDisInterval) X(Port)          \
    X(SoundPort) X(SoundType) X(SoundBandrate) X(SoundUse) X(ScreenStartx) X(ScreenStarty)  \
    X(ScreenScale) X(nFixLevel) X(nRadioFormat) X(nGAngle) X(nUseAntHgt) X(szdRoverAntH)    \
    X(nSaveType) X(nSmoothSecond) X(nAutoSaveTime) X(szdAutoSaveDis) X(nShowSurveyPoint)    \
    X(nAsCondition) X(nAntHgtType) X(szdSourceAntHgt) X(GSMMODE) X(nAdjustAntType)          \
    X(nPlaneNihe) X(nCurveNihe) X(nDisplayType) X(CodeSaveType) X(nTimeZone) X(dRmshLimit)  \
    X(dRmsvLimit) X(szSFName) X(nSFStartID) X(nSFNameMode) X(nCollectStatus)                \
    X(nCollectMode) X(dCollectTime) X(dCollectDis) X(dDeepInterTime) X(nComMode)            \
    X(nInputCom)

#define QV_COORD_PARAM_FIELDS(X)                                                            \
    X(nCoord) X(nTouYin) X(nDifang) X(nSevenPar) X(szdCenter) X(szlTx) X(szlTy) X(szdTk)    \
    X(szdTlon) X(szdTHigh) X(szdDa) X(szdDf) X(ProjectLat)                                  \
    X(szddx) X(szddy) X(szddz) X(szdWx) X(szdWy) X(szdWz) X(szddK)                          \
    X(szdCx1) X(szdCy1) X(szdCa1) X(szdCk1) X(nNiheMode) X(szdNiheA0) X(szdNiheA1)          \
    X(szdNiheA2) X(szdNiheA3) X(szdNiheA4) X(szdNiheA5) X(szdNiheX0) X(szdNiheY0) X(szConF) \
    X(szdBaseLat) X(szdBaseLon) X(szdBaseHgt) X(szdBaseX) X(szdBaseY) X(szdBaseH) X(UseNum) \
    X(szdCorrectionX) X(szdCorrectionY) X(szdCorrectionH)                                   \
    X(szdSx0) X(szdSy0) X(szdSh0) X(szdSx1) X(szdSy1) X(szdSh1) X(szdSx2) X(szdSy2)         \
    X(szdSh2) X(szdSx3) X(szdSy3) X(szdSh3) X(szdSx4) X(szdSy4) X(szdSh4)
// clang-format on

#define QV_SYSTEM_FILE_FIELDS(X) X(szIniFile) X(szLastSaveName) X(szDataFile)

// A value of its own for field number i: integers and doubles of both signs,
// doubles with all ten written decimals in use, strings with Chinese text.
void SetDistinct(int& field, int i);
void SetDistinct(double& field, int i);
void SetDistinct(CString& field, int i);

SystemParams DistinctSystemParams(int seed);
CoordSysParams DistinctCoordParams(int seed);
CSystemFileRecord DistinctSystemFile(int seed);

// Field-by-field comparison; doubles must agree to ten decimals.
void ExpectSameField(const char* name, int expected, int actual);
void ExpectSameField(const char* name, double expected, double actual);
void ExpectSameField(const char* name, const CString& expected, const CString& actual);

void ExpectSameRecord(const SystemParams& expected, const SystemParams& actual);
void ExpectSameRecord(const CoordSysParams& expected, const CoordSysParams& actual);
void ExpectSameRecord(const CSystemFileRecord& expected, const CSystemFileRecord& actual);

// The record a .ini read leaves when no key is found: the fallbacks where the
// file format has them, `before`'s values elsewhere.
SystemParams WithIniFallbacks(const SystemParams& before);
