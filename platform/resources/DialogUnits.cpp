#include "platform/resources/DialogUnits.h"

#include <cstdint>

namespace quorvel::resources {

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t p = product < 0 ? -product : product;
    const int64_t d = c < 0 ? -static_cast<int64_t>(c) : c;
    const int64_t q = (p + d / 2) / d;
    return static_cast<int>(negative ? -q : q);
}

int DialogXToPixels(int units, const DialogBaseUnits& base) {
    return MulDivRound(units, base.avgCharWidth, 4);
}

int DialogYToPixels(int units, const DialogBaseUnits& base) {
    return MulDivRound(units, base.charHeight, 8);
}

void DialogRectToPixels(RECT& rect, const DialogBaseUnits& base) {
    rect.left = DialogXToPixels(rect.left, base);
    rect.right = DialogXToPixels(rect.right, base);
    rect.top = DialogYToPixels(rect.top, base);
    rect.bottom = DialogYToPixels(rect.bottom, base);
}

}  // namespace quorvel::resources
