// The system's button colours of a widget's palette, for the bands drawn on a surface.
#pragma once

#include "edit/bandcolours.h"

#include <QColor>
#include <QPalette>

namespace plexo {

inline Rgb toRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

inline BandColours bandColours(const QPalette& palette) {
    return {toRgb(palette.color(QPalette::Button)), toRgb(palette.color(QPalette::Dark)),
            toRgb(palette.color(QPalette::Light)), toRgb(palette.color(QPalette::ButtonText))};
}

} // namespace plexo
