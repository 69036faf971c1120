// CVendropDoc: the one document of the run. It is no file document (no
// serialization): it holds the program's shared state, the paths and
// records of the current job, the latest receiver fix, the run flags of a
// measurement, the point naming, the parameter alarms and the calibration
// tables. Every screen, dialog and worker reaches it through the global
// document pointer that OnNewDocument publishes.
//
// Its persistent part lives in the job's files (esystem.sys, the job's .ini
// and .par) and is written back by the commands that change it, each record
// passed by value.
//
// The fields the survey-file writer reads (the point being stored, the
// current fix, the job's folders and files, the coordinate system and the
// storage suffix) are declared once, in SurveyDocFields, which the document
// derives from; its writer m_fileWriter is attached to it for the whole run.
#pragma once

#include <atomic>

#include "app/coordsys/ControlPointRow.h"
#include "app/postproc/ResultFormatRecord.h"
#include "app/settings/IniFile.h"
#include "app/settings/SystemParams.h"
#include "geodesy/CoordSysParams.h"
#include "geodesy/CoordTransform.h"
#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"
#include "pointdata/StringRecord32.h"
#include "pointdata/SurveyDocFields.h"
#include "pointdata/SurveyFileWriter.h"
#include "receiver/SurveyRecord.h"

// The values of CVendropDoc::m_nDlgContext: the command a shared dialog was
// opened from. The shared dialogs read it and put the default back.
enum DlgContext {
    kContextDefault = 11,
    kContextConvert = 15,  // the file-format conversion: the source may be chosen
    kContextLibrary = 29,  // a library: no picking from a library or the plan
};

class CVendropDoc : public CDocument, public SurveyDocFields {
    DECLARE_DYNCREATE(CVendropDoc)
  public:
    CVendropDoc();
    ~CVendropDoc() override;

    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;

    // ---- Job records (VendropDocJobs.cpp) ----
    // The default job "<root>\Jobs\ruvo\ruvo.ini" with "ruvo.dat"; nothing
    // is written.
    void SetDefaultJob();
    // Remembers the proposed name as the last saved one (esystem.sys is
    // rewritten), then proposes the next: the trailing digits counted up,
    // or "1" appended. A failed rewrite has its box.
    void AdvancePointName();
    // The same without the box: FALSE when esystem.sys was not rewritten
    // (the name advances all the same), for a caller that tells a run of
    // failures once.
    [[nodiscard]] BOOL AdvancePointNameUntold();
    // The six path members from m_sysFile's szIniFile and szDataFile.
    void DeriveJobPaths();
    // The record writers with their failure boxes; the in-memory records
    // keep their values either way.
    [[nodiscard]] BOOL SaveSystemFile();
    [[nodiscard]] BOOL SaveSystemParams();
    [[nodiscard]] BOOL SaveCoordParams();
    // SaveSystemFile and SaveCoordParams without the box, for a caller that
    // tells a run of failures once.
    [[nodiscard]] BOOL WriteSystemFile();
    [[nodiscard]] BOOL WriteCoordParams();
    void SetDefaultIniRecord();
    void SetDefaultParRecord();
    // A job's .ini and .par into m_sysParams and m_coordParams, each filled
    // with the default job's values first, so that a key the file lacks
    // keeps its default. FALSE when the file could not be read (the
    // reader's box has been shown; the record is as it was). Parameters the
    // engine cannot use give way to the defaults, with a box that says so.
    BOOL ReadIniRecord(const CString& folder, const CString& fileName);
    BOOL ReadParRecord(const CString& folder, const CString& fileName);
    // The shared engine from m_coordParams: ellipsoid, projection, four and
    // seven parameters and the height fit.
    void LoadCoordTransform();
    // The job folder and the names derived from its settings file (the data
    // file and the .par take its name with "dat" and "par" for the last
    // three characters).
    void SetJobFiles(const CString& jobDir, const CString& iniName);
    // m_coordParams and m_sysParams from a job's files, each failure with
    // its box; a file that cannot be read leaves its record as it was.
    void ReadJobRecords(const CString& folder, const CString& iniName);
    // The main window's title after a change of job or data file:
    // "Quorvel <" + data file + ">".
    void ShowJobTitle();
    // Writes the .par and loads the shared engine from the record.
    void StoreCoordParams();

