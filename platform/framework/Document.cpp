#include "platform/framework/Document.h"

#include <algorithm>

#include "platform/base/MessageBox.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/View.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
END_MESSAGE_MAP()

namespace {

// The views' positions are their index plus one, so that null ends a walk.
POSITION PositionOf(size_t index) {
    return reinterpret_cast<POSITION>(index + 1);
}

}  // namespace

CDocument::CDocument() = default;

CDocument::~CDocument() {
    // Views outliving their document must not reach back into it.
    for (CView* view : m_viewList) view->m_pDocument = nullptr;
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
    m_strTitle = lpszTitle;
    for (CView* view : m_viewList)
        if (CFrameWnd* frame = view->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL) {
    m_strPathName = lpszPathName;
    const int slash = m_strPathName.ReverseFind(L'\\');
    SetTitle(m_strPathName.Mid(slash + 1));
}

BOOL CDocument::IsModified() {
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified) {
    m_bModified = bModified;
}

POSITION CDocument::GetFirstViewPosition() const {
    return m_viewList.empty() ? nullptr : PositionOf(0);
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
    const auto index = reinterpret_cast<uintptr_t>(rPosition) - 1;
    if (!rPosition || index >= m_viewList.size()) {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = index + 1 < m_viewList.size() ? PositionOf(index + 1) : nullptr;
    return m_viewList[index];
}

void CDocument::AddView(CView* pView) {
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end()) return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end()) return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    // The last view gone, a self-deleting document goes too.
    if (m_viewList.empty() && m_bAutoDelete) OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    const std::vector<CView*> views = m_viewList;
    for (CView* view : views)
        if (view != pSender) view->OnUpdate(pSender, lHint, pHint);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
    DeleteContents();
    CArchive ar(CArchive::load);
    Serialize(ar);
    m_strPathName = lpszPathName;
    SetModifiedFlag(FALSE);
    return TRUE;
}

// Documents here keep their data in files of their own; saving goes through
// Serialize only, as the program's documents expect.
BOOL CDocument::OnSaveDocument(LPCTSTR) {
    CArchive ar(CArchive::store);
    Serialize(ar);
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument() {
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;  // the views going away must not delete us twice
    while (!m_viewList.empty()) {
        CView* view = m_viewList.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame) {
            frame->DestroyWindow();
        } else {
            view->DestroyWindow();
        }
        // A view that is still listed was not destroyed; drop it all the same.
        if (!m_viewList.empty() && m_viewList.front() == view) RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

void CDocument::DeleteContents() {}

BOOL CDocument::CanCloseFrame(CFrameWnd*) {
    return SaveModified();
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString name = m_strTitle;
    CString prompt;
    prompt.Format(L"是否保存对 %s 的更改?", name.GetString());
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            return DoFileSave();
        default:
            return TRUE;
    }
}

BOOL CDocument::DoFileSave() {
    return OnSaveDocument(m_strPathName);
}

void CDocument::OnFileSave() {
    DoFileSave();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
