// Command 32773 "新建工程": a new job from the new-job dialog, its
// parameters from the wizard or from an existing job's files, its folders,
// esystem.sys, the point naming and the alarms reset, the engine and the
// base point from the new parameters, then the job's two files.
#include "app/DeviceFiles.h"
#include "app/coordsys/CoordParamsFromDialogs.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/coordsys/ParamWizardDlg.h"
#include "app/jobs/NewJobDlg.h"
#include "app/settings/DefaultRecords.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"

namespace {

void TakeWizardValues(const CParamWizardDlg& wizard, CoordSysParams& p) {
    p.nCoord = wizard.m_pageEllipsoid.m_nCoord;
    p.szdDa = wizard.m_pageEllipsoid.m_dA;
    p.szdDf = wizard.m_pageEllipsoid.m_dInvF;

    TakeProjection(wizard.m_pageProjection, p);
    wizard.m_pageFour.StoreTo(p);
    wizard.m_pageSeven.StoreTo(p);
    TakeHeightFitCoefficients(wizard.m_pageHeightFit, p);
}

}  // namespace

// The wizard starts from the defaults, the receiver's port and differential
// format kept. Cancelled, the settings go back to the current job's: every
// later settings write goes to that job's .ini, which must not get the
// defaults.
BOOL CVendropDoc::TakeWizardParams() {
    const SystemParams current = m_sysParams;
    FillDefaultParRecord(m_coordParams2, m_strSoftwareDate);
    SetDefaultIniRecord();
    m_sysParams.Port = current.Port;
    m_sysParams.nRadioFormat = current.nRadioFormat;
    CParamWizardDlg wizard;
    if (wizard.DoModal() != IDOK) {
        m_sysParams = current;
        return FALSE;
    }
    SetDefaultParRecord();
    TakeWizardValues(wizard, m_coordParams);
    return TRUE;
}

// The two records from the chosen job's files; an empty choice keeps the
// current records.
BOOL CVendropDoc::TakeExistingJobParams() {
    CFileOpenDlg dlg;
    dlg.AddFilter(L"*.ini");
    dlg.SetInitialPath(m_strJobDir);
    if (dlg.DoModal() != IDOK) return FALSE;
    const CString path = dlg.GetPathName();
    if (path.IsEmpty()) return TRUE;
    const int slash = path.ReverseFind(L'\\');
    ReadJobRecords(path.Left(slash + 1), path.Mid(slash + 1));
    return TRUE;
}

void CVendropDoc::OnNewJob() {
    CNewJobDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    const CString folder = dlg.m_strJobPath + dlg.m_strJobName;
    if (DeviceFileExists(dlg.m_strIniPath) &&
        AfxMessageBox(IDS_STRING61615, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const CString iniName = dlg.m_strIniPath.Mid(dlg.m_strIniPath.ReverseFind(L'\\') + 1);
    if (!(dlg.m_nMode == 0 ? TakeWizardParams() : TakeExistingJobParams())) return;

    SetJobFiles(folder + L"\\", iniName);
    CreateFolderIfAbsent(m_strJobDir);
    CreateFolderIfAbsent(m_strDataDir);
    CreateFolderIfAbsent(m_strResultDir);
    m_sysFile.szIniFile = m_strJobDir + m_strIniName;
    m_sysFile.szDataFile = m_strDataFile;
    m_sysFile.szLastSaveName = L"PT";
    (void)SaveSystemFile();  // a failure has had its box
    m_strPointName = m_strNextPointName = L"PT";
    AdvancePointName();
    m_bMeridianAlarmOff = m_bSevenParAlarmOff = m_bFourParAlarmOff = 0;

    LoadCoordTransform();
    m_coordParams.szdBaseLat =
        CCoordTransform::ConvertDmsRadian(m_curFix.dBaseLat * coordsys::kDegToRad, 0);
    m_coordParams.szdBaseLon =
        CCoordTransform::ConvertDmsRadian(m_curFix.dBaseLon * coordsys::kDegToRad, 0);
    m_coordParams.szdBaseHgt = m_curFix.dBaseH;
    RefreshBasePoint(m_coordTransform);
    ApplyBaseCoordinates(m_coordParams);
    (void)SaveCoordParams();   // a failure has had its box
    (void)SaveSystemParams();  // a failure has had its box
    ShowJobTitle();
}
