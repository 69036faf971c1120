// Writes the script's tables as C++ for platform/resources.
#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/resources/rc/Compiler.h"

namespace quorvel::rc {

namespace {

std::string Wide(const std::wstring& text) {
    std::string out = "L\"";
    char buf[16];
    for (wchar_t w : text) {
        const uint32_t cp = static_cast<uint32_t>(w);
        if (cp == '\\' || cp == '"' || cp == '?') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += static_cast<char>(cp);
        } else if (cp < 0x100) {
            std::snprintf(buf, sizeof buf, "\\%03o", cp);  // always three digits
            out += buf;
        } else if (cp < 0x10000) {
            std::snprintf(buf, sizeof buf, "\\u%04X", cp);
            out += buf;
        } else {
            std::snprintf(buf, sizeof buf, "\\U%08X", cp);
            out += buf;
        }
    }
    return out + "\"";
}

std::string Narrow(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '\\' || ch == '"') out += '\\';
        out += ch;
    }
    return out + "\"";
}

std::string Hex(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08Xu", v);
    return buf;
}

template <typename T>
std::vector<const T*> SortedById(const std::vector<T>& list) {
    std::vector<const T*> out;
    for (const T& item : list) out.push_back(&item);
    std::stable_sort(out.begin(), out.end(), [](const T* a, const T* b) { return a->id < b->id; });
    return out;
}

void EmitDialog(std::ostream& os, const Dialog& d) {
    const std::string prefix = "d" + std::to_string(d.id);
    for (size_t k = 0; k < d.controls.size(); ++k) {
        if (d.controls[k].items.empty()) continue;
        os << "const wchar_t* const " << prefix << "_list" << k << "[] = {";
        for (const std::wstring& item : d.controls[k].items) os << Wide(item) << ", ";
        os << "};\n";
    }
    if (d.controls.empty()) return;
    os << "const DialogItemTemplate " << prefix << "_items[] = {\n";
    for (size_t k = 0; k < d.controls.size(); ++k) {
        const Control& c = d.controls[k];
        os << "    {" << Wide(c.className) << ", " << Wide(c.text) << ", " << c.imageId << "u, "
           << c.id << "u, " << c.x << ", " << c.y << ", " << c.cx << ", " << c.cy << ", "
           << Hex(c.style) << ", " << Hex(c.exStyle) << ", ";
        if (c.items.empty()) {
            os << "{}},\n";
        } else {
            os << prefix << "_list" << k << "},\n";
        }
    }
    os << "};\n";
}

void EmitMenuItems(std::ostream& os, const std::vector<MenuItem>& items, const std::string& name) {
    for (size_t k = 0; k < items.size(); ++k) {
        if (!items[k].children.empty()) {
            EmitMenuItems(os, items[k].children, name + "_" + std::to_string(k));
        }
    }
    os << "const MenuItemTemplate " << name << "[] = {\n";
    for (size_t k = 0; k < items.size(); ++k) {
        const MenuItem& m = items[k];
        const unsigned flags = (m.popup ? 0x01 : 0) | (m.separator ? 0x02 : 0) |
                               (m.grayed ? 0x04 : 0) | (m.inactive ? 0x08 : 0) |
                               (m.checked ? 0x10 : 0) | (m.menuBreak ? 0x20 : 0) |
                               (m.menuBarBreak ? 0x40 : 0) | (m.help ? 0x80 : 0);
        os << "    {" << Wide(m.text) << ", " << m.id << "u, " << flags << "u, ";
        if (m.children.empty()) {
            os << "{}},\n";
        } else {
            os << name << "_" << k << "},\n";
        }
    }
    os << "};\n";
}

template <typename T>
void EmitAccessor(std::ostream& os, const char* type, const char* function, const char* array,
                  const std::vector<T>& list) {
    os << "std::span<const " << type << "> " << function << "() {\n";
    if (list.empty()) {
        os << "    return {};\n}\n\n";
    } else {
        os << "    return " << array << ";\n}\n\n";
    }
}

