#include "platform/framework/FormView.h"

#include "platform/framework/AfxGlobals.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkInternal.h"
#include "platform/resources/Resources.h"

IMPLEMENT_DYNAMIC(CFormView, CView)

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)) {}
CFormView::CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}
CFormView::~CFormView() = default;

// The view is the dialog window itself: made from a copy of the template
// turned into a plain child, then given the view's id, place and document.
BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, CCreateContext* pContext) {
    const DLGTEMPLATE* source = IS_INTRESOURCE(m_lpszTemplateName)
                                    ? quorvel::resources::FindDialog(static_cast<UINT>(
                                          reinterpret_cast<uintptr_t>(m_lpszTemplateName)))
                                    : nullptr;
    if (!source || !pParentWnd) {
        PostNcDestroy();
        return FALSE;
    }
    m_childTemplate = *source;
    m_childTemplate.style &= ~(WS_POPUP | WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_SYSMENU |
                               WS_THICKFRAME | WS_VISIBLE | WS_DISABLED);
    m_childTemplate.style |= WS_CHILD;
    m_childTemplate.exStyle &= ~(WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_CAPTIONOKBTN);
    HWND made;
    bool attached;
    {
        quorvel::framework::CreateHookScope scope(this);
        made = ::CreateDialogIndirectParam(AfxGetResourceHandle(), &m_childTemplate,
                                           pParentWnd->m_hWnd, AfxDlgProc, 0);
        attached = scope.Attached();
    }
    // A window that was made and then failed has already gone with its
    // object; one never made leaves the object to go now.
    if (!attached) PostNcDestroy();
    if (!made) return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    MoveWindow(&rect, FALSE);
    if (pContext && pContext->m_pCurrentDoc) pContext->m_pCurrentDoc->AddView(this);
    if (dwStyle & WS_VISIBLE) ShowWindow(SW_SHOW);
    return TRUE;
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

// The dialog paints its own background and controls.
void CFormView::OnDraw(CDC*) {}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
    for (CFrameWnd* frame = GetParentFrame(); frame; frame = AfxGetParentFrame(frame))
        if (frame->PreTranslateMessage(pMsg)) return TRUE;
    if (!::GetWindow(m_hWnd, GW_CHILD)) return FALSE;
    return PreTranslateInput(pMsg);
}
