#include "platform/resources/Resources.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/base/CString.h"
#include "platform/resources/GeneratedTables.h"

namespace quorvel::resources {

namespace {

template <typename T>
const T* FindById(std::span<const T> table, UINT id) {
    auto it = std::lower_bound(table.begin(), table.end(), id,
                               [](const T& entry, UINT key) { return entry.id < key; });
    return it != table.end() && it->id == id ? &*it : nullptr;
}

bool LoadForCString(UINT id, std::wstring& out) {
    const wchar_t* text = FindString(id);
    if (!text) return false;
    out = text;
    return true;
}

}  // namespace

void Install() {
    CString::SetStringLoader(&LoadForCString);
}

const wchar_t* FindString(UINT id) {
    const StringResource* entry = FindById(generated::Strings(), id);
    return entry ? entry->text : nullptr;
}

const DialogTemplate* FindDialog(UINT id) {
    return FindById(generated::Dialogs(), id);
}

const MenuTemplate* FindMenu(UINT id) {
    return FindById(generated::Menus(), id);
}

const ToolbarTemplate* FindToolbar(UINT id) {
    return FindById(generated::Toolbars(), id);
}

bool FindImageFile(UINT id, ImageType type, std::string& hostPath) {
    for (const ImageResource& image : generated::Images()) {
        if (image.type == type && image.id == id) {
            hostPath = std::string(generated::ImageFolder()) + "/" + image.file;
            return true;
        }
    }
    return false;
}

std::span<const DialogTemplate> AllDialogs() {
    return generated::Dialogs();
}
std::span<const MenuTemplate> AllMenus() {
    return generated::Menus();
}
std::span<const ToolbarTemplate> AllToolbars() {
    return generated::Toolbars();
}
std::span<const StringResource> AllStrings() {
    return generated::Strings();
}
std::span<const ImageResource> AllImages() {
    return generated::Images();
}

}  // namespace quorvel::resources

int LoadString(HINSTANCE, UINT id, LPTSTR buffer, int bufferMax) {
    if (!buffer || bufferMax < 0) return 0;
    const wchar_t* text = quorvel::resources::FindString(id);
    if (bufferMax == 0) {
        if (!text) return 0;
        std::memcpy(buffer, &text, sizeof text);
        return static_cast<int>(wcslen(text));
    }
    if (!text) {
        buffer[0] = L'\0';
        return 0;
    }
    const size_t length = std::min(wcslen(text), static_cast<size_t>(bufferMax - 1));
    wmemcpy(buffer, text, length);
    buffer[length] = L'\0';
    return static_cast<int>(length);
}
