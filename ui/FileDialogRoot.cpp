#include "ui/FileDialogRoot.h"

namespace {

CString& RootSetting() {
    static CString root(L"\\Flash Disk");
    return root;
}

}  // namespace

void SetFileDialogRoot(const CString& strRootDir) {
    RootSetting() = strRootDir;
}

CString GetFileDialogRoot() {
    return RootSetting();
}
