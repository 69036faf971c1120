// CSplitterWndEx: the main frame's static splitter, with a one-pixel gap
// between its panes; everything else, dragging and cursors included, is the
// base splitter's.
#pragma once

#include "platform/framework/SplitterWnd.h"

class CSplitterWndEx : public CSplitterWnd {
    DECLARE_DYNCREATE(CSplitterWndEx)
  public:
    CSplitterWndEx();
};