    // ---- Fixes and calibration ----
    // The point being stored: its name and code, the stored fix's grid
    // position and its height less the antenna height.
    void GetCurrentFix(PointRecord& point);
    // The five calibration source points of the record into m_calibMeasured.
    void ApplyBaseCoordinates(CoordSysParams params);
    // The base station as the receiver broadcasts it (m_curFix's base
    // block), turned into grid coordinates by `engine` (through the seven
    // parameters when they are in use) and stored as the base point of
    // m_coordParams, calibration entry 0 and the first source point.
    void RefreshBasePoint(CCoordTransform& engine);

    // ---- Result conversions (convert/DocPostProcess.cpp) ----
    // Raw RTK file to a result file, and a result file back to a raw RTK
    // file; parameters from a control-point file (0) or the job's (1).
    void MakeResultFile(int nSource);
    void MakeRawFile(int nSource);

    // ---- Run state ----
    BOOL m_bGpsData = 0;
    BOOL m_bMeasuring = 0;
    BOOL m_bPaused = 0;
    BOOL m_bSounderActive = 0;
    BOOL m_bSounderOn = 0;
    BOOL m_bDepthOnly = 0;
    BOOL m_bGraphModified = 0;
    int m_nPointCounter = 0;
    int m_bStatusInChinese = 1;
    BOOL m_bDiffAlive = 1;    // corrections are current
    int m_bPositionFeed = 1;  // 0: the dispatcher stops after decoding
    // ---- Link indicator ----
    BYTE m_bLinkFlagR = 0;
    BYTE m_bLinkFlagM = 0;
    int m_nRadioChannel = -1;  // 1..4 valid

    // ---- Job paths and files ----
    CString m_strRootDir;
    CString m_strProgramRoot;
    CString m_strResultDir;  // m_strJobDir + "result\"
    CString m_strParName;
    CSystemFileRecord m_sysFile;
    CString m_strRawFile;
    CString m_strRtkFile;
    CString m_strPostFile;

    // ---- Job records and engines ----
    CoordSysParams m_coordParams2;
    SystemParams m_sysParams;
    CIniFile m_iniFile;
    CSurveyFileWriter m_fileWriter;  // attached to this document
    CArray<ResultFormatRecord> m_formats;
    int m_nCurFormat = 0;

    // ---- Fixes ----
    // The job folder, data folder, data file and ini name, the coordinate
    // parameters and engine, the current and stored fixes, the stored
    // point's name, code and antenna height and the storage suffix are
    // SurveyDocFields'.
    CStringRecord32 m_lastRecord;  // the last raw epoch line, as recorded

    // ---- Point storing and naming ----
    CString m_strNextPointName;
    CString m_strFileTag;
    int m_nStoreType = 0;  // 0 normal, 1 offset, 2 smoothing, 3 auto by time, 4 by distance
    double m_dAutoDistance = 0.0;
    int m_nAutoTime = 0;
    int m_nSmoothEpochs = 1;
    BOOL m_bSmoothStore = 0;
    BOOL m_bAutoCollect = 0;
    int m_nAutoCollectInterval = 5;
    BOOL m_bGgaSeen = 0;
    int m_nStakeMode = 0;
    // The last offset store (its float copies for the suffix of the stored
    // point line are SurveyDocFields').
    double m_dOffsetDistance = 0.0;
    double m_dOffsetAngle = 0.0;
    double m_dVerticalOffset = 0.0;
    double m_dOffsetRefN = 0.0;
    double m_dOffsetRefE = 0.0;
    // Automatic collection by distance.
    int m_bAutoRefSet = 0;
    double m_dAutoRefN = 0.0;
    double m_dAutoRefE = 0.0;
    double m_dAutoPrevN = 0.0;
    double m_dAutoPrevE = 0.0;
    // Automatic collection by time: the second of the day of the last point.
    int m_nAutoLastSecond = -1;

    // ---- Parameter alarms ----
    BOOL m_bMeridianAlarmOff = 0;
    BOOL m_bSevenParAlarmOff = 0;
    BOOL m_bFourParAlarmOff = 0;

