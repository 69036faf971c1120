#include "app/shell/VendropDoc.h"

#include <cstdlib>
#include <cstring>

#include "app/link/DocumentLinkHost.h"
#include "app/settings/DefaultRecords.h"
#include "app/shell/MainFrame.h"
#include "platform/base/BuildDate.h"
#include "res/resource.h"

CVendropDoc* g_pDoc = nullptr;

IMPLEMENT_DYNCREATE(CVendropDoc, CDocument)

BEGIN_MESSAGE_MAP(CVendropDoc, CDocument)
ON_UPDATE_COMMAND_UI(ID_JOB_NEW, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_JOB_OPEN, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_JOB_DELETE, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_PARAM_PROJECTION, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_PARAM_FOUR, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_PARAM_SEVEN, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_PARAM_HEIGHT_FIT, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_PARAM_CORRECTION, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_ROVER_SETTINGS, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_ELEVATION_MASK, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_ROVER_ANT_HEIGHT, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_TIME_ZONE, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_CALIBRATION_WIZARD, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_POST_PROC_WIZARD, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_CALC_FOUR_PARAMS, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_CALC_SEVEN_PARAMS, OnUpdateJobCommands)
ON_UPDATE_COMMAND_UI(ID_INSTRUMENT_SETTINGS, OnUpdateInstrumentSettings)
ON_COMMAND(ID_AUTO_COLLECT_START, OnAutoCollectStart)
ON_COMMAND(ID_AUTO_COLLECT_STOP, OnAutoCollectStop)
ON_COMMAND(ID_CALIBRATION_WIZARD, OnCalibrationWizard)
ON_COMMAND(ID_FILE_CONVERT, OnFileConvert)
ON_COMMAND(ID_POST_PROCESS, OnPostProcess)
ON_COMMAND(ID_CONVERT_RESULTS, OnConvertResults)
ON_COMMAND(ID_PROFILE_DATA, OnProfileData)
ON_COMMAND(ID_JOB_NEW, OnNewJob)
ON_COMMAND(ID_JOB_OPEN, OnOpenJob)
ON_COMMAND(ID_JOB_DELETE, OnDeleteJob)
ON_COMMAND(ID_CHOOSE_DATA_FILE, OnChooseDataFile)
ON_COMMAND(ID_OPEN_DATA_FILE, OnOpenDataFile)
ON_COMMAND(ID_TASK_MANAGE, OnTaskManage)
ON_COMMAND(ID_PARAM_ELLIPSOID, OnSetEllipsoid)
ON_COMMAND(ID_PARAM_PROJECTION, OnSetProjection)
ON_COMMAND(ID_PARAM_FOUR, OnSetFourParams)
ON_COMMAND(ID_PARAM_SEVEN, OnSetSevenParams)
ON_COMMAND(ID_PARAM_HEIGHT_FIT, OnSetHeightFit)
ON_COMMAND(ID_PARAM_CORRECTION, OnSetCorrection)
ON_COMMAND(ID_PARAM_WIZARD, OnParamWizard)
ON_COMMAND(ID_CTRL_POINT_LIB, OnCtrlPointLib)
ON_COMMAND(ID_ROVER_ANT_HEIGHT, OnRoverAntennaHeight)
ON_COMMAND(ID_TIME_ZONE, OnTimeZone)
ON_COMMAND(ID_COORD_LIB, OnCoordLib)
ON_COMMAND(ID_LATLON_LIB, OnLatLonLib)
ON_COMMAND(ID_STAKE_POINT_LIB, OnStakePointLib)
ON_COMMAND(ID_STAKE_LINE_LIB, OnStakeLineLib)
ON_COMMAND(ID_POINT_STAKEOUT, OnPointStakeout)
ON_COMMAND(ID_LINE_STAKEOUT, OnLineStakeout)
ON_COMMAND(ID_CALC_FOUR_PARAMS, OnCalcFourParams)
ON_COMMAND(ID_CALC_SEVEN_PARAMS, OnCalcSevenParams)
ON_COMMAND(ID_COORD_CONVERT, OnCoordConvert)
ON_COMMAND(ID_SPACE_DISTANCE, OnSpaceDistance)
ON_COMMAND(ID_AREA_CALC, OnAreaCalc)
ON_COMMAND(ID_CALC_DIST_INTERSECT, OnDistIntersect)
ON_COMMAND(ID_MAP_TRANS, OnMapTrans)
ON_COMMAND(ID_POST_PROC_WIZARD, OnPostProcWizard)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateFileSave)
ON_COMMAND(ID_ELEVATION_MASK, OnSetElevationMask)
ON_COMMAND(ID_ROVER_SETTINGS, OnEditRoverSettings)
ON_COMMAND(ID_RADIO_SETTINGS, OnRadioSettings)
ON_UPDATE_COMMAND_UI(ID_RADIO_SETTINGS, OnUpdateRadioSettings)
ON_COMMAND(ID_INSTRUMENT_SETTINGS, OnInstrumentSettings)
ON_COMMAND(ID_SETUP_BASE_STATION, OnSetupBaseStation)
ON_COMMAND(ID_WORK_MODE, OnWorkMode)
END_MESSAGE_MAP()

