// CVendropDoc: post-processing of the job's raw RTK file into its data
// file, and the conversions between raw RTK files and result files.
//
// Parameters come from the job (a copy of m_coordParams) or, with source 0,
// from a control-point file the user picks: its plane and height results
// go into the copy, and for RTK to plane also its shifts.
#include <initializer_list>

#include "app/DeviceFiles.h"
#include "app/calibration/ParamsFromControlFile.h"
#include "app/convert/ConvertMessages.h"
#include "app/convert/ConvertText.h"
#include "app/convert/RtkConverter.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

namespace {

constexpr int kSourceControlFile = 0;

// The control-point file's parameters into `params` and `shift`; FALSE
// when the user cancels or the file cannot be read (already reported).
BOOL ParamsFromChosenControlFile(CVendropDoc& doc, CoordSysParams& params,
                                 convert::GridShift& shift) {
    CFileOpenDlg dlg;
    dlg.AddFilter(L"*.cot");
    dlg.SetInitialPath(doc.m_strJobDir);
    if (dlg.DoModal() != IDOK) return FALSE;
    doc.m_strPostFile = dlg.GetPathName();
    int nPlaneMode = 0;
    int nHeightMode = 0;
    return ComputeParamsFromControlFile(doc, params, shift.dx, shift.dy, shift.dh, nPlaneMode,
                                        nHeightMode) != 0;
}

// The job's corrections with a control-point file are asked about: they
// are meant only for a control-point library that was itself corrected.
BOOL KeepCorrections(const CoordSysParams& params) {
    if (!convert::CorrectionsInUse(params)) return TRUE;
    CString text;
    CString caption;
    text.LoadString(IDS_STRING61620);
    caption.LoadString(IDS_STRING61621);
    return MessageBox(nullptr, text, caption, MB_YESNO | MB_ICONQUESTION) != IDNO;
}

// The source from an open dialog, then the target from a save dialog, both
// starting in `folder`; `source` is taken as soon as it is chosen.
BOOL ChooseSourceAndTarget(const CString& folder, std::initializer_list<LPCTSTR> sourceFilters,
                           LPCTSTR targetFilter, CString& source, CString& target) {
    CFileOpenDlg open;
    for (LPCTSTR filter : sourceFilters) open.AddFilter(filter);
    open.SetInitialPath(folder);
    CFileSaveDlg save;
    save.SetFilter(targetFilter);
    save.SetInitialPath(folder);
    if (open.DoModal() != IDOK) return FALSE;
    source = open.GetPathName();
    if (save.DoModal() != IDOK) return FALSE;
    target = save.GetPathName();
    return TRUE;
}

void RunConversion(const CString& source, const CString& target, convert::CLineConverter& converter,
                   const convert::ResultTexts& texts) {
    CWaitCursor wait;
    const convert::ConvertStatus status =
        convert::ConvertFile(source, target, converter, convert::EmptyOutput::kKeepTarget);
    convert::ReportConversion(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr, status,
                              converter.Counted(), target, texts);
}

const convert::ResultTexts kResultFileTexts{IDS_STRING61622, TRUE, IDS_STRING61623};

}  // namespace

void CVendropDoc::MakeResultFile(int nSource) {
    CoordSysParams params = m_coordParams;
    convert::GridShift shift;
    BOOL bCorrections = TRUE;
    if (nSource == kSourceControlFile) {
        if (!ParamsFromChosenControlFile(*this, params, shift)) return;
        bCorrections = KeepCorrections(params);
    }
    CString target;
    if (!ChooseSourceAndTarget(m_strDataDir, {L"*.RTK", L"*.BLH"}, L"*.dat", m_strRtkFile, target))
        return;
    convert::CRtkToGridConverter converter(params, shift, bCorrections, 3);
    RunConversion(m_strRtkFile, target, converter, kResultFileTexts);
}

void CVendropDoc::MakeRawFile(int nSource) {
    CoordSysParams params = m_coordParams;
    if (nSource == kSourceControlFile) {
        convert::GridShift unused;  // plane to RTK takes only the record
        if (!ParamsFromChosenControlFile(*this, params, unused)) return;
    }
    CString target;
    if (!ChooseSourceAndTarget(m_strDataDir, {L"*.dat"}, L"*.RTK", m_strRtkFile, target)) return;
    convert::CGridToRtkConverter converter(params);
    RunConversion(m_strRtkFile, target, converter, kResultFileTexts);
}

// The data file is rebuilt only from a complete conversion: with no point
// line in the RTK file it stays as it was.
void CVendropDoc::OnPostProcess() {
    if (m_coordParams.szConF.IsEmpty()) {
        AfxMessageBox(IDS_STRING61413, MB_OK);
        return;
    }
    CString question;
    question.LoadString(IDS_STRING61408);
    question += m_strDataFile + L"?";
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    m_strRtkFile = m_strDataDir + m_strDataFile.Left(m_strDataFile.GetLength() - 3) + L"rtk";
    m_strPostFile = m_coordParams.szConF;
    if (!DeviceFileExists(m_strRtkFile)) {
        AfxMessageBox(IDS_STRING61409, MB_OK);
        return;
    }
    if (!DeviceFileExists(m_strPostFile)) {
        AfxMessageBox(IDS_STRING61410, MB_OK);
        return;
    }
    CoordSysParams params = m_coordParams;
    convert::GridShift shift;
    int nPlaneMode = 0;
    int nHeightMode = 0;
    if (!ComputeParamsFromControlFile(*this, params, shift.dx, shift.dy, shift.dh, nPlaneMode,
                                      nHeightMode))
        return;
    convert::CRtkToGridConverter converter(params, shift, TRUE, 4);
    RunConversion(m_strRtkFile, m_strDataDir + m_strDataFile, converter,
                  convert::ResultTexts{IDS_STRING61411, FALSE, IDS_STRING61412});
}
