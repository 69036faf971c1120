#include "app/postproc/ResultFormatDlg.h"

#include "platform/base/MessageBox.h"
#include "res/resource.h"

using namespace postproc;

namespace {

constexpr const wchar_t* kNoName = L"定位文件格式名称不能为空";
constexpr const wchar_t* kNoCoordFields = L"定位文件格式体不能为空";
constexpr const wchar_t* kNoCoordExt = L"定位文件扩展名不能为空";
constexpr const wchar_t* kNoDepthFields = L"水深文件格式体不能为空";
constexpr const wchar_t* kNoDepthExt = L"水深文件扩展名不能为空";
constexpr const wchar_t* kBadCharacters = L"格式名称、分隔符和扩展名不能包含非法字符,请重新输入!";
constexpr const wchar_t* kAskCancelNew = L"确定取消新建格式吗?";
constexpr const wchar_t* kAskCancelEdit = L"确定取消编辑格式吗?";

const UINT kDepthControls[] = {IDC_FMT_DEPTH_EXT, IDC_FMT_DEPTH_ADD, IDC_FMT_DEPTH_DELETE,
                               IDC_FMT_DEPTH_CLEAR, IDC_FMT_DEPTH_EXT_LABEL};

// ":" cuts the format file's lines; an extension is also part of a file
// name, and "org" would make a result replace a raw file.
bool HoldsColon(const CString& text) {
    return text.Find(L':') >= 0;
}

bool IsBadExtension(const CString& ext) {
    return HoldsColon(ext) || ext.FindOneOf(L"\\/*?\"<>|") >= 0 || ext.CompareNoCase(L"org") == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CResultFormatDlg, CDialog)
ON_BN_CLICKED(IDC_FMT_COORD_ADD, OnCoordAdd)
ON_BN_CLICKED(IDC_FMT_COORD_DELETE, OnCoordDelete)
ON_BN_CLICKED(IDC_FMT_COORD_CLEAR, OnCoordClear)
ON_BN_CLICKED(IDC_FMT_DEPTH_ADD, OnDepthAdd)
ON_BN_CLICKED(IDC_FMT_DEPTH_DELETE, OnDepthDelete)
ON_BN_CLICKED(IDC_FMT_DEPTH_CLEAR, OnDepthClear)
ON_BN_CLICKED(IDC_FMT_DEPTH_FILE, OnDepthFile)
END_MESSAGE_MAP()

CResultFormatDlg::CResultFormatDlg(CWnd* pParent) : CDialog(IDD_RESULT_FORMAT, pParent) {
    for (int i = 0; i < kVocabularySize; ++i) m_names[i] = kVocabularyNames[i];
}

void CResultFormatDlg::LoadRecord(const ResultFormatRecord& f) {
    m_strName = f.m_strName;
    m_strSeparator = f.m_strSeparator;
    m_strCoordExt = f.m_strCoordExt;
    m_strDepthExt = f.m_strDepthExt;
    m_bDepthFile = f.m_bDepthFile ? 1 : 0;
    m_strCoordFields = f.m_strCoordFields;
    m_strDepthFields = f.m_strDepthFields;
    m_bEditing = 1;
}

ResultFormatRecord CResultFormatDlg::MakeRecord() const {
    ResultFormatRecord f;
    f.m_bDepthFile = m_bDepthFile;
    f.m_strName = m_strName;
    f.m_strSeparator = m_strSeparator;
    f.m_strCoordExt = m_strCoordExt;
    f.m_strCoordFields = m_strCoordFields;
    f.m_strDepthExt = m_strDepthExt;
    f.m_strDepthFields = m_strDepthFields;
    return f;
}

void CResultFormatDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_LBIndex(pDX, IDC_FMT_FIELDS, m_nField);
    DDX_Check(pDX, IDC_FMT_DEPTH_FILE, m_bDepthFile);
    DDX_Text(pDX, IDC_FMT_COORD_EXT, m_strCoordExt);
    DDX_Text(pDX, IDC_FMT_DEPTH_EXT, m_strDepthExt);
    DDX_Text(pDX, IDC_FMT_SEPARATOR, m_strSeparator);
    DDX_Text(pDX, IDC_FMT_NAME, m_strName);
    DDX_Text(pDX, IDC_FMT_COORD_TEXT, m_strCoordText);
    DDX_Text(pDX, IDC_FMT_DEPTH_TEXT, m_strDepthText);
}

