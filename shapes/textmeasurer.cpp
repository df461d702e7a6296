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

TextExtentCache::TextExtentCache(std::size_t capacity) : half_(std::max<std::size_t>(1, capacity / 2)) {}

std::string TextExtentCache::fontKey(const TextFont& font) {
    // Face names hold no NUL; fixed-size fields follow it.
    std::string key = font.face;
    key.push_back('\0');
    key.append(reinterpret_cast<const char*>(&font.height), sizeof font.height);
    key.push_back(static_cast<char>((font.bold ? 1 : 0) | (font.italic ? 2 : 0) | (font.underline ? 4 : 0)));
    return key;
}

void TextExtentCache::makeKey(std::string_view fontKey, std::string_view text) {
    key_.assign(fontKey);
    key_.append(text);
}

const TextExtent* TextExtentCache::find(std::string_view fontKey, std::string_view text) {
    makeKey(fontKey, text);
    if (auto it = newer_.find(key_); it != newer_.end())
        return &it->second;
    auto it = older_.find(key_);
    if (it == older_.end())
        return nullptr;
    // Still in use: moved to the newer half so that it outlives the older one.
    const TextExtent extent = it->second;
    older_.erase(it);
    insert(fontKey, text, extent);
    return &newer_.find(key_)->second;
}

void TextExtentCache::insert(std::string_view fontKey, std::string_view text, TextExtent extent) {
    if (newer_.size() >= half_) {
        older_ = std::move(newer_);
        newer_.clear();
    }
    makeKey(fontKey, text);
    older_.erase(key_);
    newer_.insert_or_assign(key_, extent);
}

void TextExtentCache::clear() {
    newer_.clear();
    older_.clear();
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
