// CCalibWizardPage: what the six pages of the calibration wizard share:
// one layout (X 1036, Y 1034, H 1032, antenna height 1047, the vertical and
// slant radios, the coordinate-library picker 1038 and the plan picker
// 1051), one set of members, and the handlers, which belong to a slot
// rather than to a page: known page 2 and unknown page 1 both confirm
// slot 1, known page 3 and unknown page 2 both confirm slot 2.
//
// Initialisation of slot k loads "knowdata.dat" from the job folder; when it
// holds an entry k, that entry fills the four texts and the page will
// replace it (the document's m_bKnownEntryLoaded), otherwise the page will
// append its entry. Confirming runs, in order: read the controls; store the
// entry named k and save the file; m_nCalibPointCount = k + 1; the known
// point of slot k (a slant antenna height reduced to vertical); UseNum = k;
// the .par; m_bCalibNextStep (0 correct, 1 next); nAdjustAntType and the
// .ini; the page ends with IDOK. Before any of that the page refuses texts
// that would break the fields of "knowdata.dat" and a slant height below the
// antenna's radius.
//
// Enter does not end a page: only its buttons do (or Escape and closing,
// which cancel the wizard).
#pragma once

#include "app/calibration/KnowData.h"
#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CCalibWizardPage : public CDialog {
  public:
    CCalibWizardPage(UINT nIDTemplate, UINT nVerticalRadioId, CWnd* pParent);

    CKnowData m_knowData;
    COwnerDrawButton m_btnPickLibrary;
    COwnerDrawButton m_btnPickPlan;
    CString m_strX = L"0.0";
    CString m_strY = L"0.0";
    CString m_strH = L"0.0";
    CString m_strAntHeight = L"0.0";
    int m_nAntType = 0;  // 0 vertical, 1 slant

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // Initialisation by slot; unknown page 1 (slot 1) also seeds an empty
    // file with a placeholder entry "0", so that its own entry lands at 1.
    void InitSlot0() { InitSlot(0, FALSE); }
    void InitSlot1() { InitSlot(1, FALSE); }
    void InitSlot1WithPlaceholder() { InitSlot(1, TRUE); }
    void InitSlot2() { InitSlot(2, FALSE); }
    void InitSlot3() { InitSlot(3, FALSE); }

    // The correct (0) and next (1) handlers of each slot.
    afx_msg void OnCorrectSlot0() { ConfirmSlot(0, 0); }
    afx_msg void OnNextSlot0() { ConfirmSlot(0, 1); }
    afx_msg void OnCorrectSlot1() { ConfirmSlot(1, 0); }
    afx_msg void OnNextSlot1() { ConfirmSlot(1, 1); }
    afx_msg void OnCorrectSlot2() { ConfirmSlot(2, 0); }
    afx_msg void OnNextSlot2() { ConfirmSlot(2, 1); }
    afx_msg void OnCorrectSlot3() { ConfirmSlot(3, 0); }

    afx_msg void OnPickLibrary();
    afx_msg void OnPickPlan();
    DECLARE_MESSAGE_MAP()

  private:
    void InitSlot(int slot, BOOL bPlaceholder);
    void ConfirmSlot(int slot, BOOL bNext);
    BOOL InputAccepted();
    void StylePictureButtons();

    UINT m_nVerticalRadioId;
};