BOOL CResultFormatDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CListBox* pList = static_cast<CListBox*>(GetDlgItem(IDC_FMT_FIELDS));
    for (const CString& name : m_names) pList->AddString(name);
    m_nField = 0;
    m_strCoordText = NamesOf(m_strCoordFields);
    m_strDepthText = NamesOf(m_strDepthFields);
    UpdateData(FALSE);
    ShowDepthControls();
    return TRUE;
}

// The display of a field-index text: each name followed by the separator.
CString CResultFormatDlg::NamesOf(const CString& fields) const {
    CString text;
    for (int index : ParseFieldIndexes(fields)) text += m_names[index] + m_strSeparator;
    return text;
}

void CResultFormatDlg::AddField(CString& text, CString& fields) {
    if (!UpdateData(TRUE)) return;
    if (m_nField < 0 || m_nField >= kVocabularySize) return;
    text += m_names[m_nField] + m_strSeparator;
    fields.AppendFormat(L"%d:", m_nField);
    UpdateData(FALSE);
}

// The last "n:" goes; the display is rebuilt from what is left, so that it
// always names the fields that will be written.
void CResultFormatDlg::DeleteField(CString& text, CString& fields) {
    if (!UpdateData(TRUE)) return;
    if (!fields.IsEmpty()) {
        const int colon = fields.Left(fields.GetLength() - 1).ReverseFind(L':');
        fields = colon < 0 ? CString() : fields.Left(colon + 1);
    }
    text = NamesOf(fields);
    UpdateData(FALSE);
}

void CResultFormatDlg::ClearFields(CString& text, CString& fields) {
    if (!UpdateData(TRUE)) return;
    text.Empty();
    fields.Empty();
    UpdateData(FALSE);
}

void CResultFormatDlg::OnDepthFile() {
    m_bDepthFile = IsDlgButtonChecked(IDC_FMT_DEPTH_FILE) ? 1 : 0;
    ShowDepthControls();
}

void CResultFormatDlg::ShowDepthControls() {
    for (UINT id : kDepthControls) {
        if (CWnd* pControl = GetDlgItem(static_cast<int>(id)))
            pControl->ShowWindow(m_bDepthFile ? SW_SHOW : SW_HIDE);
    }
}

// The first failing check's message, or null.
LPCTSTR CResultFormatDlg::Refusal() const {
    if (m_strName.IsEmpty()) return kNoName;
    if (m_strCoordFields.IsEmpty()) return kNoCoordFields;
    if (m_strCoordExt.IsEmpty()) return kNoCoordExt;
    if (m_bDepthFile) {
        if (m_strDepthFields.IsEmpty()) return kNoDepthFields;
        if (m_strDepthExt.IsEmpty()) return kNoDepthExt;
    }
    if (HoldsColon(m_strName) || HoldsColon(m_strSeparator) || IsBadExtension(m_strCoordExt))
        return kBadCharacters;
    if (m_bDepthFile &&
        (IsBadExtension(m_strDepthExt) || m_strDepthExt.CompareNoCase(m_strCoordExt) == 0))
        return kBadCharacters;
    return nullptr;
}

void CResultFormatDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (LPCTSTR refusal = Refusal()) {
        ::MessageBox(m_hWnd, refusal, kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    EndDialog(IDOK);
}

void CResultFormatDlg::OnCancel() {
    const LPCTSTR question = m_bEditing ? kAskCancelEdit : kAskCancelNew;
    if (::MessageBox(m_hWnd, question, kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    EndDialog(IDCANCEL);
}
