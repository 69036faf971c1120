// Dialog templates built in code, for tests of dialogs that need no
// resource script: the builder owns the items (and list contents) its
// template points to, so it must outlive the dialog. A copy is a builder
// of its own: Get() points the template at the copy's items.
//
//   TemplateBuilder t(2001, 120, 90);
//   t.Edit(1001, 5, 5).Button(L"确定", IDOK, 5, 60, true);
//   DialogBoxIndirectParam(nullptr, t.Get(), owner, proc, 0);
#pragma once

#include <vector>

#include "platform/dialogs/DialogApi.h"
#include "platform/resources/Templates.h"
#include "platform/win/WinApi.h"

namespace quorvel::testing {

class TemplateBuilder {
  public:
    explicit TemplateBuilder(UINT id, int cx = 120, int cy = 90,
                             DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                             const wchar_t* caption = L"测试");
    TemplateBuilder& Font(int points, const wchar_t* face);
    TemplateBuilder& ExStyle(DWORD exStyle);
    // Any control; WS_CHILD | WS_VISIBLE are added to `style`.
    TemplateBuilder& Add(const wchar_t* cls, const wchar_t* text, UINT id, int x, int y, int cx,
                         int cy, DWORD style);
    TemplateBuilder& Button(const wchar_t* text, UINT id, int x, int y, bool isDefault = false);
    TemplateBuilder& Edit(UINT id, int x, int y, int cx = 60);
    TemplateBuilder& Radio(const wchar_t* text, UINT id, int x, int y, bool groupStart);
    TemplateBuilder& Check(const wchar_t* text, UINT id, int x, int y);
    TemplateBuilder& Combo(UINT id, int x, int y, std::vector<const wchar_t*> items);
    TemplateBuilder& List(UINT id, int x, int y, std::vector<const wchar_t*> items);
    const resources::DialogTemplate* Get();

  private:
    resources::DialogTemplate m_template{};
    std::vector<resources::DialogItemTemplate> m_items;
    std::vector<std::vector<const wchar_t*>> m_lists;
    std::vector<size_t> m_listOf;  // per item: its index in m_lists, or kNoList
    static constexpr size_t kNoList = static_cast<size_t>(-1);
};

}  // namespace quorvel::testing
