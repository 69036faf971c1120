// Fuzz target: the three readers of the plan view ("text.sg", "line.sg",
// the raw epoch file) on arbitrary bytes, the projection of what they read
// at a close and a far window, and the round trip of the drawing files:
// every record read is written as one line that reads back as one record.
#include <cstdlib>
#include <string>

#include "graphics/DrawingFiles.h"
#include "graphics/GridMapping.h"
#include "platform/base/TextConv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CString text = quorvel::FromGbk(reinterpret_cast<const char*>(data), size);
    CGraphLayer layer;
    ReadTextLayer(text, layer.m_texts);
    ReadLineLayer(text, layer.m_lines);
    ReadTrack(text, layer.m_points);
    const RECT client{0, 0, 240, 160};
    for (double scale : {0.001, 1e6}) {
        GridMapping map;
        map.m_dScale = scale;
        map.m_rcDraw = RECT{6, 6, 234, 154};
        ProjectLayer(layer, map, client);
        for (CGraphLine& l : layer.m_lines.m_items) {
            int x1 = l.m_nStartX, y1 = l.m_nStartY, x2 = l.m_nEndX, y2 = l.m_nEndY;
            if (ClipLine(client, x1, y1, x2, y2) &&
                (ComputeOutCode(client, x1, y1) != 0 || ComputeOutCode(client, x2, y2) != 0))
                std::abort();
        }
    }
    CString written;
    for (const CGraphText& t : layer.m_texts.m_items) written += TextLayerLine(t);
    CGraphTextSet texts;
    ReadTextLayer(written, texts);
    if (texts.m_items.size() != layer.m_texts.m_items.size()) std::abort();
    written.Empty();
    for (const CGraphLine& l : layer.m_lines.m_items) written += LineLayerLine(l);
    CGraphLineSet lines;
    ReadLineLayer(written, lines);
    if (lines.m_items.size() != layer.m_lines.m_items.size()) std::abort();
    return 0;
}
