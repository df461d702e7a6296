#include "edit/shapeproperties.h"

#include "base/textcodec.h"
#include "edit/propertystrings.h"
#include "shapes/shape.h"
#include "shapes/units.h"
#include "store/edittransaction.h"
#include "store/undo.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace plexo {

namespace {

// Coordinates typed into a dialog stay within this many document units of the
// origin (a million points, some 350 metres), far from the 32-bit limits that
// moving and widening outlines must not cross.
constexpr std::int64_t kMaxTypedCoordinate = 1'000'000'000;
constexpr std::size_t kMaxIntegerDigits =
    6; // beyond this no typed length fits in 32 bits once in thousandths

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// Digits, one optional "-" in front, one optional "," or "." with decimals.
bool isDecimalNumber(std::string_view text, std::size_t& integerDigits) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    std::size_t digits = 0;
    integerDigits = 0;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            ++digits;
            if (!separator)
                ++integerDigits;
        } else if ((c == ',' || c == '.') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

// Maps v from the range [from, from + fromLength] onto [to, to + toLength]; a
// range of no length is moved only.
std::int32_t mapped(std::int32_t v, std::int32_t from, std::int64_t fromLength, std::int32_t to,
                    std::int64_t toLength) {
    if (fromLength <= 0)
        return static_cast<std::int32_t>(std::int64_t{v} - from + to);
    const double scaled = static_cast<double>(std::int64_t{v} - from) * static_cast<double>(toLength) /
                          static_cast<double>(fromLength);
    return static_cast<std::int32_t>(to + std::llround(scaled));
}

std::string noTabs(std::string text) {
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

} // namespace

std::string withValue(const char* message, std::string_view value) {
    std::string text(message);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

std::optional<std::string> toDocumentText(std::string_view utf8) {
    std::string stored = utf8ToCp1252(utf8);
    // A character Windows-1252 cannot hold came out as '?': the way back differs.
    if (cp1252ToUtf8(stored) != utf8)
        return std::nullopt;
    return stored;
}

std::string showLength(std::int32_t units, const LengthScale& scale) {
    // The calibration scales the document length, then the unit converts it.
    const double limit = std::numeric_limits<std::int32_t>::max();
    const auto scaled = static_cast<std::int32_t>(
        std::clamp(std::round(static_cast<double>(units) * scale.factor), -limit, limit));
    return formatDecimal(scale.millimetres ? pointsToMillimetres(scaled) : scaled);
}

std::optional<std::int32_t> readLength(std::string_view typed, const LengthScale& scale,
                                       PropertyProblem& problem) {
    const std::string_view text = trimmed(typed);
    std::size_t integerDigits = 0;
    if (!isDecimalNumber(text, integerDigits)) {
        problem = withValue(propstr::kNotANumber, text);
        return std::nullopt;
    }
    if (integerDigits > kMaxIntegerDigits) {
        problem = withValue(propstr::kOutOfRange, text);
        return std::nullopt;
    }
    const std::int32_t shown = parseDecimal(text);
    if (scale.millimetres && std::fabs(shown * 360.0 / 127.0) > static_cast<double>(kMaxTypedCoordinate)) {
        problem = withValue(propstr::kOutOfRange, text);
        return std::nullopt;
    }
    // A length shown in millimetres reads back as it was shown.
    const std::int32_t scaled = scale.millimetres ? millimetresToPointsRoundTrip(shown) : shown;
    const double units = static_cast<double>(scaled) / scale.factor;
    if (!std::isfinite(units) || std::fabs(units) > static_cast<double>(kMaxTypedCoordinate)) {
        problem = withValue(propstr::kOutOfRange, text);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::llround(units));
}

Rect pointsExtent(const Shape& shape) {
    if (shape.points.empty())
        return shape.outline;
    Rect box{shape.points[0].x, shape.points[0].y, shape.points[0].x, shape.points[0].y};
    for (const Point& p : shape.points)
        box = box.united({p.x, p.y, p.x, p.y});
    return box;
}

ObjectProperties loadObjectProperties(const Shape& shape) {
    return {cp1252ToUtf8(shape.data), pointsExtent(shape)};
}

std::optional<LengthScale> calibratedScale(const Rect& box, bool millimetres, std::int32_t length) {
    if (box.width() <= 0 || length <= 0)
        return std::nullopt;
    return LengthScale{millimetres, static_cast<double>(length) / static_cast<double>(box.width())};
}

PropertyProblem checkObjectProperties(const Shape& shape, const ObjectProperties& values) {
    if (!toDocumentText(values.name))
        return propstr::kUnstorableText;
    const Rect now = pointsExtent(shape);
    const Rect& box = values.box;
    for (const std::int32_t v : {box.left, box.top, box.right, box.bottom})
        if (std::int64_t{v} > kMaxTypedCoordinate || std::int64_t{v} < -kMaxTypedCoordinate)
            return withValue(propstr::kOutOfRange, std::to_string(v));
    if ((now.width() > 0 && box.right <= box.left) || (now.height() > 0 && box.bottom <= box.top))
        return propstr::kReversedBox;
    return {};
}

bool applyObjectProperties(saoDoc& document, Folio& folio, Shape& shape, const ObjectProperties& values) {
    if (!checkObjectProperties(shape, values).empty())
        return false;
    const std::string name = *toDocumentText(values.name);
    const Rect from = pointsExtent(shape);
    const Rect& to = values.box;
    if (name == shape.data && to == from)
        return false;
    EditTransaction edit(document, folio, kUndoModification);
    edit.modify(shape, [&](Shape& changed) {
        changed.data = name;
        for (Point& p : changed.points) {
            p.x = mapped(p.x, from.left, from.width(), to.left, to.width());
            p.y = mapped(p.y, from.top, from.height(), to.top, to.height());
        }
    });
    edit.finish();
    return true;
}

WireProperties loadWireProperties(const Shape& wire) {
    const auto [first, second] = wire.splitLabels();
    return {cp1252ToUtf8(first), cp1252ToUtf8(second)};
}

PropertyProblem checkWireProperties(const WireProperties& values) {
    if (!toDocumentText(values.first) || !toDocumentText(values.second))
        return propstr::kUnstorableText;
    return {};
}

bool applyWireProperties(saoDoc& document, Folio& folio, Shape& wire, const WireProperties& values) {
    if (!checkWireProperties(values).empty())
        return false;
    const std::string first = noTabs(*toDocumentText(values.first));
    const std::string second = noTabs(*toDocumentText(values.second));
    if (wire.splitLabels() == std::pair{first, second})
        return false;
    EditTransaction edit(document, folio, kUndoModification);
    edit.modify(wire, [&](Shape& changed) {
        // Without a second label the text is the first one alone, as wires are drawn.
        if (second.empty())
            changed.data = first;
        else
            changed.joinLabels(first, second);
    });
    edit.finish();
    return true;
}

MidiProperties loadMidiProperties(const Shape& shortcut) {
    return {cp1252ToUtf8(shortcut.data)};
}

PropertyProblem checkMidiProperties(const MidiProperties& values) {
    if (trimmed(values.path).empty())
        return propstr::kNoMidiPath;
    if (!toDocumentText(values.path))
        return propstr::kUnstorableText;
    return {};
}

bool applyMidiProperties(saoDoc& document, Folio& folio, Shape& shortcut, const MidiProperties& values) {
    if (!checkMidiProperties(values).empty())
        return false;
    const std::string path = *toDocumentText(trimmed(values.path));
    if (path == shortcut.data)
        return false;
    EditTransaction edit(document, folio, kUndoModification);
    edit.modify(shortcut, [&](Shape& changed) { changed.data = path; });
    edit.finish();
    return true;
}

} // namespace plexo
