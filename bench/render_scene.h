// Folios of mixed drawing objects for the rendering benchmark and the rendering
// tests: every kind that draws without a symbol library, with varied styles.
#pragma once

#include "base/textcodec.h"
#include "shapes/geometry.h"
#include "shapes/saodib.h"
#include "shapes/shape.h"
#include "shapes/style.h"
#include "store/folio.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plexo::scene {

// The kinds a scene cycles through (kind 16 needs a library and is left out).
inline const std::vector<int>& sceneKinds() {
    static const std::vector<int> kinds{kLine,       kRectangle, kRoundRect,    kOval,     kPolygon,
                                        kHalfOvalH,  kHalfOvalV, kBezier,       kFreeHand, kText,
                                        kDibPicture, kTerminal,  kWire,         kCable,    kChordGrid,
                                        kTablature,  kCalendar,  kMidiShortcut, kSequence};
    return kinds;
}

// A 16 × 16 picture with a 16-colour table, bottom-up, 4 bits per pixel.
inline saoDib samplePicture() {
    const int width = 16, height = 16, stride = 8;
    std::vector<std::uint8_t> b(40 + 16 * 4 + stride * height, 0);
    auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, 40, 4);
    put(4, width, 4);
    put(8, height, 4);
    put(12, 1, 2);
    put(14, 4, 2);
    put(32, 16, 4);
    for (int c = 0; c < 16; ++c) {
        b[40 + 4 * c] = static_cast<std::uint8_t>(c * 16);           // blue
        b[40 + 4 * c + 1] = static_cast<std::uint8_t>(255 - c * 16); // green
        b[40 + 4 * c + 2] = static_cast<std::uint8_t>(c * 8);        // red
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; x += 2)
            b[40 + 64 + static_cast<std::size_t>(y * stride + x / 2)] =
                static_cast<std::uint8_t>(((x + y) % 16) << 4 | ((x + y + 1) % 16));
    return saoDib(std::move(b));
}

// One object of a kind in a box of about 60 × 40 points whose top-left corner is
// at (x, y); variant varies colours, line types, patterns and arrows.
inline std::unique_ptr<Shape> makeObject(int kind, std::int32_t x, std::int32_t y, int variant) {
    auto shape = std::make_unique<Shape>(kind);
    shape->style = kind == kWire || kind == kCable ? wireDefaultStyle() : objectDefaultStyle();
    Style& s = shape->style;
    s.set(kColour, variant % 7);
    s.set(kLineType, variant % 3);
    s.set(kLineWidth, 1000 + 500 * (variant % 3));
    s.set(kFillColour, variant % 4 == 0 ? kNoColour : 8 + variant % 8);
    s.set(kPattern, variant % 7);
    s.set(kArrow1, variant % 13);
    s.set(kArrow2, (variant + 5) % 13);
    s.set(kShadow, variant % 5 == 0 ? 7 : kNoColour);
    s.set(kTextColour, variant % 5);
    s.set(kFontSize, 8 + variant % 4);
    s.set(kTextAlign, variant % 9);
    const std::int32_t w = 60000, h = 40000;
    switch (kind) {
    case kPolygon:
    case kFreeHand:
        shape->points = {{x, y + h}, {x + w / 3, y}, {x + w, y + h / 3}, {x + w / 2, y + h}};
        break;
    case kBezier:
    case kCable:
        shape->points = {{x, y + h}, {x + w / 4, y}, {x + w / 2, y + h}, {x + w, y}};
        break;
    case kWire:
        shape->points = {{x, y}, {x + w, y}, {x + w, y + h}};
        break;
    case kTerminal:
    case kMidiShortcut:
    case kSequence:
        shape->points = {{x + w / 2, y + h / 2}, {x + w / 2, y + h / 2}};
        break;
    case kChordGrid:
        shape->points = {{x + 10000, y}, {x + 40000, y + 30000}};
        break;
    case kTablature:
        shape->points = {{x + 20000, y}, {x + 30000, y + 60000}};
        break;
    case kCalendar:
        shape->points = {{x, y}, {x + w, y + h}};
        s.set(kFontSize, 2);
        break;
    default:
        shape->points = {{x, y}, {x + w, y + h}};
        break;
    }
    shape->setApplicability();
    shape->createKindRecord();
    switch (kind) {
    case kText:
        shape->setText(
            utf8ToCp1252("Texte d'essai du rendu, ligne coupée aux espaces\r\net une seconde ligne"));
        break;
    case kDibPicture:
        shape->dib = std::make_unique<saoDib>(samplePicture());
        break;
    case kWire:
    case kCable:
        shape->joinLabels("K" + std::to_string(variant % 100), "X" + std::to_string(variant % 10));
        break;
    case kChordGrid:
    case kTablature: {
        static const std::uint8_t chords[3][6] = {
            {255, 3, 2, 0, 1, 0}, {0, 2, 2, 1, 0, 0}, {5, 7, 7, 6, 5, 5}};
        for (int string = 0; string < kTuningStrings; ++string)
            shape->style.set(kTuning0 + string, chords[variant % 3][string]);
        break;
    }
    case kCalendar:
        if (shape->infoCalendrier) {
            shape->infoCalendrier->year = 1998;
            shape->infoCalendrier->month = 4;
            shape->infoCalendrier->monthCount = 1;
            RDV note;
            note.year = 1998, note.month = 4, note.day = 20;
            note.text = "Livraison";
            note.mark1 = note.hatched = 1;
            shape->infoCalendrier->notes.push_back(note);
        }
        break;
    case kMidiShortcut:
        shape->setText("morceau.mid");
        break;
    case kSequence:
        break;
    default:
        if (variant % 2)
            shape->setText("obj" + std::to_string(variant));
        break;
    }
    rebuildGeometry(*shape);
    return shape;
}

// Appends count objects cycling through the scene kinds, laid out in rows over
// area (document units), each cell about 70 × 60 points.
inline void fillFolio(Folio& folio, int count, const Rect& area) {
    const std::int32_t cellWidth = 70000, cellHeight = 60000;
    const int columns = std::max(1, area.width() / cellWidth);
    const int rows = std::max(1, area.height() / cellHeight);
    const auto& kinds = sceneKinds();
    for (int i = 0; i < count; ++i) {
        const int cell = i % (columns * rows);
        const std::int32_t x = area.left + (cell % columns) * cellWidth + (i / (columns * rows)) % 7 * 1000;
        const std::int32_t y = area.top + (cell / columns) * cellHeight + (i / (columns * rows)) % 5 * 1000;
        folio.append(makeObject(kinds[static_cast<std::size_t>(i) % kinds.size()], x, y, i));
    }
}

} // namespace plexo::scene
