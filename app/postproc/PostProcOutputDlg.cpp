#include "app/postproc/PostProcOutputDlg.h"

#include "app/DeviceFiles.h"
#include "app/postproc/FormatFile.h"
#include "app/postproc/ResultFormatDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

using namespace postproc;

namespace {

constexpr int kModeRecompute = 1;

// Information boxes of the format buttons.
constexpr const wchar_t* kFixedNotEditable = L"系统固定格式不能编辑";
constexpr const wchar_t* kFixedNotDeletable = L"系统固定格式不能删除";
constexpr const wchar_t* kAskEdit = L"确实要编辑该格式吗?";
constexpr const wchar_t* kAskDelete = L"确实要删除该格式吗?";

}  // namespace

BEGIN_MESSAGE_MAP(CPostProcOutputDlg, CDialog)
ON_CBN_SELCHANGE(IDC_PP_FORMAT, OnFormatChanged)
ON_BN_CLICKED(IDC_PP_NEW_FORMAT, OnNewFormat)
ON_BN_CLICKED(IDC_PP_EDIT_FORMAT, OnEditFormat)
ON_BN_CLICKED(IDC_PP_DELETE_FORMAT, OnDeleteFormat)
ON_BN_CLICKED(IDC_PP_START, OnStart)
END_MESSAGE_MAP()

CPostProcOutputDlg::CPostProcOutputDlg() : m_pDoc(g_pDoc), m_boxes(this) {
    static const CoordSysParams kNoJob;
    static const SystemParams kNoSettings;
    static const CArray<ResultFormatRecord> kNoFormats;
    if (m_pDoc != nullptr)
        m_job.Attach(m_pDoc->m_coordParams, m_pDoc->m_sysParams, m_pDoc->m_formats, m_boxes);
    else
        m_job.Attach(kNoJob, kNoSettings, kNoFormats, m_boxes);
}

void CPostProcOutputDlg::TakeSteps(int nMode, int nSource, const CString& strCotPath,
                                   const CString& strRawPath) {
    m_nMode = nMode;
    m_nSource = nSource;
    m_strCotPath = strCotPath;
    m_strRawPath = strRawPath;
    if (GetSafeHwnd() != nullptr) UpdateData(FALSE);
}

void CPostProcOutputDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PP_FORMAT, m_combo);
    DDX_CBIndex(pDX, IDC_PP_FORMAT, m_nFormat);
    DDX_Text(pDX, IDC_PP_RAW_PATH, m_strRawPath);
    DDX_Text(pDX, IDC_PP_RESULTS, m_strResults);
    DDX_Text(pDX, IDC_PP_DATUM, m_dDatum);
}

CString CPostProcOutputDlg::FormatFilePath() const {
    return m_pDoc != nullptr ? m_pDoc->m_strJobDir + kFormatFileName : CString(kFormatFileName);
}

BOOL CPostProcOutputDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const wchar_t* name : kFixedFormatNames) m_combo.AddString(name);
    if (m_pDoc != nullptr) {
        const CString path = FormatFilePath();
        if (DeviceFileExists(path))
            ReadFormatFile(path, m_pDoc->m_formats, m_pDoc->m_nCurFormat, m_boxes);
        for (int i = 0; i < m_pDoc->m_formats.GetSize(); ++i)
            m_combo.AddString(m_pDoc->m_formats[i].m_strName);
        m_nFormat = m_pDoc->m_nCurFormat;
    }
    if (m_nFormat < 0 || m_nFormat >= m_combo.GetCount()) m_nFormat = 0;
    UpdateData(FALSE);
    return TRUE;
}

void CPostProcOutputDlg::SaveFormats() {
    if (m_pDoc == nullptr) return;
    m_pDoc->m_nCurFormat = m_nFormat;
    // It tells of a failure through m_boxes.
    (void)WriteFormatFile(FormatFilePath(), m_pDoc->m_formats, m_nFormat, m_boxes);
}

void CPostProcOutputDlg::OnFormatChanged() {
    m_nFormat = m_combo.GetCurSel();
    SaveFormats();
}

void CPostProcOutputDlg::OnNewFormat() {
    CResultFormatDlg dlg(this);
    if (dlg.DoModal() != IDOK || m_pDoc == nullptr) return;
    m_pDoc->m_formats.Add(dlg.MakeRecord());
    m_combo.AddString(dlg.m_strName);
    m_nFormat = m_combo.GetCount() - 1;
    m_combo.SetCurSel(m_nFormat);
    SaveFormats();
}

void CPostProcOutputDlg::OnEditFormat() {
    const int sel = m_combo.GetCurSel();
    if (sel < kFixedFormats) {
        m_boxes.Inform(kFixedNotEditable);
        return;
    }
    if (m_pDoc == nullptr || sel - kFixedFormats >= m_pDoc->m_formats.GetSize()) return;
    if (!m_boxes.AskYesNo(kAskEdit)) return;
    CResultFormatDlg dlg(this);
    dlg.LoadRecord(m_pDoc->m_formats[sel - kFixedFormats]);
    if (dlg.DoModal() != IDOK) return;
    m_pDoc->m_formats[sel - kFixedFormats] = dlg.MakeRecord();
    m_combo.DeleteString(static_cast<UINT>(sel));
    m_combo.InsertString(sel, dlg.m_strName);
    m_combo.SetCurSel(sel);
    m_nFormat = sel;
    SaveFormats();
}

void CPostProcOutputDlg::OnDeleteFormat() {
    const int sel = m_combo.GetCurSel();
    if (sel < kFixedFormats) {
        m_boxes.Inform(kFixedNotDeletable);
        return;
    }
    if (m_pDoc == nullptr || sel - kFixedFormats >= m_pDoc->m_formats.GetSize()) return;
    if (!m_boxes.AskYesNo(kAskDelete)) return;
    m_pDoc->m_formats.RemoveAt(sel - kFixedFormats);
    m_combo.DeleteString(static_cast<UINT>(sel));
    m_nFormat = sel - 1;
    m_combo.SetCurSel(m_nFormat);
    SaveFormats();
}

// FALSE when the run stopped before its results were all written.
BOOL CPostProcOutputDlg::RunJob() {
    if (m_nMode == kModeRecompute &&
        !m_job.CorrectCoordinates(m_nSource, m_strCotPath, m_strRawPath))
        return FALSE;
    if (!m_job.LoadRawFile(m_strRawPath)) return FALSE;
    m_job.SetOutputParams(m_dDatum, m_nFormat);
    return m_job.Run();
}

void CPostProcOutputDlg::OnStart() {
    if (!UpdateData(TRUE)) return;
    m_nFormat = m_combo.GetCurSel();
    BOOL bDone = FALSE;
    {
        CWaitCursor wait;
        bDone = RunJob();
    }
    if (bDone) m_boxes.Inform(kDone);
    m_strResults.Empty();
    for (int i = 0; i < m_job.m_resultFiles.GetSize(); ++i) {
        const CString& path = m_job.m_resultFiles[i];
        m_strResults += path.Mid(path.ReverseFind(L'\\') + 1) + L"  ";
    }
    UpdateData(FALSE);
}
