// Temporary objects of the class that matches the window's class, so that
// the program's casts of GetDlgItem's answer (to CEdit*, CButton* ...) name
// the object's real class.
#include "platform/base/Collections.h"
#include "platform/framework/Button.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Edit.h"
#include "platform/framework/FrameworkInternal.h"
#include "platform/framework/ListBox.h"
#include "platform/framework/ListCtrl.h"
#include "platform/framework/ProgressCtrl.h"
#include "platform/framework/ScrollBar.h"
#include "platform/framework/Static.h"
#include "platform/framework/TabCtrl.h"
#include "platform/framework/TreeCtrl.h"

namespace quorvel::framework {
namespace {

struct TempClass {
    const wchar_t* className;
    CWnd* (*make)();
};

template <class T>
CWnd* Make() {
    return new T;
}

const TempClass kTempClasses[] = {
    {WC_BUTTON, &Make<CButton>},
    {WC_STATIC, &Make<CStatic>},
    {WC_EDIT, &Make<CEdit>},
    {WC_LISTBOX, &Make<CListBox>},
    {WC_COMBOBOX, &Make<CComboBox>},
    {WC_LISTVIEW, &Make<CListCtrl>},
    {WC_TREEVIEW, &Make<CTreeCtrl>},
    {WC_TABCONTROL, &Make<CTabCtrl>},
    {PROGRESS_CLASS, &Make<CProgressCtrl>},
    {WC_SCROLLBAR, &Make<CScrollBar>},
};

}  // namespace

CWnd* NewTempWnd(HWND hWnd) {
    wchar_t name[64] = {};
    ::GetClassName(hWnd, name, 64);
    for (const TempClass& c : kTempClasses) {
        if (lstrcmpiW(name, c.className) == 0) return c.make();
    }
    return new CWnd;
}

}  // namespace quorvel::framework
