#include "app/points/MeasurePointLibDlg.h"

#include "app/InputRules.h"
#include "app/points/EditMeasurePointDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

using quorvel::pointdata::SurveyPointRow;

namespace {

struct Column {
    UINT heading;  // 0: the text below
    LPCTSTR text;
    int width;
    int field;
};

constexpr Column kColumns[] = {{IDS_STRING61417, nullptr, 80, 0},
                               {IDS_STRING61418, nullptr, 110, 1},
                               {IDS_STRING61419, nullptr, 110, 2},
                               {IDS_STRING61420, nullptr, 70, 3},
                               {IDS_STRING61421, nullptr, 70, 4},
                               {0, L"HRMS", 70, 6},
                               {0, L"VRMS", 70, 7},
                               {IDS_STRING61751, nullptr, 70, 13}};

// The solution code compared as the file holds it.
int IconOf(const CString& solution) {
    if (solution == L"10") return 2;
    if (solution == L"9" || solution == L"8") return 3;
    return 4;
}

CString Fixed3(double value) {
    CString text;
    text.Format(L"%.3f", value);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMeasurePointLibDlg, CDialog)
ON_NOTIFY(NM_CLICK, IDC_POINT_LIB_LIST, OnClickList)
ON_BN_CLICKED(IDC_POINT_LIB_EDIT, OnEdit)
ON_BN_CLICKED(IDC_POINT_LIB_DELETE, OnDelete)
END_MESSAGE_MAP()

CMeasurePointLibDlg::CMeasurePointLibDlg(CWnd* pParent) : CDialog(IDD_MEASURE_POINT_LIB, pParent) {}

void CMeasurePointLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_POINT_LIB_LIST, m_list);
    DDX_Text(pDX, IDC_POINT_LIB_NAME, m_strName);
    DDX_Text(pDX, IDC_POINT_LIB_CODE, m_strCode);
    DDX_Text(pDX, IDC_POINT_LIB_X, m_dX);
    DDX_Text(pDX, IDC_POINT_LIB_Y, m_dY);
    DDX_Text(pDX, IDC_POINT_LIB_H, m_dH);
}

BOOL CMeasurePointLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        CString heading = kColumns[i].text ? CString(kColumns[i].text) : CString();
        if (kColumns[i].heading) heading.LoadString(kColumns[i].heading);
        m_list.InsertColumn(i, heading, LVCFMT_LEFT, kColumns[i].width);
    }
    m_images.Create(IDB_POINT_IMAGES, 16, 1, RGB(255, 255, 255));
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT |
                            LVS_EX_HEADERDRAGDROP | LVS_EX_TRACKSELECT);
    const CVendropDoc& doc = *g_pDoc;
    LoadFile(doc.m_strDataDir + doc.m_strDataFile);
    return TRUE;
}

SurveyPointRow& CMeasurePointLibDlg::RowOf(int item) {
    auto& rows = m_file.Rows();
    return rows[rows.size() - 1 - static_cast<size_t>(item)];
}

void CMeasurePointLibDlg::LoadFile(const CString& path) {
    m_strPath = path;
    m_file.Load(path);
    m_list.DeleteAllItems();
    const auto& rows = m_file.Rows();
    for (size_t i = rows.size(); i-- > 0;) {
        const SurveyPointRow& row = rows[i];
        const int item =
            m_list.InsertItem(m_list.GetItemCount(), row.fields[0], IconOf(row.fields[5]));
        for (int c = 1; c < static_cast<int>(std::size(kColumns)); ++c)
            m_list.SetItemText(item, c, row.fields[kColumns[c].field]);
    }
    if (m_list.GetItemCount() == 0) return;
    m_list.SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ShowItem(0);
}

BOOL CMeasurePointLibDlg::SaveFile() {
    CWaitCursor wait;
    if (m_file.Save(m_strPath)) return TRUE;
    MessageBox(L"文件保存失败,请检查!", L"提示", MB_OK | MB_ICONINFORMATION);
    // The list shows again what the file holds.
    LoadFile(m_strPath);
    return FALSE;
}

void CMeasurePointLibDlg::ShowItem(int item) {
    m_strName = m_list.GetItemText(item, 0);
    m_strCode = m_list.GetItemText(item, 4);
    m_dX = ReadNumber(m_list.GetItemText(item, 1));
    m_dY = ReadNumber(m_list.GetItemText(item, 2));
    m_dH = ReadNumber(m_list.GetItemText(item, 3));
    UpdateData(FALSE);
}

std::vector<int> CMeasurePointLibDlg::SelectedItems() const {
    std::vector<int> items;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    while (pos) items.push_back(m_list.GetNextSelectedItem(pos));
    return items;
}

void CMeasurePointLibDlg::OnClickList(NMHDR*, LRESULT* pResult) {
    for (int item : SelectedItems()) ShowItem(item);
    *pResult = 0;
}

void CMeasurePointLibDlg::OnEdit() {
    for (int item : SelectedItems())
        if (!EditItem(item)) return;  // a failed rewrite: the list is the file again
}

// The height keeps the ground: what the old antenna height took off comes
// back, the new one goes.
BOOL CMeasurePointLibDlg::EditItem(int item) {
    const double oldAnt = ReadNumber(m_list.GetItemText(item, 7));
    const double ground = ReadNumber(m_list.GetItemText(item, 3)) + oldAnt;
    CEditMeasurePointDlg dialog(this);
    dialog.m_strName = m_list.GetItemText(item, 0);
    dialog.m_strCode = m_list.GetItemText(item, 4);
    dialog.m_dAntHeight = oldAnt;
    if (dialog.DoModal() != IDOK) return TRUE;
    const CString antenna = Fixed3(dialog.m_dAntHeight);
    const CString height = Fixed3(ground - dialog.m_dAntHeight);
    m_list.SetItemText(item, 0, dialog.m_strName);
    m_list.SetItemText(item, 4, dialog.m_strCode);
    m_list.SetItemText(item, 7, antenna);
    m_list.SetItemText(item, 3, height);
    SurveyPointRow& row = RowOf(item);
    row.fields[0] = dialog.m_strName;
    row.fields[4] = dialog.m_strCode;
    row.fields[13] = antenna;
    row.fields[3] = height;
    row.changed = true;
    return SaveFile();
}

// Each row selected when the button was pressed is asked about in list
// order, whatever was removed before it.
void CMeasurePointLibDlg::OnDelete() {
    CString question;
    CString title;
    question.LoadString(IDS_STRING61740);
    title.LoadString(IDS_STRING61466);
    int removed = 0;
    for (int selected : SelectedItems()) {
        const int item = selected - removed;
        if (MessageBox(question, title, MB_YESNO) != IDYES) continue;
        m_list.DeleteItem(item);
        auto& rows = m_file.Rows();
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(rows.size() - 1 - item));
        ++removed;
        if (!SaveFile()) return;  // the list is the file again
    }
}