CVendropDoc::CVendropDoc()
    : m_strRootDir(L"\\Flash Disk"),
      m_strProgramRoot(L"\\Flash Disk"),
      m_strNextPointName(L"pt1"),
      m_strFileTag(L"FILE1"),
      m_strSoftwareDate(MakeSoftwareDate(quorvel::kBuildDateA)) {
    m_strPointCode = L"00000000";
    m_fileWriter.Attach(this);
    // The wizard's toolbar command reads the second record before any new
    // job has filled it.
    FillDefaultParRecord(m_coordParams2, m_strSoftwareDate);
}

CVendropDoc::~CVendropDoc() {
    // Nothing may reach a document that is gone, the link's reader
    // included.
    g_linkHost.Detach(this);
    if (g_pDoc == this) g_pDoc = nullptr;
}

BOOL CVendropDoc::IsModified() {
    return CDocument::IsModified();
}

void CVendropDoc::SetModifiedFlag(BOOL bModified) {
    CDocument::SetModifiedFlag(bModified);
}

BOOL CVendropDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return FALSE;
    g_pDoc = this;
    return TRUE;
}

// The guard only ever greys: while nothing measures, the framework enables
// a command that has a handler and greys one that has none yet.
void CVendropDoc::OnUpdateJobCommands(CCmdUI* pCmdUI) {
    if (m_bMeasuring || m_bSounderActive) pCmdUI->Enable(FALSE);
}

void CVendropDoc::OnUpdateInstrumentSettings(CCmdUI* pCmdUI) {
    OnUpdateJobCommands(pCmdUI);
}

// A new collection run: its first point that cannot be written is told.
void CVendropDoc::OnAutoCollectStart() {
    m_bAutoCollect = 1;
    if (CMainFrame* frame = GetMainFrame()) frame->RestartWriteNote(kWriteAutoPoint);
}

void CVendropDoc::OnAutoCollectStop() {
    m_bAutoCollect = 0;
}

void CVendropDoc::GetCurrentFix(PointRecord& point) {
    point.strName = m_strPointName;
    point.dX = m_storeFix.dX;
    point.dY = m_storeFix.dY;
    point.dH = m_storeFix.dGridH - m_dPointAntHeight;
    point.strCode = m_strPointCode;
}

void CVendropDoc::ApplyBaseCoordinates(CoordSysParams params) {
    const double source[kCalibPoints][3] = {{params.szdSx0, params.szdSy0, params.szdSh0},
                                            {params.szdSx1, params.szdSy1, params.szdSh1},
                                            {params.szdSx2, params.szdSy2, params.szdSh2},
                                            {params.szdSx3, params.szdSy3, params.szdSh3},
                                            {params.szdSx4, params.szdSy4, params.szdSh4}};
    for (int i = 0; i < kCalibPoints; ++i)
        m_calibMeasured[i] = GridPoint{source[i][0], source[i][1], source[i][2]};
}

void CVendropDoc::RefreshBasePoint(CCoordTransform& engine) {
    double lat = m_curFix.dBaseLat;
    double lon = m_curFix.dBaseLon;
    double h = m_curFix.dBaseH;
    if (m_coordParams.nSevenPar) {
        const CoordSysParams copy = m_coordParams;
        engine.Wgs84ToLocalGeodetic(lat, lon, h, copy);
    }
    double x = 0.0;
    double y = 0.0;
    engine.TransverseMercatorForward(lat, lon, x, y);
    m_coordParams.szdBaseX = x;
    m_coordParams.szdBaseY = y;
    m_coordParams.szdBaseH = h;
    m_calibMeasured[0] = GridPoint{x, y, h};
    m_coordParams.szdSx0 = x;
    m_coordParams.szdSy0 = y;
    m_coordParams.szdSh0 = h;
}

CString MakeSoftwareDate(const char* buildDate) {
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int month = 1;
    for (int i = 0; i < 12; ++i)
        if (std::strncmp(buildDate, kMonths[i], 3) == 0) month = i + 1;
    const size_t length = std::strlen(buildDate);
    const char day[3] = {length > 5 ? buildDate[4] : '0', length > 5 ? buildDate[5] : '0', 0};
    const int year = length >= 4 ? std::atoi(buildDate + length - 4) : 0;
    CString text;
    text.Format(L"%d.%02d.%02d", year, month, std::atoi(day));
    return text;
}
