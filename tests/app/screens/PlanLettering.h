// The letters every survey plan draws at its frame's corners, checked whole
// where they stand: the north letter below the arrow, the scale bar's
// label centred above the bar and the fix's time at the bottom left. Each
// is looked for in its own text cell, which it paints opaque, so that
// nothing else the plan holds counts as its ink.
#pragma once

#include <string>

#include "platform/framework/Afx.h"
#include "platform/testing/TextInk.h"
#include "res/resource.h"

namespace screenstest {

struct PlanLetters {
    HFONT northFont;  // the bold 14-pixel face
    HFONT scaleFont;  // the scale bar's label
    HFONT timeFont;
    CString scaleLabel;
    CString time;
};

// The cell of `text` in `font` placed in `box` as DT_CENTER (or DT_LEFT)
// with DT_VCENTER places it.
inline RECT TextCell(HFONT font, const CString& text, const RECT& box, bool centred) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32(dc, text, text.GetLength(), &extent);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    const int left = centred ? box.left + (box.right - box.left - extent.cx) / 2 : box.left;
    const int top = box.top + (box.bottom - box.top - extent.cy) / 2;
    return RECT{left, top, left + extent.cx, top + extent.cy};
}

// `frame` is the plan's drawing frame in `plan`'s client coordinates.
inline ::testing::AssertionResult PlanLettersLieWhole(HWND plan, const CRect& frame,
                                                      const PlanLetters& letters) {
    using quorvel::testing::TextLiesWhole;
    CString north;
    north.LoadString(IDS_STRING61339);
    const int r = frame.right, b = frame.bottom;
    const RECT northAt{r - 10, frame.top + 16, r - 10, frame.top + 16};
    const RECT northCell = TextCell(letters.northFont, north, northAt, false);
    const RECT northArea{northAt.left, northAt.top, northAt.left + northCell.right - northCell.left,
                         northAt.top + northCell.bottom - northCell.top};
    const RECT scaleBox{r - 50, b - 16, r - 2, b - 6};
    const RECT timeBox{frame.left, b - 10, frame.left + 50, b};
    const ::testing::AssertionResult checks[] = {
        TextLiesWhole(plan, northArea, letters.northFont, north.GetString()),
        TextLiesWhole(plan, TextCell(letters.scaleFont, letters.scaleLabel, scaleBox, true),
                      letters.scaleFont, letters.scaleLabel.GetString()),
        TextLiesWhole(plan, TextCell(letters.timeFont, letters.time, timeBox, false),
                      letters.timeFont, letters.time.GetString()),
    };
    for (const ::testing::AssertionResult& check : checks)
        if (!check) return check;
    return ::testing::AssertionSuccess();
}

}  // namespace screenstest
