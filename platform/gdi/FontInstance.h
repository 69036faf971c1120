// A font at one size and style, rendered through FreeType as monochrome
// glyphs (the handheld drew aliased text) and cached as pixel runs.
//
// "宋体", the device's Song face, maps to AR PL UMing (Debian's
// fonts-arphic-uming), a Ming/Song face with bitmap strikes at 11 to 16
// pixels whose ASCII is half the em wide, as the device's: at the panel's
// 13 pixels a digit takes 6, so that a coordinate such as "-5416541.908"
// fits an 80-pixel cell. Every other face name maps to WenQuanYi Zen Hei:
// its "Sharp" face, whose bitmap strikes at 12 to 16 pixels give a crisp
// look, and its "Mono" face for fixed-pitch requests such as "Courier New".
// The bold "system" face at 14 pixels and more, in which the survey screens
// draw their read-outs, maps to Liberation Sans Narrow Bold (Debian's
// fonts-liberation) for the characters it holds, one pixel apart, and to
// Zen Hei for the rest: the widest geodetic read-out, "-179°59' 59.9999\"",
// must lie whole in its 111-pixel control beside the PDOP column, which no
// face with 8-pixel bold digits allows (Zen Hei takes 127 pixels for it,
// the narrow face 111).
// Each file is looked for at a fixed path first (reference images are
// rendered with them), then through fontconfig; without the Song face its
// text takes Zen Hei.
//
// Metrics follow the device's Song face: the cell is as tall as the em (no
// internal leading), 82% of it above the baseline, so that layouts in dialog
// units come out as on the device.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/GdiApi.h"

namespace quorvel::gdi {

inline constexpr const char* kPinnedFontFile = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
inline constexpr const char* kPinnedSongFontFile = "/usr/share/fonts/truetype/arphic/uming.ttc";
inline constexpr const char* kPinnedNarrowFontFile =
    "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf";

// The font files in use; empty when none was found (text then draws
// nothing; Song text takes the other file).
const std::string& FontFilePath();
const std::string& SongFontFilePath();
const std::string& NarrowFontFilePath();

inline constexpr int kSharpFaceIndex = 2;  // proportional, with bitmap strikes
inline constexpr int kMonoFaceIndex = 1;   // fixed pitch
inline constexpr int kSongFaceIndex = 0;   // "AR PL UMing CN" in the Song file

struct GlyphRun {
    int16_t dy;  // row relative to the baseline, down
    int16_t x0;  // first pixel relative to the pen position
    int16_t x1;  // one past the last
};

struct Glyph {
    std::vector<GlyphRun> runs;
    int advance = 0;  // upright advance in pixels
};

struct FontKey {
    bool song = false;    // the Song file, else Zen Hei's
    bool narrow = false;  // the narrow bold file, Zen Hei's Sharp face for the rest
    int face = 0;         // index in the collection
    int em = 12;
    bool bold = false;
    bool italic = false;
    int escapement = 0;  // tenths of a degree, 0 .. 3599

    bool operator==(const FontKey&) const = default;
};

class FontInstance {
  public:
    explicit FontInstance(const FontKey& key);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    const FontKey& Key() const { return m_key; }
    int Em() const { return m_key.em; }
    int Ascent() const { return (m_key.em * 82 + 99) / 100; }
    int Descent() const { return m_key.em - Ascent(); }
    bool Rotated() const { return m_key.escapement != 0; }
    bool FixedPitch() const { return !m_key.song && m_key.face == kMonoFaceIndex; }

    // The glyph drawn with the pen at (0, 0) on the baseline; rotated fonts
    // give it turned by the escapement. Valid as long as the instance.
    const Glyph& GetGlyph(wchar_t ch);
    // Upright advance, the same for every escapement.
    int Advance(wchar_t ch);

  private:
    Glyph Render(wchar_t ch);
    Glyph RenderWith(void* face, wchar_t ch, bool emboldened);
    void FitIntoCell(std::vector<GlyphRun>& runs) const;
    const Glyph& GlyphLocked(wchar_t ch);

    FontKey m_key;
    void* m_face = nullptr;                   // FT_Face
    void* m_fallback = nullptr;               // FT_Face for what m_face lacks
    std::shared_ptr<FontInstance> m_upright;  // metrics of rotated fonts
    std::unordered_map<wchar_t, Glyph> m_glyphs;
};

// The instance a logical font asks for (shared between equal requests).
std::shared_ptr<FontInstance> InstanceFor(const LOGFONT& font);
FontKey KeyFor(const LOGFONT& font);

}  // namespace quorvel::gdi
