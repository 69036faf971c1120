#include "platform/controls/Progress.h"

#include <algorithm>

#include "platform/controls/StylePainter.h"

namespace quorvel::controls {

LRESULT Progress::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case PBM_SETRANGE:
        case PBM_SETRANGE32: {
            const LRESULT old = MAKELONG(m_low, m_high);
            m_low = msg == PBM_SETRANGE ? LOWORD(lParam) : static_cast<int>(wParam);
            m_high = msg == PBM_SETRANGE ? HIWORD(lParam) : static_cast<int>(lParam);
            m_pos = std::clamp(m_pos, std::min(m_low, m_high), std::max(m_low, m_high));
            Invalidate();
            return old;
        }
        case PBM_GETRANGE: {
            if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) *range = {m_low, m_high};
            return wParam ? m_low : m_high;
        }
        case PBM_SETPOS:
            return SetPos(static_cast<int>(wParam));
        case PBM_DELTAPOS:
            return SetPos(m_pos + static_cast<int>(wParam));
        case PBM_GETPOS:
            return m_pos;
        case PBM_SETSTEP: {
            const int old = m_step;
            m_step = static_cast<int>(wParam);
            return old;
        }
        case PBM_STEPIT: {
            // Past the end the bar starts over from the beginning.
            int next = m_pos + m_step;
            if (next > m_high) next = m_low + (next - m_high) % std::max(1, m_high - m_low);
            if (next < m_low) next = m_high;
            return SetPos(next);
        }
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

LRESULT Progress::SetPos(int pos) {
    const int old = m_pos;
    m_pos = std::clamp(pos, std::min(m_low, m_high), std::max(m_low, m_high));
    if (m_pos != old) Invalidate();
    return old;
}

void Progress::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    StylePainter(hdc, m_font)
        .Progress(clientRect(), m_low, m_high, m_pos, (style() & PBS_SMOOTH) != 0,
                  (style() & PBS_VERTICAL) != 0);
    EndPaint(m_hwnd, &ps);
}

std::string Progress::Describe() const {
    return " range=" + std::to_string(m_low) + ".." + std::to_string(m_high) +
           " pos=" + std::to_string(m_pos);
}

}  // namespace quorvel::controls
