#include "platform/gdi/FontInstance.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <mutex>
#include <numbers>
#include "platform/gdi/SpanSet.h"

namespace quorvel::gdi {
namespace {

constexpr double kItalicShear = 0.2;

std::mutex& EngineMutex() {
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file fontconfig gives for `family`, when its name holds `expected`.
std::string AskFontconfig(const char* family, const char* expected) {
    const std::string command = std::string("fc-match -f '%{file}' '") + family + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {};
    char buffer[1024] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    ::pclose(pipe);
    std::string path(buffer, n);
    return path.find(expected) != std::string::npos && FileExists(path) ? path : std::string{};
}

std::string LocateFontFile(const char* pinned, const char* family, const char* expected) {
    if (FileExists(pinned)) return pinned;
    std::string found = AskFontconfig(family, expected);
    if (found.empty()) std::fprintf(stderr, "quorvel: no %s font\n", family);
    return found;
}

bool IsSongRequest(const LOGFONT& font) {
    return std::wcscmp(font.lfFaceName, L"宋体") == 0;
}

// The face the survey screens' read-outs ask for, at their sizes; the
// window captions' smaller bold "System" keeps Zen Hei.
bool IsNarrowRequest(const LOGFONT& font) {
    return wcscasecmp(font.lfFaceName, L"system") == 0 && font.lfWeight >= FW_SEMIBOLD &&
           std::abs(static_cast<int>(font.lfHeight)) >= 14;
}

bool IsFixedPitchRequest(const LOGFONT& font) {
    std::wstring face(font.lfFaceName);
    for (auto& c : face) c = static_cast<wchar_t>(std::towlower(c));
    return face.rfind(L"courier", 0) == 0 || (font.lfPitchAndFamily & 0x3) == FIXED_PITCH ||
           (font.lfPitchAndFamily & 0xF0) == FF_MODERN;
}

// Pixel runs of a one-bit FreeType bitmap placed at (left, -top).
void AppendRuns(const FT_Bitmap& bitmap, int left, int top, std::vector<GlyphRun>& runs) {
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* bits = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        unsigned col = 0;
        while (col < bitmap.width) {
            while (col < bitmap.width && !((bits[col / 8] >> (7 - col % 8)) & 1)) ++col;
            const unsigned start = col;
            while (col < bitmap.width && ((bits[col / 8] >> (7 - col % 8)) & 1)) ++col;
            if (col > start) {
                runs.push_back(GlyphRun{static_cast<int16_t>(static_cast<int>(row) - top),
                                        static_cast<int16_t>(left + static_cast<int>(start)),
                                        static_cast<int16_t>(left + static_cast<int>(col))});
            }
        }
    }
}

// Synthetic bold as the device's bitmap fonts did it: the glyph drawn again
// one pixel further along the baseline.
void Embolden(std::vector<GlyphRun>& runs, int dx, int dy) {
    if (dy == 0) {
        for (GlyphRun& r : runs) r.x1 = static_cast<int16_t>(r.x1 + dx);
        return;
    }
    SpanSet set;
    for (const GlyphRun& r : runs) {
        set.Add(r.dy, r.x0, r.x1);
        set.Add(r.dy + dy, r.x0 + dx, r.x1 + dx);
    }
    runs.clear();
    for (int y = set.Top(); y < set.Bottom(); ++y) {
        for (const Run& r : set.Row(y)) {
            runs.push_back(GlyphRun{static_cast<int16_t>(y), static_cast<int16_t>(r.x0),
                                    static_cast<int16_t>(r.x1)});
        }
    }
}

// An upright glyph turned by a multiple of 90 degrees counter-clockwise,
// pixel for pixel, so that turned text keeps the strikes' crisp shapes.
std::vector<GlyphRun> TurnQuadrant(const std::vector<GlyphRun>& runs, int quarters) {
    SpanSet set;
    for (const GlyphRun& r : runs) {
        for (int x = r.x0; x < r.x1; ++x) {
            const int y = r.dy;
            switch (quarters) {
                case 1:
                    set.Add(-x - 1, y, y + 1);
                    break;
                case 2:
                    set.Add(-y - 1, -x - 1, -x);
                    break;
                default:
                    set.Add(x, -y - 1, -y);
                    break;
            }
        }
    }
    std::vector<GlyphRun> out;
    for (int y = set.Top(); y < set.Bottom(); ++y) {
        for (const Run& r : set.Row(y)) {
            out.push_back(GlyphRun{static_cast<int16_t>(y), static_cast<int16_t>(r.x0),
                                   static_cast<int16_t>(r.x1)});
        }
    }
    return out;
}

}  // namespace

const std::string& FontFilePath() {
    static const std::string path = LocateFontFile(kPinnedFontFile, "WenQuanYi Zen Hei", "zenhei");
    return path;
}

const std::string& SongFontFilePath() {
    static const std::string path = LocateFontFile(kPinnedSongFontFile, "AR PL UMing CN", "uming");
    return path;
}

const std::string& NarrowFontFilePath() {
    static const std::string path =
        LocateFontFile(kPinnedNarrowFontFile, "Liberation Sans Narrow:bold", "SansNarrow-Bold");
    return path;
}

FontKey KeyFor(const LOGFONT& font) {
    FontKey key;
    key.song = IsSongRequest(font) && !SongFontFilePath().empty();
    key.narrow = !key.song && IsNarrowRequest(font) && !NarrowFontFilePath().empty();
    if (key.song || key.narrow)
        key.face = 0;
    else
        key.face = IsFixedPitchRequest(font) ? kMonoFaceIndex : kSharpFaceIndex;
    key.em = font.lfHeight == 0 ? 12 : std::abs(static_cast<int>(font.lfHeight));
    key.em = std::clamp(key.em, 1, 512);
    key.bold = font.lfWeight >= FW_SEMIBOLD;
    key.italic = font.lfItalic != 0;
    key.escapement = ((font.lfEscapement % 3600) + 3600) % 3600;
    return key;
}

namespace {

// The face of `file` at the key's size, turned and slanted as it asks.
FT_Face OpenFace(const std::string& file, int index, const FontKey& key) {
    FT_Face face = nullptr;
    if (!Library() || file.empty() || FT_New_Face(Library(), file.c_str(), index, &face) != 0)
        return nullptr;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(key.em));
    const double angle = key.escapement * std::numbers::pi / 1800.0;
    const double shear = key.italic ? kItalicShear : 0.0;
    // Rotation times shear, in FreeType's y-up coordinates.
    FT_Matrix m;
    m.xx = static_cast<FT_Fixed>(std::lround(std::cos(angle) * 65536));
    m.xy = static_cast<FT_Fixed>(std::lround((shear * std::cos(angle) - std::sin(angle)) * 65536));
    m.yx = static_cast<FT_Fixed>(std::lround(std::sin(angle) * 65536));
    m.yy = static_cast<FT_Fixed>(std::lround((shear * std::sin(angle) + std::cos(angle)) * 65536));
    FT_Set_Transform(face, &m, nullptr);
    return face;
}

}  // namespace

