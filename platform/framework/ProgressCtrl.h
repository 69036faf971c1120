// CProgressCtrl over a "msctls_progress32" control.
#pragma once

#include "platform/controls/CommCtrl.h"
#include "platform/framework/Wnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
  public:
    CProgressCtrl() = default;
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
    }
    void SetRange32(int nLower, int nUpper) {
        SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
    }
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos) {
        return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos)));
    }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int OffsetPos(int nPos) {
        return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(nPos)));
    }
    int SetStep(int nStep) {
        return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(nStep)));
    }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};
