#include "app/shell/SplitterWndEx.h"

IMPLEMENT_DYNCREATE(CSplitterWndEx, CSplitterWnd)

CSplitterWndEx::CSplitterWndEx() {
    m_cxSplitterGap = 1;
    m_cySplitterGap = 1;
}
