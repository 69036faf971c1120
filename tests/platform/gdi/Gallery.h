// Two full screens exercising the drawing calls the program makes, for
// reference images.
#pragma once

#include "platform/gdi/GdiApi.h"

namespace quorvel::gdi::test {

// Lines, pen styles, figures, fill modes, edges, blits and icons.
void DrawPrimitiveGallery(HDC dc);
// Chinese and Latin text: sizes, weights, alignments, DrawText layouts,
// backgrounds, rotation.
void DrawTextGallery(HDC dc);

}  // namespace quorvel::gdi::test
