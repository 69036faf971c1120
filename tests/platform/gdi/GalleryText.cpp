#include "tests/platform/gdi/Gallery.h"

namespace quorvel::gdi::test {
namespace {

void WithFont(HDC dc, int height, int weight, int escapement, const wchar_t* face, auto draw) {
    HFONT font = CreateFont(height, 0, escapement, escapement, weight, 0, 0, 0, GB2312_CHARSET, 0,
                            0, 0, 0, face);
    HGDIOBJ old = SelectObject(dc, font);
    draw();
    SelectObject(dc, old);
    DeleteObject(font);
}

void Sizes(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 4, 4, L"测量 放样 坐标库 Survey 123.456", 25);
    WithFont(dc, -11, FW_NORMAL, 0, L"宋体", [&] { TextOut(dc, 4, 20, L"宋体 8pt 放样点", 11); });
    WithFont(dc, 14, FW_BOLD, 0, L"system", [&] { TextOut(dc, 4, 34, L"北 N 14px 粗体", 11); });
    WithFont(dc, 16, FW_BOLD, 0, L"system", [&] { TextOut(dc, 4, 50, L"倒计时 10", 6); });
    WithFont(dc, 24, 550, 0, L"System", [&] {
        SetTextColor(dc, RGB(255, 130, 0));
        TextOut(dc, 4, 68, L"水深 12.5", 7);
        SetTextColor(dc, RGB(0, 0, 0));
    });
    WithFont(dc, -12, FW_NORMAL, 0, L"Courier New", [&] { TextOut(dc, 130, 68, L"N 0123", 6); });
}

void Alignments(HDC dc) {
    SelectObject(dc, GetStockObject(NULL_PEN));
    const RECT cross{118, 100, 122, 130};
    FillRect(dc, &cross, GetSysColorBrush(COLOR_BTNSHADOW));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    TextOut(dc, 120, 104, L"基线", 2);
    SetTextAlign(dc, TA_BOTTOM | TA_CENTER);
    TextOut(dc, 120, 128, L"居中底部", 4);
    SetTextAlign(dc, TA_TOP | TA_RIGHT);
    TextOut(dc, 120, 104, L"右对齐", 3);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    TextOut(dc, 150, 90, L"ABCDEFGH", 8);
    TextOut(dc, 150, 90, L"      ", 6);  // clearing with opaque blanks
}

void Layouts(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    RECT box{4, 136, 116, 200};
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const wchar_t* message = L"坐标库中没有找到该点,请重新输入点名! Point not found.";
    RECT measured = box;
    DrawText(dc, message, -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    DrawText(dc, message, -1, &box, DT_WORDBREAK | DT_CENTER);
    RECT single{124, 136, 236, 154};
    FrameRect(dc, &single, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawText(dc, L"&File 文件(&F)", -1, &single, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    RECT right{124, 158, 236, 176};
    FrameRect(dc, &right, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawText(dc, L"X: 3512345.678", -1, &right, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    RECT cut{124, 180, 200, 198};
    FrameRect(dc, &cut, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawText(dc, L"放样点库文件名称很长", -1, &cut,
             DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    RECT tabs{4, 204, 236, 220};
    DrawText(dc, L"点名\t北坐标\t东坐标", -1, &tabs, DT_SINGLELINE | DT_EXPANDTABS);
}

void Rotations(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    // Labels turned about their anchors (the red dots), bottom-centred as the
    // plan's texts are.
    const int angles[] = {0, 1800, 2700, 900, 450};
    const POINT anchors[] = {{60, 246}, {60, 258}, {16, 262}, {200, 290}, {150, 270}};
    SetTextAlign(dc, TA_BOTTOM | TA_CENTER);
    for (int i = 0; i < 5; ++i) {
        WithFont(dc, 15, FW_BOLD, angles[i], L"System",
                 [&] { TextOut(dc, anchors[i].x, anchors[i].y, L"测量点", 3); });
        SetPixel(dc, anchors[i].x, anchors[i].y, RGB(255, 0, 0));
    }
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 0));
    WithFont(dc, -12, FW_NORMAL, 300, L"System", [&] { TextOut(dc, 50, 305, L"放样 30°", 6); });
    // One character below the other, as titles in a column are drawn.
    const wchar_t column[] = L"数据";
    for (int i = 0; i < 2; ++i) TextOut(dc, 224, 230 + 14 * i, &column[i], 1);
}

}  // namespace

void DrawTextGallery(HDC dc) {
    const RECT all{0, 0, 240, 320};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    Sizes(dc);
    Alignments(dc);
    Layouts(dc);
    Rotations(dc);
}

}  // namespace quorvel::gdi::test
