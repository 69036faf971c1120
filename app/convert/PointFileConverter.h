// The point-file conversion of the file-format dialog: lines of five
// comma-separated fields (name, x north, y east, h, code) into one of nine
// exchange formats.
//
// Formats 1-7 re-order the fields, copying their texts as they stand:
//   1 "Pn,Pc,y,x,h"  2 "Pn Pc y x h"  3 "Pn,Pc,x,y,h"  4 "Pn Pc x y h"
//   5 "Pn,x,y,h,Pc"  6 "Pn x y h Pc"  7 "Pn,y,x,h,h,h,h(SSD)"
// 8 "ZDM", a profile of chainage against height relative to the first
// point: "0 0" first, then "%.4f   %.4f" (three blanks). A code starting
// with "DK" carries a chainage k+m: k the integer before the '+', m the
// number from the '+' on (0 without one), chainage k * 1000 + m; the first
// line's m passes through single precision, as it always has. A later line
// without such a code takes the chainage of the last later line that had
// one, 0 before any.
// 9 "DXF": an ENTITIES section with a point (layer 0, colour 4) and a label
// (height 0.001 at z 0) per source line, with the group codes padded as
// the program has always written them. The labels carry no handle: the
// old writer gave every one the handle "0", which is invalid and shared,
// so readers refused the drawing or dropped the labels; a drawing without a
// HEADER section may leave entity handles out.
//
// Every source line counts as converted; the drawing's section is written
// around the entities even when there are none. Nothing is buffered per
// point: each label follows its point at once, which gives the bytes of a
// drawing written after the last line.
#pragma once

#include "app/convert/FileConversion.h"

namespace convert {

inline constexpr int kFormatCount = 9;
inline constexpr int kFormatZdm = 8;
inline constexpr int kFormatDxf = 9;

class CPointFileConverter : public CLineConverter {
  public:
    // `format` 1..9; any other writes nothing per line.
    explicit CPointFileConverter(int format) : m_nFormat(format) {}

    void ConvertLine(const std::wstring& line, std::string& out) override;
    void Finish(std::string& out) override;
    int Counted() const override { return m_nLines; }

  private:
    void ProfileLine(std::wstring_view code, std::wstring_view height, std::string& out);
    void DrawingEntities(const std::wstring_view* fields, std::string& out);

    int m_nFormat;
    int m_nLines = 0;
    bool m_bDrawingOpen = false;
    // The profile's origin and the chainage later lines carry on.
    double m_dStartChainage = 0.0;
    double m_dStartHeight = 0.0;
    double m_dLastChainage = 0.0;
};

}  // namespace convert
