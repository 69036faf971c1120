// The shell's small-icon list (a file and a folder, drawn here) and the
// file information that hands it out.
#include <cwchar>
#include <mutex>
#include <string>

#include "platform/controls/ImageList.h"
#include "platform/controls/ShellFileInfo.h"
#include "platform/files/FileApi.h"

namespace quorvel::controls {
namespace {

constexpr int kFileImage = 0;
constexpr int kFolderImage = 1;

// K outline, W paper, G ruled lines, L folder flap, Y folder body, '.' clear.
constexpr const char* kFile[16] = {
    "..KKKKKKKK......", "..KWWWWWWKK.....", "..KWWWWWWKWK....", "..KWWWWWWKWWK...",
    "..KWWWWWWKKKKK..", "..KWWWWWWWWWWK..", "..KWGGGGGGGWWK..", "..KWWWWWWWWWWK..",
    "..KWGGGGGGGWWK..", "..KWWWWWWWWWWK..", "..KWGGGGGGGWWK..", "..KWWWWWWWWWWK..",
    "..KWGGGGGGGWWK..", "..KWWWWWWWWWWK..", "..KKKKKKKKKKKKK.", "................",
};
constexpr const char* kFolder[16] = {
    "................", "................", ".KKKKK..........", "KLLLLLK.........",
    "KLLLLLLKKKKKKK..", "KLLLLLLLLLLLLLK.", "KLYYYYYYYYYYYYK.", "KLYYYYYYYYYYYYK.",
    "KLYYYYYYYYYYYYK.", "KLYYYYYYYYYYYYK.", "KLYYYYYYYYYYYYK.", "KLYYYYYYYYYYYYK.",
    "KLYYYYYYYYYYYYK.", "KKKKKKKKKKKKKKK.", "................", "................",
};

uint32_t PaletteColor(char c) {
    switch (c) {
        case 'K':
            return 0x000000;
        case 'W':
            return 0xFFFFFF;
        case 'G':
            return 0x808080;
        case 'L':
            return 0xFFF0A0;
        case 'Y':
            return 0xE0B030;
        default:
            return 0;
    }
}

void AddPicture(ImageListData& list, const char* const* rows) {
    ImageListData::Entry e;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            e.pixels.push_back(PaletteColor(rows[y][x]));
            e.clear.push_back(rows[y][x] == '.');
        }
    }
    list.images.push_back(std::move(e));
}

HIMAGELIST SystemSmallIcons() {
    static std::once_flag once;
    static HIMAGELIST list = nullptr;
    std::call_once(once, [] {
        list = NewImageList(16, 16, ILC_COLOR | ILC_MASK);
        ImageListData* data = FindImageList(list);
        data->system = true;
        AddPicture(*data, kFile);
        AddPicture(*data, kFolder);
    });
    return list;
}

bool IsFolder(LPCTSTR path, DWORD attributes, UINT flags) {
    if (flags & SHGFI_USEFILEATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const DWORD found = GetFileAttributes(path);
    return found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring LastName(const std::wstring& path) {
    std::wstring p = path;
    while (p.size() > 1 && p.back() == L'\\') p.pop_back();
    const size_t slash = p.find_last_of(L'\\');
    return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

}  // namespace
}  // namespace quorvel::controls

DWORD_PTR SHGetFileInfo(LPCTSTR path, DWORD attributes, SHFILEINFO* info, UINT infoSize,
                        UINT flags) {
    using namespace quorvel::controls;
    if (!path || (info && infoSize < sizeof(SHFILEINFO))) return 0;
    // The list itself is handed out whatever the path; other questions need
    // a path that exists.
    const bool useAttributes = (flags & SHGFI_USEFILEATTRIBUTES) != 0;
    if (!useAttributes && !(flags & SHGFI_SYSICONINDEX) &&
        GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
        return 0;
    const bool folder = IsFolder(path, attributes, flags);
    if (info) {
        info->hIcon = nullptr;
        info->iIcon = folder ? kFolderImage : kFileImage;
        info->dwAttributes = 0;
        info->szTypeName[0] = L'\0';
        info->szDisplayName[0] = L'\0';
        if (flags & SHGFI_DISPLAYNAME)
            std::wcsncpy(info->szDisplayName, LastName(path).c_str(), MAX_PATH - 1);
        info->szDisplayName[MAX_PATH - 1] = L'\0';
        if (flags & SHGFI_ICON)
            info->hIcon = ImageList_GetIcon(SystemSmallIcons(), info->iIcon, ILD_NORMAL);
    }
    if (flags & SHGFI_SYSICONINDEX) return reinterpret_cast<DWORD_PTR>(SystemSmallIcons());
    return 1;
}
