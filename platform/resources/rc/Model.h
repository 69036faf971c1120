// What the resource compiler reads out of a script: one record per
// resource, each remembering where it was written so that every later check
// can name the file and line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::rc {

struct SourcePos {
    std::string file;
    int line = 0;
};

// A compile error; what() is "file:line: error: message".
struct CompileError {
    SourcePos pos;
    std::string message;
    std::string Text() const;
};

struct Control {
    std::wstring className;  // normalised spelling for the standard classes
    std::wstring text;
    uint32_t imageId = 0;  // ICON and image statics name their image by id
    int id = 0;            // 16-bit, as the device stores it (-1 gives 65535)
    int x = 0, y = 0, cx = 0, cy = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::vector<std::wstring> items;  // initial list, from DLGINIT
    SourcePos pos;
};

struct Dialog {
    int id = 0;
    bool extended = false;
    int x = 0, y = 0, cx = 0, cy = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::wstring caption;
    int fontSize = 0;  // 0 = no FONT statement
    std::wstring fontFace;
    int menuId = 0;
    std::vector<Control> controls;
    SourcePos pos;
};

struct MenuItem {
    std::wstring text;
    int id = 0;
    bool separator = false;
    bool popup = false;
    bool grayed = false;
    bool inactive = false;
    bool checked = false;
    bool menuBreak = false;
    bool menuBarBreak = false;
    bool help = false;
    std::vector<MenuItem> children;
};

struct Menu {
    int id = 0;
    std::vector<MenuItem> items;
    SourcePos pos;
};

struct Toolbar {
    int id = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    std::vector<int> buttons;  // 0 = separator
    SourcePos pos;
};

struct StringEntry {
    int id = 0;
    std::wstring text;
    SourcePos pos;
};

enum class ImageKind { Bitmap, Icon };

struct Image {
    int id = 0;
    ImageKind kind = ImageKind::Bitmap;
    std::string file;  // as written, relative to the script's folder
    SourcePos pos;
};

// Initial items of list and combo boxes, per dialog.
struct DlgInit {
    int dialogId = 0;
    struct List {
        int controlId = 0;
        std::vector<std::wstring> items;
        SourcePos pos;
    };
    std::vector<List> lists;
    SourcePos pos;
};

struct Script {
    std::string folder;  // of the main script, for image files
    std::vector<Dialog> dialogs;
    std::vector<Menu> menus;
    std::vector<Toolbar> toolbars;
    std::vector<StringEntry> strings;
    std::vector<Image> images;
    std::vector<DlgInit> dlgInits;
};

}  // namespace quorvel::rc