FontInstance::FontInstance(const FontKey& key) : m_key(key) {
    if (key.narrow) {
        m_face = OpenFace(NarrowFontFilePath(), 0, key);
        m_fallback = OpenFace(FontFilePath(), kSharpFaceIndex, key);
    } else {
        m_face = OpenFace(key.song ? SongFontFilePath() : FontFilePath(), key.face, key);
    }
    if (key.escapement != 0) {
        FontKey upright = key;
        upright.escapement = 0;
        m_upright = std::make_shared<FontInstance>(upright);
    }
}

FontInstance::~FontInstance() {
    if (m_face) FT_Done_Face(static_cast<FT_Face>(m_face));
    if (m_fallback) FT_Done_Face(static_cast<FT_Face>(m_fallback));
}

Glyph FontInstance::Render(wchar_t ch) {
    auto face = static_cast<FT_Face>(m_face);
    if (!face || ch < 0x20) return Glyph{};
    if (m_upright && m_key.escapement % 900 == 0) {
        Glyph glyph = m_upright->GlyphLocked(ch);
        glyph.runs = TurnQuadrant(glyph.runs, m_key.escapement / 900);
        return glyph;
    }
    // The narrow face is bold of its own; what it lacks (Chinese above all)
    // comes from Zen Hei, made bold as the device's bitmap fonts were.
    if (m_key.narrow) {
        if (m_fallback && FT_Get_Char_Index(face, static_cast<FT_ULong>(ch)) == 0)
            return RenderWith(m_fallback, ch, true);
        // Its hinted stems fill the advance and can reach a pixel past
        // it: a pixel more keeps digits apart and the last one uncut.
        Glyph glyph = RenderWith(face, ch, false);
        int right = glyph.advance + 1;
        for (const GlyphRun& r : glyph.runs) right = std::max(right, static_cast<int>(r.x1));
        glyph.advance = right;
        return glyph;
    }
    return RenderWith(face, ch, m_key.bold);
}

