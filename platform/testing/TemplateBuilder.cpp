#include "platform/testing/TemplateBuilder.h"

#include "platform/controls/CommCtrl.h"
#include "platform/controls/ControlStyles.h"

namespace quorvel::testing {

TemplateBuilder::TemplateBuilder(UINT id, int cx, int cy, DWORD style, const wchar_t* caption) {
    m_template.id = id;
    m_template.style = style;
    m_template.cx = cx;
    m_template.cy = cy;
    m_template.caption = caption;
    m_template.fontFace = L"";
}

TemplateBuilder& TemplateBuilder::Font(int points, const wchar_t* face) {
    m_template.fontSize = points;
    m_template.fontFace = face;
    m_template.style |= DS_SETFONT;
    return *this;
}

TemplateBuilder& TemplateBuilder::ExStyle(DWORD exStyle) {
    m_template.exStyle = exStyle;
    return *this;
}

TemplateBuilder& TemplateBuilder::Add(const wchar_t* cls, const wchar_t* text, UINT id, int x,
                                      int y, int cx, int cy, DWORD style) {
    m_items.push_back(resources::DialogItemTemplate{
        cls, text, 0, id, x, y, cx, cy, static_cast<DWORD>(WS_CHILD | WS_VISIBLE) | style, 0, {}});
    m_listOf.push_back(kNoList);
    return *this;
}

TemplateBuilder& TemplateBuilder::Button(const wchar_t* text, UINT id, int x, int y,
                                         bool isDefault) {
    return Add(WC_BUTTON, text, id, x, y, 40, 14,
               (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Edit(UINT id, int x, int y, int cx) {
    return Add(WC_EDIT, L"", id, x, y, cx, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Radio(const wchar_t* text, UINT id, int x, int y,
                                        bool groupStart) {
    return Add(WC_BUTTON, text, id, x, y, 50, 10,
               BS_AUTORADIOBUTTON | (groupStart ? WS_GROUP | WS_TABSTOP : 0));
}

TemplateBuilder& TemplateBuilder::Check(const wchar_t* text, UINT id, int x, int y) {
    return Add(WC_BUTTON, text, id, x, y, 50, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Combo(UINT id, int x, int y, std::vector<const wchar_t*> items) {
    Add(WC_COMBOBOX, L"", id, x, y, 60, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    m_listOf.back() = m_lists.size();
    m_lists.push_back(std::move(items));
    return *this;
}

TemplateBuilder& TemplateBuilder::List(UINT id, int x, int y, std::vector<const wchar_t*> items) {
    Add(WC_LISTBOX, L"", id, x, y, 60, 30, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP);
    m_listOf.back() = m_lists.size();
    m_lists.push_back(std::move(items));
    return *this;
}

const resources::DialogTemplate* TemplateBuilder::Get() {
    for (size_t i = 0; i < m_items.size(); ++i) {
        m_items[i].listItems = m_listOf[i] == kNoList
                                   ? std::span<const wchar_t* const>()
                                   : std::span<const wchar_t* const>(m_lists[m_listOf[i]]);
    }
    m_template.items = m_items;
    return &m_template;
}

}  // namespace quorvel::testing
