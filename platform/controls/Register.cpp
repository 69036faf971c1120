// Registration of the standard classes and the common-controls start-up.
#include <mutex>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Controls.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListView.h"
#include "platform/controls/Progress.h"
#include "platform/controls/ScrollBarControl.h"
#include "platform/controls/Static.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/TreeView.h"

namespace quorvel::controls {

void RegisterStandardClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterControlClass(WC_STATIC, &ControlProc<Static>, CS_DBLCLKS);
        RegisterControlClass(WC_BUTTON, &ControlProc<Button>, CS_DBLCLKS);
        RegisterControlClass(WC_EDIT, &ControlProc<Edit>, CS_DBLCLKS);
        RegisterControlClass(WC_LISTBOX, &ControlProc<ListBox>, CS_DBLCLKS);
        RegisterControlClass(L"ComboLBox", &ControlProc<ListBox>, CS_DBLCLKS);
        RegisterControlClass(WC_COMBOBOX, &ControlProc<ComboBox>, CS_DBLCLKS);
        RegisterControlClass(WC_LISTVIEW, &ControlProc<ListView>, CS_DBLCLKS);
        RegisterControlClass(WC_TREEVIEW, &ControlProc<TreeView>, CS_DBLCLKS);
        RegisterControlClass(WC_TABCONTROL, &ControlProc<TabControl>, CS_DBLCLKS);
        RegisterControlClass(PROGRESS_CLASS, &ControlProc<Progress>, 0);
        RegisterControlClass(WC_SCROLLBAR, &ControlProc<ScrollBarControl>, CS_DBLCLKS);
    });
}

}  // namespace quorvel::controls

void InitCommonControls() {
    quorvel::controls::RegisterStandardClasses();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (!init) return FALSE;
    quorvel::controls::RegisterStandardClasses();
    return TRUE;
}
