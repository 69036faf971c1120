// CDocument: the data behind the views. It keeps the list of its views,
// takes commands after the active view (its own message map, then its
// template's), and decides with the frame whether the program may close.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Position.h"
#include "platform/framework/CmdTarget.h"

#ifndef afx_msg
#define afx_msg
#endif

class CView;
class CFrameWnd;
class CDocTemplate;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
  public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Renames the document and the frames that show it.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // Views in the order they were added.
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Calls OnUpdate of every view but the sender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Closes every frame that shows the document, then deletes it when it
    // deletes itself (m_bAutoDelete).
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void OnChangedViewList();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // A modified document asks whether to save it first: Yes saves, No
    // drops the changes, Cancel (FALSE) keeps it open.
    virtual BOOL SaveModified();
    virtual BOOL DoFileSave();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

  protected:
    afx_msg void OnFileSave();

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;

    DECLARE_MESSAGE_MAP()

  private:
    std::vector<CView*> m_viewList;
};
