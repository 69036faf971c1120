// CColorDialog: the framework's face of the platform's colour chooser.
// DoModal runs ChooseColor with m_cc and answers IDOK or IDCANCEL;
// GetColor is the colour chosen (the initial one until OK).
#pragma once

#include "platform/dialogs/ColorChooser.h"
#include "platform/framework/Dialog.h"

class CColorDialog : public CDialog {
    DECLARE_DYNAMIC(CColorDialog)
  public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLOR m_cc{};
};
