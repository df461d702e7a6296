#include "shapes/style.h"

#include "base/buffer.h"
#include "shapes/fontlist.h"

#include <algorithm>
#include <initializer_list>

namespace plexo {

namespace {

StyleItems items(std::initializer_list<int> list) {
    StyleItems result;
    for (int item : list)
        result.set(static_cast<std::size_t>(item));
    return result;
}

StyleItems tuningItems() {
    StyleItems result;
    for (int s = 0; s < kTuningStrings; ++s)
        result.set(static_cast<std::size_t>(kTuning0 + s));
    return result;
}

} // namespace

std::int64_t Style::value(int item) const {
    switch (item) {
    case kLineWidth:
        return lineWidth;
    case kLineType:
        return lineType;
    case kColour:
        return colour;
    case kFillColour:
        return fillColour;
    case kTextColour:
        return textColour;
    case kShadow:
        return shadow;
    case kPattern:
        return pattern;
    case kArrow1:
        return arrow1;
    case kArrow2:
        return arrow2;
    case kFont:
        return font;
    case kFontSize:
        return fontSize;
    case kFontStyle:
        return fontStyle;
    case kTextAlign:
        return textAlign;
    default:
        if (item >= kTuning0 && item < kTuning0 + kTuningStrings)
            return tuning[static_cast<std::size_t>(item - kTuning0)];
        return 0;
    }
}

void Style::setValue(int item, std::int64_t v) {
    auto byte = static_cast<std::uint8_t>(v);
    switch (item) {
    case kLineWidth:
        lineWidth = static_cast<std::uint32_t>(v);
        break;
    case kLineType:
        lineType = byte;
        break;
    case kColour:
        colour = byte;
        break;
    case kFillColour:
        fillColour = byte;
        break;
    case kTextColour:
        textColour = byte;
        break;
    case kShadow:
        shadow = byte;
        break;
    case kPattern:
        pattern = byte;
        break;
    case kArrow1:
        arrow1 = byte;
        break;
    case kArrow2:
        arrow2 = byte;
        break;
    case kFont:
        font = static_cast<std::int32_t>(v);
        break;
    case kFontSize:
        fontSize = static_cast<std::int32_t>(v);
        break;
    case kFontStyle:
        fontStyle = byte;
        break;
    case kTextAlign:
        textAlign = byte;
        break;
    default:
        if (item >= kTuning0 && item < kTuning0 + kTuningStrings)
            tuning[static_cast<std::size_t>(item - kTuning0)] = byte;
        break;
    }
}

StyleItems inapplicableItems(int kind) {
    const StyleItems tuning = tuningItems();
    switch (kind) {
    case 0:
        return items({kFillColour, kPattern}) | tuning;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return items({kArrow1, kArrow2}) | tuning;
    case 7:
    case 8:
        return items({kLineType, kFillColour, kPattern, kArrow1, kArrow2}) | tuning;
    case 9:
    case 10:
    case 14:
    case 19:
        return items({kLineWidth, kLineType, kColour, kArrow1, kArrow2}) | tuning;
    case 11:
    case 12:
    case 13:
        return items({kLineWidth, kLineType, kFillColour, kPattern, kArrow1, kArrow2}) | tuning;
    case 17:
        return items({kFillColour, kPattern, kTextAlign}) | tuning;
    case 18:
        return items({kLineType, kFillColour, kPattern, kTextAlign}) | tuning;
    case 20:
    case 21:
        return ~(items({kColour, kTextColour}) | tuning);
    case 22:
        return items({kArrow1, kArrow2, kTextAlign}) | tuning;
    default: // 15, 16, 23, 24 and unknown kinds
        return StyleItems().set();
    }
}

void setApplicability(Style& style, int kind) {
    style.markAllUnset();
    if (kind == 15 || kind < 0 || kind > 24)
        return;
    style.indeterminate = inapplicableItems(kind);
    style.unset = StyleItems();
}

void applyStyle(Style& target, const Style& source) {
    for (int item = 0; item < kStyleItemCount; ++item) {
        if (source.isUsable(item))
            target.set(item, source.value(item));
    }
}

void mergeStyle(Style& summary, const Style& source) {
    for (int item = 0; item < kStyleItemCount; ++item) {
        const auto bit = static_cast<std::size_t>(item);
        if (summary.isIndeterminate(item))
            continue;
        if (source.isIndeterminate(item)) {
            summary.indeterminate.set(bit);
        } else if (summary.isUnset(item)) {
            summary.setValue(item, source.value(item));
            summary.unset[bit] = source.unset[bit];
        } else if (!source.isUnset(item) && source.value(item) != summary.value(item)) {
            summary.indeterminate.set(bit);
        }
    }
}

Style objectDefaultStyle() {
    Style s;
    s.lineWidth = 1000;
    s.lineType = 0;
    s.colour = 0;
    s.fillColour = kNoColour;
    s.textColour = 0;
    s.shadow = kNoColour;
    s.pattern = 0;
    s.arrow1 = 0;
    s.arrow2 = 0;
    s.font = fontList().addFace("Times New Roman");
    s.fontSize = 9;
    s.fontStyle = 0;
    s.textAlign = 0;
    s.tuning.fill(kNoTuning);
    s.markAllSet();
    return s;
}

Style wireDefaultStyle() {
    Style s;
    s.set(kLineWidth, 1000);
    s.set(kLineType, 0);
    s.set(kColour, 4);
    s.set(kTextColour, 0);
    s.set(kShadow, kNoColour);
    s.set(kArrow1, 0);
    s.set(kArrow2, 1);
    s.set(kFont, fontList().addFace("Arial"));
    s.set(kFontSize, 9);
    s.set(kFontStyle, 0);
    return s;
}

Style symbolDefaultStyle() {
    return Style();
}

Style rubberBandStyle() {
    Style s;
    s.set(kLineWidth, 100);
    s.set(kLineType, 0);
    s.set(kColour, 0);
    return s;
}

void writeStyle(Buffer& buffer, const Style& style) {
    buffer.writeUInt32(style.lineWidth);
    buffer.writeByte(style.lineType);
    buffer.writeByte(style.colour);
    buffer.writeByte(style.fillColour);
    buffer.writeByte(style.textColour);
    buffer.writeByte(style.shadow);
    buffer.writeByte(style.pattern);
    buffer.writeByte(style.arrow1);
    buffer.writeByte(style.arrow2);
    buffer.writeShortText(fontList().faceName(style.font));
    buffer.writeInt32(style.fontSize);
    buffer.writeByte(style.fontStyle);
    buffer.writeByte(style.textAlign);
}

bool readStyle(Buffer& buffer, Style& style) {
    style.markAllUnset();
    buffer.readUInt32(style.lineWidth);
    buffer.readByte(style.lineType);
    buffer.readByte(style.colour);
    buffer.readByte(style.fillColour);
    buffer.readByte(style.textColour);
    buffer.readByte(style.shadow);
    buffer.readByte(style.pattern);
    buffer.readByte(style.arrow1);
    buffer.readByte(style.arrow2);
    std::string face;
    if (buffer.readShortText(face)) {
        // The stored name runs to its terminator; a NUL inside the counted bytes
        // ends it too.
        face.resize(std::min(face.size(), face.find('\0')));
        style.font = fontList().addFace(face);
    }
    buffer.readInt32(style.fontSize);
    buffer.readByte(style.fontStyle);
    buffer.readByte(style.textAlign);
    return !buffer.failed();
}

} // namespace plexo
