#include "app/convert/ConvertModeChoice.h"

#include "platform/base/MessageBox.h"

namespace convert {

namespace {

ConvertModeChooser g_chooser = nullptr;

}  // namespace

// The mode dialog is not part of the program yet: without a chooser the
// command ends as it does on Cancel.
INT_PTR ChooseConvertMode(int& nMode) {
    if (g_chooser) return g_chooser(nMode);
    return IDCANCEL;
}

void SetConvertModeChooser(ConvertModeChooser chooser) {
    g_chooser = chooser;
}

}  // namespace convert
