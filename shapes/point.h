// Points and rectangles in document units (1000 per typographic point, y downward).
#pragma once

#include <algorithm>
#include <cstdint>

namespace plexo {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// left, top, right, bottom; a normalised rectangle has left <= right and top <= bottom.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }

    // The smallest rectangle holding both (normalised rectangles).
    Rect united(const Rect& other) const {
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    // Edges included, as the hit tests and the rubber band count them.
    bool contains(Point p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    // Whether two normalised rectangles meet, edges included.
    bool meets(const Rect& other) const {
        return left <= other.right && other.left <= right && top <= other.bottom && other.top <= bottom;
    }
};

} // namespace plexo
