// How the core measures text without a windowing system: the geometry asks the
// installed measurer for the extent of a one-line text in a font. The Qt
// measurer is installed by the application with the renderer; without one the
// fixed-metrics measurer below answers, so the core and its tests run headless.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace plexo {

// A font as the measurer sees it. The height is in output pixels: callers that
// work in document units pass the size in points (one point is one pixel at
// 100 %) and multiply the extent by kUnitsPerPoint.
struct TextFont {
    std::string face;        // Windows-1252 face name; empty: the system's default face
    std::int32_t height = 9; // pixels, at least 1
    bool bold = false;       // weight 700, else 400
    bool italic = false;
    bool underline = false;
};

// Width and height of a measured text, in the pixels of its font.
struct TextExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The extent of one line of Windows-1252 text (no line breaks interpreted);
    // an empty text has width 0 and the font's line height.
    virtual TextExtent measure(const TextFont& font, std::string_view text) = 0;
};

// Predictable metrics: every character is (3 × height + 4) / 5 pixels wide (one
// more when bold) and a line is height pixels high. Used by tests and whenever
// no platform measurer is installed.
class FixedTextMeasurer final : public TextMeasurer {
public:
    TextExtent measure(const TextFont& font, std::string_view text) override;
    static std::int32_t advance(const TextFont& font);
};

// Extents already measured, keyed by font and text, so that a text painted
// again (every repaint, every scroll strip) is not measured again. A font is
// named by a key its user makes (fontKey for a measurer font): keys of
// different fonts differ and none is the start of another. At most `capacity`
// extents are kept: they are held in two halves, and when the newer half is
// full the older one is dropped, so texts in use stay while texts no longer
// drawn go.
class TextExtentCache {
public:
    static constexpr std::size_t kDefaultCapacity = 16384;

    explicit TextExtentCache(std::size_t capacity = kDefaultCapacity);

    static std::string fontKey(const TextFont& font);

    // The extent kept for the text in the font, or null.
    const TextExtent* find(std::string_view fontKey, std::string_view text);
    void insert(std::string_view fontKey, std::string_view text, TextExtent extent);
    std::size_t size() const { return newer_.size() + older_.size(); }
    std::size_t capacity() const { return 2 * half_; }
    void clear();

private:
    void makeKey(std::string_view fontKey, std::string_view text);

    std::size_t half_;
    std::unordered_map<std::string, TextExtent> newer_, older_;
    std::string key_; // reused between look-ups
};

// The installed measurer, or a process-wide FixedTextMeasurer when none is.
TextMeasurer& textMeasurer();
// Installs a measurer (nullptr goes back to the fixed one); returns the previous
// one (nullptr when it was the fixed one). The measurer is not owned.
TextMeasurer* setTextMeasurer(TextMeasurer* measurer);

} // namespace plexo
