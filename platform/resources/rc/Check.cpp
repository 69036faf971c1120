#include <filesystem>
#include <fstream>
#include <map>

#include "platform/resources/rc/Compiler.h"
#include "platform/resources/rc/Lexer.h"
#include "platform/resources/rc/Parser.h"

namespace quorvel::rc {

namespace {

std::string Where(const SourcePos& pos) {
    return pos.file + ":" + std::to_string(pos.line);
}

template <typename T>
void CheckUnique(const std::vector<T>& list, const char* type, std::vector<CompileError>& errors) {
    std::map<int, SourcePos> seen;
    for (const T& item : list) {
        auto [it, fresh] = seen.emplace(item.id, item.pos);
        if (!fresh) {
            errors.push_back({item.pos, std::string(type) + " id " + std::to_string(item.id) +
                                            " is used twice (first at " + Where(it->second) + ")"});
        }
    }
}

void CheckImages(Script& script, std::vector<CompileError>& errors) {
    namespace fs = std::filesystem;
    std::map<int, SourcePos> bitmaps, icons;
    for (Image& image : script.images) {
        auto& seen = image.kind == ImageKind::Icon ? icons : bitmaps;
        auto [it, fresh] = seen.emplace(image.id, image.pos);
        if (!fresh) {
            errors.push_back(
                {image.pos, std::string(image.kind == ImageKind::Icon ? "icon" : "bitmap") +
                                " id " + std::to_string(image.id) + " is used twice (first at " +
                                Where(it->second) + ")"});
        }
        const fs::path full = fs::path(image.pos.file).parent_path() / image.file;
        std::ifstream in(full, std::ios::binary);
        char magic[8] = {};
        in.read(magic, sizeof magic);
        const bool bmp = in.gcount() >= 2 && magic[0] == 'B' && magic[1] == 'M';
        const bool png = in.gcount() == 8 && std::string(magic, 8) == "\x89PNG\r\n\x1a\n";
        if (!fs::is_regular_file(full)) {
            errors.push_back({image.pos, "image file \"" + image.file + "\" not found"});
        } else if (!bmp && !png) {
            errors.push_back({image.pos, "image file \"" + image.file + "\" is not BMP or PNG"});
        }
        image.file = full.lexically_relative(script.folder).generic_string();
    }
    for (const Toolbar& bar : script.toolbars) {
        if (bitmaps.count(bar.id) == 0) {
            errors.push_back({bar.pos, "toolbar " + std::to_string(bar.id) +
                                           " has no bitmap strip with the same id"});
        }
    }
}

void AttachLists(Script& script, std::vector<CompileError>& errors) {
    for (const DlgInit& init : script.dlgInits) {
        Dialog* dialog = nullptr;
        for (Dialog& d : script.dialogs) {
            if (d.id == init.dialogId) dialog = &d;
        }
        if (!dialog) {
            errors.push_back({init.pos, "initial lists for dialog " +
                                            std::to_string(init.dialogId) +
                                            ", which is not defined"});
            continue;
        }
        for (const DlgInit::List& list : init.lists) {
            Control* control = nullptr;
            for (Control& c : dialog->controls) {
                if (c.id == list.controlId && !control) control = &c;
            }
            if (!control ||
                (control->className != L"ComboBox" && control->className != L"ListBox")) {
                errors.push_back({list.pos, "control " + std::to_string(list.controlId) +
                                                " of dialog " + std::to_string(init.dialogId) +
                                                " is not a combo box or list box"});
            } else if (!control->items.empty()) {
                errors.push_back({list.pos, "control " + std::to_string(list.controlId) +
                                                " has its initial list twice"});
            } else {
                control->items = list.items;
            }
        }
    }
}

}  // namespace

std::vector<CompileError> CheckScript(Script& script) {
    std::vector<CompileError> errors;
    CheckUnique(script.dialogs, "dialog", errors);
    CheckUnique(script.menus, "menu", errors);
    CheckUnique(script.toolbars, "toolbar", errors);
    CheckUnique(script.strings, "string", errors);
    std::map<int, SourcePos> inits;
    for (const DlgInit& init : script.dlgInits) {
        auto [it, fresh] = inits.emplace(init.dialogId, init.pos);
        if (!fresh) {
            errors.push_back({init.pos, "initial lists of dialog " + std::to_string(init.dialogId) +
                                            " are given twice (first at " + Where(it->second) +
                                            ")"});
        }
    }
    CheckImages(script, errors);
    AttachLists(script, errors);
    return errors;
}

std::vector<CompileError> CompileScript(const std::string& path, Script& script) {
    script = Script{};
    // Absolute, so that image files are found whatever the build's working
    // folder, and the messages name the file unambiguously.
    const std::filesystem::path full = std::filesystem::absolute(path).lexically_normal();
    script.folder = full.parent_path().generic_string();
    try {
        Preprocessor pre;
        Parser parser(pre.Run(full.string()), script);
        parser.Parse();
    } catch (const CompileError& error) {
        return {error};
    }
    return CheckScript(script);
}

}  // namespace quorvel::rc
