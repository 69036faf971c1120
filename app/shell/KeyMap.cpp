#include "app/shell/KeyMap.h"

#include "platform/win/WinApi.h"

int MapKeyToCommand(UINT message, WPARAM virtualKey) {
    if (message == WM_SYSKEYDOWN)
        return virtualKey == 'A' || virtualKey == 'B' ? static_cast<int>(virtualKey) : 0;
    if (message != WM_KEYDOWN) return 0;
    switch (virtualKey) {
        case VK_LEFT:
        case 'A':
            return 'A';
        case VK_UP:
        case VK_PRIOR:
        case 'B':
            return 'B';
        case VK_DOWN:
        case VK_NEXT:
        case 'C':
            return 'C';
        case VK_RIGHT:
            return 'D';
        case '2':
        case VK_F2:
            return '2';
        case '3':
        case VK_F3:
            return '3';
        case '5':
        case VK_F5:
            return '5';
        case '6':
        case VK_F6:
            return '6';
        case '7':
        case VK_F7:
            return '7';
        case '8':
        case VK_F8:
            return '8';
        case '9':
        case VK_F9:
            return '9';
        default:
            return 0;  // Delete, '1', '4', F1, F4 and the rest
    }
}
