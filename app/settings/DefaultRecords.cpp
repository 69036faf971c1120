#include "app/settings/DefaultRecords.h"

namespace {

// The default base station: one fixed site, given in the default projection
// of the same file, so that a new job's base coordinates agree with each
// other. Latitude and longitude in decimal degrees, grid north and east in
// whole metres.
// The site lies on the Seine in Paris, 2.29 degrees from the default central
// meridian; x and y are the engine's Wgs84ToGrid of it with the default
// parameters, rounded. The receiver simulator starts here too.
const double kDefaultBaseLat = 48.85830000;
const double kDefaultBaseLon = 2.29450000;
const double kDefaultBaseX = 5416504.0;
const double kDefaultBaseY = 668365.0;
const double kDefaultBaseHeight = 35.0;

void FillDefaultProjection(CoordSysParams& p) {
    p.nCoord = 0;
    p.nTouYin = 0;
    p.nDifang = 0;
    p.nSevenPar = 0;
    p.szdCenter = 0.0;
    p.szlTx = 0;
    p.szlTy = 500000;
    p.szdTk = 1.0;
    p.szdTlon = 0.0;
    p.szdTHigh = 0.0;
    p.szdDa = 6378245.0;
    p.szdDf = 298.3;
    p.ProjectLat = 0.0;
}

void FillDefaultTransforms(CoordSysParams& p) {
    p.szddx = p.szddy = p.szddz = 0.0;
    p.szdWx = p.szdWy = p.szdWz = 0.0;
    p.szddK = 0.0;
    p.szdCx1 = p.szdCy1 = p.szdCa1 = 0.0;
    p.szdCk1 = 1.0;
    p.nNiheMode = 0;
    p.szdNiheA0 = p.szdNiheA1 = p.szdNiheA2 = 0.0;
    p.szdNiheA3 = p.szdNiheA4 = p.szdNiheA5 = 0.0;
    p.szdNiheX0 = p.szdNiheY0 = 0.0;
    p.szConF.Empty();
}

void FillDefaultBase(CoordSysParams& p) {
    p.szdBaseLat = kDefaultBaseLat;
    p.szdBaseLon = kDefaultBaseLon;
    p.szdBaseHgt = kDefaultBaseHeight;
    p.szdBaseX = kDefaultBaseX;
    p.szdBaseY = kDefaultBaseY;
    p.szdBaseH = kDefaultBaseHeight;
    p.UseNum = 0;
    p.szdCorrectionX = p.szdCorrectionY = p.szdCorrectionH = 0.0;
    p.szdSx0 = p.szdSy0 = p.szdSh0 = 0.0;
    p.szdSx1 = p.szdSy1 = p.szdSh1 = 0.0;
    p.szdSx2 = p.szdSy2 = p.szdSh2 = 0.0;
    p.szdSx3 = p.szdSy3 = p.szdSh3 = 0.0;
    p.szdSx4 = p.szdSy4 = p.szdSh4 = 0.0;
}

void FillDefaultReceiver(SystemParams& p) {
    p.Port = 3;
    p.SoundPort = 1;
    p.SoundType = 0;
    p.SoundBandrate = 9600;
    p.SoundUse = 1;
    p.ScreenStartx = 0.0;
    p.ScreenStarty = 0.0;
    p.ScreenScale = 1.0;
    p.nFixLevel = 0;
    p.nRadioFormat = 0;
    p.dRmshLimit = 0.1;
    p.dRmsvLimit = 0.1;
    p.nGAngle = 0;
    p.nUseAntHgt = 0;
    p.szdRoverAntH = 0.0;
}

void FillDefaultStorage(SystemParams& p) {
    p.nSaveType = 0;
    p.nAutoSaveTime = 2;
    p.nSmoothSecond = 5;
    p.szdAutoSaveDis = 2.0;
    p.nShowSurveyPoint = 0;
    p.nAsCondition = 1;
    p.nAntHgtType = 0;
    p.szdSourceAntHgt = 0.0;
    p.GSMMODE = 0;
    p.GSMSendTimeInterval = 5;
    p.GSMSendDisInterval = 1000.0;
    p.nAdjustAntType = 0;
    p.nPlaneNihe = 1;
    p.nCurveNihe = 1;
    p.nTimeZone = 8;
}

void FillDefaultRecording(SystemParams& p) {
    p.szSFName = L"LN";
    p.nSFStartID = 0;
    p.nSFNameMode = 0;
    p.nCollectStatus = 0;
    p.nCollectMode = 0;
    p.dCollectTime = 3.0;
    p.dCollectDis = 5.0;
    p.dDeepInterTime = 5.0;
}

}  // namespace

CString MakeSettingsTitle(LPCTSTR softwareDate) {
    CString title;
    title.Format(L"Quorvel1.1 Ver: %s", softwareDate);
    return title;
}

void FillDefaultIniRecord(SystemParams& params, LPCTSTR softwareDate) {
    params.szTitle = MakeSettingsTitle(softwareDate);
    FillDefaultReceiver(params);
    FillDefaultStorage(params);
    FillDefaultRecording(params);
}

void FillDefaultParRecord(CoordSysParams& params, LPCTSTR softwareDate) {
    params.szTitle = MakeSettingsTitle(softwareDate);
    FillDefaultProjection(params);
    FillDefaultTransforms(params);
    FillDefaultBase(params);
}
