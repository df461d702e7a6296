#include "shapes/textmeasurer.h"

#include <algorithm>

namespace plexo {

namespace {
TextMeasurer* installedMeasurer = nullptr;
}

std::int32_t FixedTextMeasurer::advance(const TextFont& font) {
    const std::int32_t height = std::max<std::int32_t>(font.height, 1);
    return (3 * height + 4) / 5 + (font.bold ? 1 : 0);
}

TextExtent FixedTextMeasurer::measure(const TextFont& font, std::string_view text) {
    const std::int64_t width =
        static_cast<std::int64_t>(advance(font)) * static_cast<std::int64_t>(text.size());
    return {static_cast<std::int32_t>(std::min<std::int64_t>(width, INT32_MAX)),
            std::max<std::int32_t>(font.height, 1)};
}

TextMeasurer& textMeasurer() {
    static FixedTextMeasurer fixed;
    return installedMeasurer ? *installedMeasurer : fixed;
}

TextMeasurer* setTextMeasurer(TextMeasurer* measurer) {
    TextMeasurer* previous = installedMeasurer;
    installedMeasurer = measurer;
    return previous;
}

} // namespace plexo
