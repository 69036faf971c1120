// CVendropDoc: post-processing of the job's raw RTK file into its data
// file, and the conversions between raw RTK files and result files.
//
// Parameters come from the job (a copy of m_coordParams) or, with source 0,
// from a control-point file the user picks: its plane and height results
// go into the copy, and for RTK to plane also its shifts.
#include "app/DeviceFiles.h"
#include "app/VendropDoc.h"
#include "app/convert/ConvertMessages.h"
#include "app/convert/ConvertText.h"
#include "app/convert/RtkConverter.h"
#include "app/coordsys/ParamsFromControlFile.h"
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

void RunResultConversion(const CString& source, const CString& target,
                         convert::CLineConverter& converter) {
    CWaitCursor wait;
    const convert::ConvertStatus status =
        convert::ConvertFile(source, target, converter, convert::EmptyOutput::kKeepTarget);
    convert::ReportConversion(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr, status,
                              converter.Counted(), target,
                              convert::ResultTexts{IDS_STRING61622, TRUE, IDS_STRING61623});
}

}  // namespace

void CVendropDoc::MakeResultFile(int nSource) {
    CFileOpenDlg open;
    open.AddFilter(L"*.RTK");
    open.AddFilter(L"*.BLH");
    open.SetInitialPath(m_strDataDir);
    CFileSaveDlg save;
    save.SetFilter(L"*.dat");
    save.SetInitialPath(m_strDataDir);
    CoordSysParams params = m_coordParams;
    convert::GridShift shift;
    BOOL bCorrections = TRUE;
    if (nSource == kSourceControlFile) {
        if (!ParamsFromChosenControlFile(*this, params, shift)) return;
        bCorrections = KeepCorrections(params);
    }
    if (open.DoModal() != IDOK) return;
    m_strRtkFile = open.GetPathName();
    if (save.DoModal() != IDOK) return;
    convert::CRtkToGridConverter converter(params, shift, bCorrections, 3);
    RunResultConversion(m_strRtkFile, save.GetPathName(), converter);
}

void CVendropDoc::MakeRawFile(int nSource) {
    CFileOpenDlg open;
    open.AddFilter(L"*.dat");
    open.SetInitialPath(m_strDataDir);
    CFileSaveDlg save;
    save.SetFilter(L"*.RTK");
    save.SetInitialPath(m_strDataDir);
    CoordSysParams params = m_coordParams;
    if (nSource == kSourceControlFile) {
        convert::GridShift unused;  // plane to RTK takes only the record
        if (!ParamsFromChosenControlFile(*this, params, unused)) return;
    }
    if (open.DoModal() != IDOK) return;
    m_strRtkFile = open.GetPathName();
    if (save.DoModal() != IDOK) return;
    convert::CGridToRtkConverter converter(params);
    RunResultConversion(m_strRtkFile, save.GetPathName(), converter);
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
    CWaitCursor wait;
    const CString target = m_strDataDir + m_strDataFile;
    const convert::ConvertStatus status =
        convert::ConvertFile(m_strRtkFile, target, converter, convert::EmptyOutput::kKeepTarget);
    convert::ReportConversion(AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr, status,
                              converter.Counted(), target,
                              convert::ResultTexts{IDS_STRING61411, FALSE, IDS_STRING61412});
}
