#include "tests/platform/framework/DemoDialog.h"

#include <array>

#include "platform/framework/DataExchange.h"

namespace demo {

namespace {

using quorvel::resources::DialogItemTemplate;

constexpr const wchar_t* kFixes[] = {L"单点", L"差分", L"浮动", L"固定"};
constexpr const wchar_t* kPicks[] = {L"北", L"东", L"高"};
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

DialogItemTemplate Item(const wchar_t* cls, const wchar_t* text, UINT id, int x, int y, int cx,
                        int cy, DWORD style, std::span<const wchar_t* const> list = {}) {
    return DialogItemTemplate{cls, text, 0, id, x, y, cx, cy, kChild | style, 0, list};
}

const std::array<DialogItemTemplate, 15>& Items() {
    static const std::array<DialogItemTemplate, 15> items = {
        Item(L"Static", L"名称:", 0xFFFF, 4, 6, 24, 10, SS_LEFT),
        Item(L"Edit", L"", kName, 30, 4, 60, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL),
        Item(L"Button", L"标志", kFlag, 96, 4, 36, 12, BS_AUTOCHECKBOX | WS_TABSTOP),
        Item(L"Button", L"方式", kGroup, 4, 18, 128, 24, BS_GROUPBOX),
        Item(L"Button", L"甲", kModeA, 10, 28, 36, 10, BS_AUTORADIOBUTTON | WS_GROUP),
        Item(L"Button", L"乙", kModeB, 60, 28, 36, 10, BS_AUTORADIOBUTTON),
        Item(L"ComboBox", L"", kFix, 4, 46, 60, 60, CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP,
             kFixes),
        Item(L"ListBox", L"", kPick, 70, 46, 62, 26, LBS_NOTIFY | WS_BORDER | WS_TABSTOP, kPicks),
        Item(L"SysListView32", L"", kList, 4, 76, 128, 30, LVS_REPORT | WS_BORDER),
        Item(L"SysTreeView32", L"", kTree, 4, 108, 62, 30,
             TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | WS_BORDER),
        Item(L"SysTabControl32", L"", kTab, 70, 108, 62, 30, 0),
        Item(L"msctls_progress32", L"", kProgress, 4, 142, 128, 8, WS_BORDER),
        Item(L"ScrollBar", L"", kScroll, 4, 152, 128, 9, SBS_HORZ),
        Item(L"Button", L"确定", IDOK, 20, 164, 40, 12, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
        Item(L"Button", L"取消", IDCANCEL, 76, 164, 40, 12, BS_PUSHBUTTON | WS_TABSTOP),
    };
    return items;
}

const DLGTEMPLATE* Template() {
    static const DLGTEMPLATE t = {kAllControlsDialog,
                                  false,
                                  WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT,
                                  0,
                                  0,
                                  0,
                                  136,
                                  180,
                                  L"全部控件",
                                  9,
                                  L"宋体",
                                  0,
                                  std::span<const DialogItemTemplate>(Items())};
    return &t;
}

}  // namespace

CAllControlsDlg::CAllControlsDlg() {
    InitModalIndirect(Template());
}

void CAllControlsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kName, m_strName);
    DDX_Check(pDX, kFlag, m_bFlag);
    DDX_Radio(pDX, kModeA, m_nMode);
    DDX_CBIndex(pDX, kFix, m_nFix);
    DDX_LBIndex(pDX, kPick, m_nPick);
    DDX_Control(pDX, kList, m_list);
    DDX_Control(pDX, kTree, m_tree);
    DDX_Control(pDX, kTab, m_tab);
    DDX_Control(pDX, kProgress, m_progress);
}

BOOL CAllControlsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.InsertColumn(0, L"点名", LVCFMT_LEFT, 60);
    m_list.InsertColumn(1, L"高程", LVCFMT_LEFT, 60);
    m_list.InsertItem(0, L"P1");
    m_list.SetItemText(0, 1, L"12.5");
    HTREEITEM job = m_tree.InsertItem(L"工程");
    m_tree.InsertItem(L"数据", job);
    m_tree.Expand(job, TVE_EXPAND);
    m_tab.InsertItem(0, L"一");
    m_tab.InsertItem(1, L"二");
    m_progress.SetRange(0, 80);
    m_progress.SetPos(40);
    return TRUE;
}

}  // namespace demo
