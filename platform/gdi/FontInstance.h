// A font at one size and style, rendered through FreeType as monochrome
// glyphs (the handheld drew aliased text) and cached as pixel runs.
//
// Every face name maps to the Debian CJK font WenQuanYi Zen Hei: its "Sharp"
// face, whose bitmap strikes at 12 to 16 pixels give the crisp look of the
// device's own font, and its "Mono" face for fixed-pitch requests such as
// "Courier New". The file is looked for at a fixed path first
// (kPinnedFontFile: reference images are rendered with it), then through
// fontconfig.
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

// The font file in use; empty when none was found (text then draws nothing).
const std::string& FontFilePath();

inline constexpr int kSharpFaceIndex = 2;  // proportional, with bitmap strikes
inline constexpr int kMonoFaceIndex = 1;   // fixed pitch

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
    int face = 0;  // index in the collection
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
    bool FixedPitch() const { return m_key.face == kMonoFaceIndex; }

    // The glyph drawn with the pen at (0, 0) on the baseline; rotated fonts
    // give it turned by the escapement. Valid as long as the instance.
    const Glyph& GetGlyph(wchar_t ch);
    // Upright advance, the same for every escapement.
    int Advance(wchar_t ch);

  private:
    Glyph Render(wchar_t ch);
    const Glyph& GlyphLocked(wchar_t ch);

    FontKey m_key;
    void* m_face = nullptr;                   // FT_Face
    std::shared_ptr<FontInstance> m_upright;  // metrics of rotated fonts
    std::unordered_map<wchar_t, Glyph> m_glyphs;
};

// The instance a logical font asks for (shared between equal requests).
std::shared_ptr<FontInstance> InstanceFor(const LOGFONT& font);
FontKey KeyFor(const LOGFONT& font);

}  // namespace quorvel::gdi
