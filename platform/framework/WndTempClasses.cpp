// Temporary objects of the class that matches the window's class.
#include "platform/framework/FrameworkInternal.h"

CWnd* quorvel::framework::NewTempWnd(HWND) {
    return new CWnd;
}
