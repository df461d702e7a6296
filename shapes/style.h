// The style record of a drawing object: 13 attributes and a 6-string guitar
// tuning, each of the 19 items with an unset flag (no value known) and an
// indeterminate flag (does not apply to the kind, or differs across a
// selection). An item is used only when both flags are clear.
#pragma once

#include "shapes/palette.h" // kNoColour: no fill, no shadow

#include <array>
#include <bitset>
#include <cstdint>

namespace plexo {

class Buffer;

enum StyleItem : int {
    kLineWidth = 0,
    kLineType = 1,
    kColour = 2,
    kFillColour = 3,
    kTextColour = 4,
    kShadow = 5,
    kPattern = 6,
    kArrow1 = 7,
    kArrow2 = 8,
    kFont = 9,
    kFontSize = 10,
    kFontStyle = 11,
    kTextAlign = 12,
    kTuning0 = 13, // kTuning0 + s for string s (0..5)
    kStyleItemCount = 19,
};

constexpr int kTuningStrings = 6;
constexpr std::uint8_t kNoTuning = 255; // a string without a tuning value
constexpr std::uint8_t kFontBold = 1;   // fontStyle bits
constexpr std::uint8_t kFontItalic = 2;
constexpr std::uint8_t kFontUnderline = 4;

using StyleItems = std::bitset<kStyleItemCount>;

struct Style {
    std::uint32_t lineWidth = 1000; // document units
    std::uint8_t lineType = 0;      // line pattern index
    std::uint8_t colour = 0;        // palette index
    std::uint8_t fillColour = kNoColour;
    std::uint8_t textColour = 0;
    std::uint8_t shadow = kNoColour;
    std::uint8_t pattern = 0;   // fill pattern index
    std::uint8_t arrow1 = 0;    // arrow head at the first point (0 none .. 12)
    std::uint8_t arrow2 = 0;    // arrow head at the last point
    std::int32_t font = 0;      // 1-based index into fontList(), 0 unknown
    std::int32_t fontSize = 9;  // points
    std::uint8_t fontStyle = 0; // kFontBold | kFontItalic | kFontUnderline
    std::uint8_t textAlign = 0; // 0, 5, 7 left; 1, 6, 8 right; 2, 3, 4 centred
    std::array<std::uint8_t, kTuningStrings> tuning{kNoTuning, kNoTuning, kNoTuning,
                                                    kNoTuning, kNoTuning, kNoTuning};

    // A new record has every item unset (and determinate).
    StyleItems unset = StyleItems().set();
    StyleItems indeterminate;

    bool isUnset(int item) const { return unset.test(static_cast<std::size_t>(item)); }
    bool isIndeterminate(int item) const { return indeterminate.test(static_cast<std::size_t>(item)); }
    // Both flags clear: the value stands.
    bool isUsable(int item) const { return !isUnset(item) && !isIndeterminate(item); }
    void markSet(int item) {
        unset.reset(static_cast<std::size_t>(item));
        indeterminate.reset(static_cast<std::size_t>(item));
    }
    void markAllUnset() {
        unset.set();
        indeterminate.reset();
    }
    void markAllSet() {
        unset.reset();
        indeterminate.reset();
    }

    // Item values as one integer type, for the generic operations.
    std::int64_t value(int item) const;
    void setValue(int item, std::int64_t v);
    // Sets the value and marks the item set and determinate.
    void set(int item, std::int64_t v) {
        setValue(item, v);
        markSet(item);
    }
};

// Items that do not apply to a kind (0..24); kind 15 and unknown kinds have none
// that apply (see setApplicability).
StyleItems inapplicableItems(int kind);

// Marks every item that applies to the kind set and every other item
// indeterminate; for kind 15 (and any kind outside 0..24) every item stays unset.
void setApplicability(Style& style, int kind);

// Copies every usable item of source into target, marking it set there.
void applyStyle(Style& target, const Style& source);

// Folds one selected object's style into a selection summary.
void mergeStyle(Style& summary, const Style& source);

// Default style records of a document. The faces are made known to the font list
// (FontList::addFace) so that they are kept by name even when not installed.
Style objectDefaultStyle(); // every item set: 1000, 0, 0, 255, 0, 255, 0, 0, 0, "Times New Roman", 9, 0, 0,
                            // tuning 255
Style wireDefaultStyle();   // fill colour, pattern, text alignment and tuning unset; colour 4, arrow2 1,
                            // "Arial"
Style symbolDefaultStyle(); // every item unset
Style rubberBandStyle();    // only lineWidth 100, lineType 0 and colour 0 set

// The style record of a shape record: 13 attributes, the font by face name
// (short counted text; length 0 for an unknown face). The tuning is not part of it.
void writeStyle(Buffer& buffer, const Style& style);
// Marks every item unset and determinate and reads the values. A face that is not
// in the font list joins it, so the document keeps its font through a save.
bool readStyle(Buffer& buffer, Style& style);

} // namespace plexo