Glyph FontInstance::RenderWith(void* ftFace, wchar_t ch, bool emboldened) {
    Glyph glyph;
    auto face = static_cast<FT_Face>(ftFace);
    // Turned and slanted glyphs come from the outlines (strikes cannot be
    // transformed); upright ones take the strike where there is one.
    const bool outline = m_key.escapement != 0 || m_key.italic;
    // The font carries no hints of its own for its Chinese outlines; without
    // the auto-hinter one-bit rendering drops thin horizontal strokes.
    FT_Int32 flags =
        FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME | FT_LOAD_FORCE_AUTOHINT;
    if (outline) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Char(face, static_cast<FT_ULong>(ch), flags) != 0) return glyph;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        AppendRuns(slot->bitmap, slot->bitmap_left, slot->bitmap_top, glyph.runs);
    }
    if (emboldened) {
        const double angle = m_key.escapement * std::numbers::pi / 1800.0;
        Embolden(glyph.runs, static_cast<int>(std::lround(std::cos(angle))),
                 static_cast<int>(std::lround(-std::sin(angle))));
    }
    if (m_key.escapement == 0) FitIntoCell(glyph.runs);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6) + (emboldened ? 1 : 0);
    return glyph;
}

// The device's fonts kept every glyph inside its cell, so text drawn at the
// top of a control showed whole. Some strikes here set a tall glyph a row
// or two above the cell: it moves down as far as the cell's foot allows.
void FontInstance::FitIntoCell(std::vector<GlyphRun>& runs) const {
    if (runs.empty()) return;
    int top = runs.front().dy, bottom = runs.front().dy;
    for (const GlyphRun& r : runs) {
        top = std::min(top, static_cast<int>(r.dy));
        bottom = std::max(bottom, static_cast<int>(r.dy));
    }
    const int shift = std::min(-Ascent() - top, Descent() - 1 - bottom);
    if (shift <= 0) return;
    for (GlyphRun& r : runs) r.dy = static_cast<int16_t>(r.dy + shift);
}

const Glyph& FontInstance::GetGlyph(wchar_t ch) {
    std::lock_guard lock(EngineMutex());
    return GlyphLocked(ch);
}

const Glyph& FontInstance::GlyphLocked(wchar_t ch) {
    auto it = m_glyphs.find(ch);
    if (it == m_glyphs.end()) it = m_glyphs.emplace(ch, Render(ch)).first;
    return it->second;
}

int FontInstance::Advance(wchar_t ch) {
    if (m_upright) return m_upright->Advance(ch);
    return GetGlyph(ch).advance;
}

std::shared_ptr<FontInstance> InstanceFor(const LOGFONT& font) {
    struct Entry {
        FontKey key;
        std::shared_ptr<FontInstance> instance;
    };
    static std::vector<Entry>* cache = new std::vector<Entry>;
    const FontKey key = KeyFor(font);
    std::lock_guard lock(EngineMutex());
    for (const Entry& e : *cache) {
        if (e.key == key) return e.instance;
    }
    auto instance = std::make_shared<FontInstance>(key);
    cache->push_back(Entry{key, instance});
    return instance;
}

}  // namespace quorvel::gdi
