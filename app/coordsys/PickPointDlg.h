// CPickPointDlg (dialog 15162 "图形选点"): takes one point of a point file
// for the caller.
//
// The picker's stand-in until the plan view's picker (drawing the points,
// a tap to pick, zooming) is in the tree: the points are those of Points(),
// which its users (tests) fill, one per row of list 1000; the row selected
// at OK is the picked point. OK without a pick asks whether to end the
// selection, as the full dialog does.
#pragma once

#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"

class CPickPointDlg : public CDialog {
  public:
    explicit CPickPointDlg(CWnd* pParent = nullptr);

    // The points shown, shared by every instance.
    static std::vector<PointRecord>& Points();

    // FALSE when nothing was picked; else the picked point and TRUE.
    BOOL GetPickedPoint(PointRecord& point) const;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_nPicked = 0;        // 1 when OK was pressed with a picked point
    int m_nPickedIndex = -1;  // into Points()
    CListBox m_list;
};
