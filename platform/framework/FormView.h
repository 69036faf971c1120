// CFormView: a view whose window is a dialog made from a template, as a
// child of the frame (or splitter): its controls, the dialog keyboard
// handling and data exchange (DoDataExchange, UpdateData) work as in a
// dialog. The template's caption and frame are dropped.
#pragma once

#include "platform/dialogs/DialogApi.h"
#include "platform/framework/View.h"

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
  public:
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    // Fills the controls from the members (UpdateData(FALSE)).
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    // The frame's hot keys first, then the dialog keyboard handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);
    ~CFormView() override;

    LPCTSTR m_lpszTemplateName;

  private:
    DLGTEMPLATE m_childTemplate{};
};
