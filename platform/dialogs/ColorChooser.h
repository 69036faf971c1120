// The platform's colour chooser, ChooseColor: a modal dialog of the basic
// colours in a grid, a preview of the current choice, OK and Cancel. There
// is no custom-colour part, so the flags that open or forbid it are taken
// and have no effect, and lpCustColors is never read or written.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/win/WinApi.h"

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004

struct CHOOSECOLOR {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    // In: the colour chosen when the dialog opens, with CC_RGBINIT (black
    // otherwise). Out: the colour chosen, when ChooseColor returns TRUE.
    COLORREF rgbResult;
    COLORREF* lpCustColors;
    DWORD Flags;
    LPARAM lCustData;
};
typedef CHOOSECOLOR* LPCHOOSECOLOR;

// TRUE when the user closed the dialog with OK; FALSE for Cancel, and then
// rgbResult is left as it was. Modal to the owner's top-level window.
BOOL ChooseColor(LPCHOOSECOLOR cc);

namespace quorvel::dialogs {

// The template id the modal hook sees for the colour chooser (it has no
// resource template), and the ids of its parts, for tests that drive it.
inline constexpr UINT kColorChooserTemplateId = 0x7F10;
inline constexpr int kBasicColorCount = 48;
inline constexpr int kBasicColorColumns = 8;
inline constexpr int kFirstSwatchId = 0x700;  // swatch i has id kFirstSwatchId + i
inline constexpr int kColorPreviewId = 0x740;

// The grid's colours, row by row.
COLORREF BasicColor(int index);

}  // namespace quorvel::dialogs