void EmitDialogsAndMenus(std::ostream& os, const Script& script) {
    const auto dialogs = SortedById(script.dialogs);
    for (const Dialog* d : dialogs) EmitDialog(os, *d);
    if (!dialogs.empty()) os << "const DialogTemplate kDialogs[] = {\n";
    for (const Dialog* d : dialogs) {
        os << "    {" << d->id << "u, " << (d->extended ? "true" : "false") << ", " << Hex(d->style)
           << ", " << Hex(d->exStyle) << ", " << d->x << ", " << d->y << ", " << d->cx << ", "
           << d->cy << ", " << Wide(d->caption) << ", " << d->fontSize << ", " << Wide(d->fontFace)
           << ", " << d->menuId << "u, ";
        if (d->controls.empty()) {
            os << "{}},\n";
        } else {
            os << "d" << d->id << "_items},\n";
        }
    }
    if (!dialogs.empty()) os << "};\n\n";
    const auto menus = SortedById(script.menus);
    for (const Menu* m : menus) EmitMenuItems(os, m->items, "m" + std::to_string(m->id));
    if (!menus.empty()) os << "const MenuTemplate kMenus[] = {\n";
    for (const Menu* m : menus) {
        os << "    {" << m->id << "u, ";
        os << (m->items.empty() ? std::string("{}") : "m" + std::to_string(m->id)) << "},\n";
    }
    if (!menus.empty()) os << "};\n\n";
}

void EmitToolbarsStringsImages(std::ostream& os, const Script& script) {
    const auto bars = SortedById(script.toolbars);
    for (const Toolbar* t : bars) {
        if (t->buttons.empty()) continue;
        os << "const UINT t" << t->id << "_buttons[] = {";
        for (int b : t->buttons) os << b << "u, ";
        os << "};\n";
    }
    if (!bars.empty()) os << "const ToolbarTemplate kToolbars[] = {\n";
    for (const Toolbar* t : bars) {
        os << "    {" << t->id << "u, " << t->buttonWidth << ", " << t->buttonHeight << ", ";
        os << (t->buttons.empty() ? std::string("{}") : "t" + std::to_string(t->id) + "_buttons")
           << "},\n";
    }
    if (!bars.empty()) os << "};\n\n";
    const auto strings = SortedById(script.strings);
    if (!strings.empty()) os << "const StringResource kStrings[] = {\n";
    for (const StringEntry* s : strings) os << "    {" << s->id << "u, " << Wide(s->text) << "},\n";
    if (!strings.empty()) os << "};\n\n";
    std::vector<const Image*> images;
    for (const Image& image : script.images) images.push_back(&image);
    std::stable_sort(images.begin(), images.end(), [](const Image* a, const Image* b) {
        return std::make_pair(a->kind, a->id) < std::make_pair(b->kind, b->id);
    });
    if (!images.empty()) os << "const ImageResource kImages[] = {\n";
    for (const Image* i : images) {
        os << "    {ImageType::" << (i->kind == ImageKind::Icon ? "Icon" : "Bitmap") << ", "
           << i->id << "u, " << Narrow(i->file) << "},\n";
    }
    if (!images.empty()) os << "};\n\n";
}

}  // namespace

std::string EmitTables(const Script& script) {
    std::ostringstream os;
    os << "// Generated by the resource compiler from the program's resource script.\n"
          "// Do not edit: change the script and rebuild.\n"
          "#include \"platform/resources/GeneratedTables.h\"\n\n"
          "namespace quorvel::resources::generated {\n\nnamespace {\n\n";
    EmitDialogsAndMenus(os, script);
    EmitToolbarsStringsImages(os, script);
    os << "}  // namespace\n\n";
    EmitAccessor(os, "DialogTemplate", "Dialogs", "kDialogs", script.dialogs);
    EmitAccessor(os, "MenuTemplate", "Menus", "kMenus", script.menus);
    EmitAccessor(os, "ToolbarTemplate", "Toolbars", "kToolbars", script.toolbars);
    EmitAccessor(os, "StringResource", "Strings", "kStrings", script.strings);
    EmitAccessor(os, "ImageResource", "Images", "kImages", script.images);
    os << "const char* ImageFolder() {\n    return " << Narrow(script.folder) << ";\n}\n\n"
       << "}  // namespace quorvel::resources::generated\n";
    return os.str();
}

}  // namespace quorvel::rc