    // ---- Calibration ----
    struct GridPoint {
        double x = 0.0;
        double y = 0.0;
        double h = 0.0;
    };
    struct KnownPoint {
        double X = 0.0;
        double Y = 0.0;
        double H = 0.0;
        double dAntHeight = 0.0;
    };
    static constexpr int kCalibPoints = 5;
    int m_nCalibPointCount = 0;
    BOOL m_bCalibNextStep = 0;
    BOOL m_bKnownEntryLoaded = 0;
    BOOL m_bCalibParFailureTold = 0;          // this calibration has shown the .par box
    GridPoint m_calibMeasured[kCalibPoints];  // entry 0 is the base station
    KnownPoint m_calibKnown[kCalibPoints];
    PointRecord m_calibPoint;
    int m_nFitKind = 0;   // 0 none, 1 translation, 2 four parameters and translation
    int m_nFitState = 0;  // 0 none, 1 height correction, 2 height fit and correction
    BOOL m_bBaseChanged = 0;
    CArray<ControlPointRow> m_ctrlRows;  // the last control-point file read, at most 50 rows

    // ---- Receiver identification ----
    int m_nReceiverVariant = 0;
    // Set by the link's reader thread when the link starts.
    std::atomic<int> m_nReceiverType{-1};
    double m_dAntennaConst = 0.014;

    // ---- Other ----
    int m_nDlgContext = kContextDefault;
    int m_nCoordDisplay = 0;  // 0 plane, 1 geodetic
    CString m_strSoftwareDate;

  protected:
    // Jobs (app/jobs).
    afx_msg void OnNewJob();
    afx_msg void OnOpenJob();
    afx_msg void OnDeleteJob();
    afx_msg void OnChooseDataFile();
    afx_msg void OnOpenDataFile();
    afx_msg void OnTaskManage();
    // Parameters (VendropDocParams.cpp, VendropDocSettings.cpp).
    afx_msg void OnSetEllipsoid();
    afx_msg void OnSetProjection();
    afx_msg void OnSetFourParams();
    afx_msg void OnSetSevenParams();
    afx_msg void OnSetHeightFit();
    afx_msg void OnSetCorrection();
    afx_msg void OnCtrlPointLib();
    afx_msg void OnRoverAntennaHeight();
    afx_msg void OnTimeZone();
    // Libraries, screens and tools (VendropDocTools.cpp).
    afx_msg void OnParamWizard();
    afx_msg void OnCoordLib();
    afx_msg void OnLatLonLib();
    afx_msg void OnStakePointLib();
    afx_msg void OnStakeLineLib();
    afx_msg void OnPointStakeout();
    afx_msg void OnLineStakeout();
    afx_msg void OnCalcFourParams();
    afx_msg void OnCalcSevenParams();
    afx_msg void OnCoordConvert();
    afx_msg void OnSpaceDistance();
    afx_msg void OnAreaCalc();
    afx_msg void OnDistIntersect();
    afx_msg void OnMapTrans();
    afx_msg void OnPostProcWizard();
    // The framework's document save is never offered: nothing is saved as
    // a document.
    afx_msg void OnUpdateFileSave(CCmdUI* pCmdUI);
    afx_msg void OnUpdateJobCommands(CCmdUI* pCmdUI);
    afx_msg void OnUpdateInstrumentSettings(CCmdUI* pCmdUI);
    afx_msg void OnAutoCollectStart();
    afx_msg void OnAutoCollectStop();
    afx_msg void OnCalibrationWizard();
    afx_msg void OnFileConvert();
    afx_msg void OnPostProcess();
    afx_msg void OnConvertResults();
    afx_msg void OnProfileData();
    // Receiver set-up (VendropDocSetup.cpp, VendropDocInstrument.cpp).
    afx_msg void OnSetElevationMask();
    afx_msg void OnEditRoverSettings();
    afx_msg void OnRadioSettings();
    afx_msg void OnUpdateRadioSettings(CCmdUI* pCmdUI);
    afx_msg void OnInstrumentSettings();
    afx_msg void OnSetupBaseStation();
    afx_msg void OnWorkMode();
    DECLARE_MESSAGE_MAP()

  private:
    // The branches of the instrument settings.
    void SetStaticMode();
    void SetDynamicMode();
    void SetBaseAutoStart();
    void SetBaseManually();
    // The new job's records: FALSE when the wizard or the choice of a job
    // was not left with OK.
    BOOL TakeWizardParams();
    BOOL TakeExistingJobParams();
    // esystem.sys and the title after a change of m_strDataFile.
    void UseDataFile();
};

// The one document; null until its OnNewDocument has run.
extern CVendropDoc* g_pDoc;

// "2012.06.01" from a compiler-style date text such as "Jun  1 2012": the
// month found among "Jan" .. "Dec" (1 when none matches), the day from
// characters 4-5, the year from the last four characters.
CString MakeSoftwareDate(const char* buildDate);
