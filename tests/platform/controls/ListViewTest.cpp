// List views in report view: looks, rows inserted anywhere (also at the
// top), texts of sub-items, deletion, states with their notifications
// carrying the old and the new state, full-row hit testing, keys and
// scrolling.
#include "platform/gdi/GdiApi.h"
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;

namespace {

class ListViews : public ControlTest {
  protected:
    HWND List(HWND host, DWORD style, RECT r, DWORD ex = 0, int id = 1000) {
        HWND l = Make(host, WC_LISTVIEW, L"", style | LVS_REPORT | WS_BORDER, r, id);
        SendMessage(l, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ex);
        Column(l, 0, L"点名", 60, LVCFMT_LEFT);
        Column(l, 1, L"北坐标", 70, LVCFMT_CENTER);
        Column(l, 2, L"高程", 50, LVCFMT_RIGHT);
        return l;
    }
    static void Column(HWND l, int index, const wchar_t* text, int width, int fmt) {
        LVCOLUMN c{
            LVCF_TEXT | LVCF_WIDTH | LVCF_FMT, fmt, width, const_cast<LPWSTR>(text), 0, 0, 0, 0};
        SendMessage(l, LVM_INSERTCOLUMN, index, reinterpret_cast<LPARAM>(&c));
    }
    static int Row(HWND l, int index, std::initializer_list<const wchar_t*> texts, int image = 0) {
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<LPWSTR>(*texts.begin());
        item.iImage = image;
        item.lParam = 500 + index;
        const int at =
            static_cast<int>(SendMessage(l, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
        int sub = 0;
        for (const wchar_t* t : texts) {
            if (sub > 0) {
                LVITEM s{};
                s.iSubItem = sub;
                s.pszText = const_cast<LPWSTR>(t);
                SendMessage(l, LVM_SETITEMTEXT, at, reinterpret_cast<LPARAM>(&s));
            }
            ++sub;
        }
        return at;
    }
    static std::wstring Cell(HWND l, int row, int sub) {
        wchar_t buffer[64] = {};
        LVITEM item{};
        item.iSubItem = sub;
        item.pszText = buffer;
        item.cchTextMax = 64;
        SendMessage(l, LVM_GETITEMTEXT, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    static void Fill(HWND l, int rows) {
        for (int i = 0; i < rows; ++i) {
            const std::wstring name = L"P" + std::to_wstring(i + 1);
            Row(l, i, {name.c_str(), L"3345678.123", L"45.6"}, i % 3);
        }
    }
    // Three 16 x 16 images: red, green and blue squares on a white mask.
    static HIMAGELIST Images() {
        quorvel::gdi::Image strip{48, 16, std::vector<uint32_t>(48 * 16, 0xFFFFFF)};
        const uint32_t colors[3] = {0xC00000, 0x00A000, 0x0000C0};
        for (int n = 0; n < 3; ++n)
            for (int y = 3; y < 13; ++y)
                for (int x = 3; x < 13; ++x) strip.pixels[y * 48 + n * 16 + x] = colors[n];
        HBITMAP bitmap = quorvel::gdi::BitmapFromImage(strip);
        HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 3, 1);
        ImageList_AddMasked(list, bitmap, RGB(255, 255, 255));
        DeleteObject(bitmap);
        return list;
    }
    std::vector<Event> Changes() { return Events(LVN_ITEMCHANGED); }
};

TEST_F(ListViews, LooksMatchTheirReference) {
    Sheet sheet;
    auto add = [&](DWORD style, DWORD ex, int rows, auto&& prepare) {
        HWND host = Host(190, 96);
        HWND l = List(host, style, {3, 3, 187, 93}, ex);
        Fill(l, rows);
        prepare(l);
        sheet.Add(Snap(host));
        DestroyWindow(host);
    };
    LVITEM sel{};
    sel.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    sel.state = LVIS_SELECTED | LVIS_FOCUSED;
    auto select = [&](HWND l, int row) {
        SendMessage(l, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&sel));
    };
    add(0, 0, 3, [&](HWND l) {
        select(l, 1);
        SetFocus(l);
    });
    add(0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, 3, [&](HWND l) {
        select(l, 0);
        SetFocus(l);
    });
    add(LVS_SHOWSELALWAYS, LVS_EX_FULLROWSELECT, 3, [&](HWND l) {
        select(l, 2);
        SendMessage(l, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(Images()));
    });
    add(0, LVS_EX_FULLROWSELECT, 9, [&](HWND l) {
        SendMessage(l, LVM_SETCOLUMNWIDTH, 1, 120);  // wider than the view: both bars
        select(l, 8);
        SetFocus(l);
        SendMessage(l, LVM_ENSUREVISIBLE, 8, FALSE);
    });
    add(LVS_NOCOLUMNHEADER | WS_DISABLED, 0, 2, [](HWND) {});
    quorvel::testing::ExpectMatchesReference(sheet.image(), "listviews");
}

TEST_F(ListViews, RowsGoInAnywhereAlsoAtTheTopAndComeOut) {
    HWND host = Host(200, 120);
    HWND l = List(host, LVS_SINGLESEL, {0, 0, 190, 110});
    Row(l, 0, {L"A", L"1", L"x"});
    Row(l, 1, {L"B", L"2", L"y"});
    EXPECT_EQ(Row(l, 0, {L"top", L"0", L"z"}), 0);
    EXPECT_EQ(Row(l, 99, {L"end", L"9", L"w"}), 3);
    EXPECT_EQ(SendMessage(l, LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(Cell(l, 0, 0), L"top");
    EXPECT_EQ(Cell(l, 1, 1), L"1");
    EXPECT_EQ(Cell(l, 3, 2), L"w");
    LVITEM item{};
    item.mask = LVIF_PARAM | LVIF_IMAGE;
    item.iItem = 2;
    SendMessage(l, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.lParam, 501);  // "B" was inserted at 1
    EXPECT_EQ(SendMessage(l, LVM_DELETEITEM, 1, 0), TRUE);
    EXPECT_EQ(Cell(l, 1, 0), L"B");
    EXPECT_EQ(Events(LVN_DELETEITEM).size(), 1u);
    SendMessage(l, LVM_DELETECOLUMN, 1, 0);
    EXPECT_EQ(Cell(l, 1, 1), L"y");
    EXPECT_EQ(Text(l),
              "SysListView32 id=1000 \"\" (0,0,190,110) LVS_REPORT LVS_SINGLESEL "
              "columns=[\"点名\":60,\"高程\":50] rows=[[\"top\",\"z\"],[\"B\",\"y\"],"
              "[\"end\",\"w\"]] top=0");
    TakeEvents();
    SendMessage(l, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(SendMessage(l, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(Events(LVN_DELETEALLITEMS).size(), 1u);
    EXPECT_EQ(Events(LVN_DELETEITEM).size(), 3u);
}

TEST_F(ListViews, TapsSelectWithOldAndNewStatesThenClick) {
    HWND host = Host(200, 120);
    HWND l = List(host, LVS_SINGLESEL, {0, 0, 190, 110}, LVS_EX_FULLROWSELECT);
    Fill(l, 3);
    RECT r1{LVIR_BOUNDS, 0, 0, 0}, r2{LVIR_BOUNDS, 0, 0, 0};
    SendMessage(l, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r1));
    SendMessage(l, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r2));
    Tap(l, {150, r1.top + 3});  // on the third column: full-row selection takes it
    Wait();
    TakeEvents();
    Tap(l, {10, r2.top + 3});
    const std::vector<Event> changes = Changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].list.iItem, 1);
    EXPECT_EQ(changes[0].list.uOldState, UINT{LVIS_SELECTED | LVIS_FOCUSED});
    EXPECT_EQ(changes[0].list.uNewState, 0u);
    EXPECT_EQ(changes[0].list.uChanged, UINT{LVIF_STATE});
    EXPECT_EQ(changes[1].list.iItem, 2);
    EXPECT_EQ(changes[1].list.uOldState, 0u);
    EXPECT_EQ(changes[1].list.uNewState, UINT{LVIS_SELECTED | LVIS_FOCUSED});
    EXPECT_EQ(changes[1].list.lParam, 502);
    const std::vector<Event> all = Events();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back().code, UINT{NM_CLICK});
    EXPECT_EQ(SendMessage(l, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
    EXPECT_EQ(SendMessage(l, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
    EXPECT_EQ(SendMessage(l, LVM_GETSELECTEDCOUNT, 0, 0), 1);
}

TEST_F(ListViews, WithoutFullRowSelectionOnlyTheFirstColumnHits) {
    HWND host = Host(200, 120);
    HWND l = List(host, 0, {0, 0, 190, 110});
    Fill(l, 2);
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessage(l, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    LVHITTESTINFO hit{{150, r.top + 3}, 0, 0, 0};
    EXPECT_EQ(SendMessage(l, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, UINT{LVHT_NOWHERE});
    Tap(l, {150, r.top + 3});
    EXPECT_EQ(SendMessage(l, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    hit = {{20, r.top + 3}, 0, 0, 0};
    EXPECT_EQ(SendMessage(l, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, UINT{LVHT_ONITEMLABEL});
    hit = {{150, r.top + 3}, 0, 0, 0};
    EXPECT_EQ(SendMessage(l, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.iSubItem, 2);
    SendMessage(l, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    hit = {{150, r.top + 3}, 0, 0, 0};
    EXPECT_EQ(SendMessage(l, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
}

TEST_F(ListViews, ProgramStatesNotifyAndTheParentMayRefuse) {
    HWND host = Host(200, 120);
    HWND l = List(host, 0, {0, 0, 190, 110});
    Fill(l, 3);
    LVITEM state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessage(l, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    SendMessage(l, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));  // several rows
    EXPECT_EQ(SendMessage(l, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(l, LVM_GETNEXTITEM, 0, LVNI_SELECTED), 2);
    EXPECT_EQ(SendMessage(l, LVM_GETITEMSTATE, 2, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED);
    EXPECT_EQ(Changes().size(), 2u);
    OnHostMessage(WM_NOTIFY, [](HWND, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        return reinterpret_cast<NMHDR*>(lParam)->code == LVN_ITEMCHANGING;
    });
    SendMessage(l, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(SendMessage(l, LVM_GETITEMSTATE, 1, LVIS_SELECTED), 0);
}

TEST_F(ListViews, KeysMoveTheSelectionAndTheViewFollows) {
    HWND host = Host(200, 120);
    HWND l = List(host, LVS_SINGLESEL, {0, 0, 190, 80}, LVS_EX_FULLROWSELECT);
    Fill(l, 12);
    SetFocus(l);
    Key(VK_DOWN);  // nothing focused yet: the first row
    EXPECT_EQ(SendMessage(l, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    Key(VK_END);
    EXPECT_EQ(SendMessage(l, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 11);
    const LRESULT perPage = SendMessage(l, LVM_GETCOUNTPERPAGE, 0, 0);
    EXPECT_EQ(SendMessage(l, LVM_GETTOPINDEX, 0, 0), 12 - perPage);
    Key(VK_HOME);
    EXPECT_EQ(SendMessage(l, LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_FALSE(Events(LVN_KEYDOWN).empty());
    RECT client{};
    GetClientRect(l, &client);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    Tap(l, {client.right - 5, client.bottom - bar - 5});  // the down arrow, above the sideways bar
    EXPECT_EQ(SendMessage(l, LVM_GETTOPINDEX, 0, 0), 1);
}

}  // namespace
