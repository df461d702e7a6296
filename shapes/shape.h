// A drawing object of a folio: its kind, points, style, text, angle, stretch and
// kind-specific record, with the undo copy the undo mechanism exchanges.
#pragma once

#include "shapes/infobornesymbole.h"
#include "shapes/infocalendrier.h"
#include "shapes/infofil.h"
#include "shapes/infosequence.h"
#include "shapes/infosymbole.h"
#include "shapes/point.h"
#include "shapes/saodib.h"
#include "shapes/style.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plexo {

class ShapeHolder;

enum ShapeKind : int {
    kLine = 0,
    kRectangle = 1,
    kRoundRect = 2,
    kOval = 3,
    kPolygon = 4,
    kHalfOvalH = 5, // horizontal half-oval
    kHalfOvalV = 6, // vertical half-oval
    kBezier = 7,
    kFreeHand = 8,
    kText = 9,
    kTextZone = 10,   // editable text zone inside a symbol drawing
    kDibPicture = 11, // device-independent bitmap (saoDib)
    kMetafilePicture = 12,
    kBitmapPicture = 13, // device-dependent bitmap
    kTerminal = 14,      // borne
    kUnusedKind = 15,
    kSymbol = 16,     // symbol instance
    kWire = 17,       // fil de commande
    kCable = 18,      // câble de synoptique
    kSymbolText = 19, // editable text of a symbol instance
    kChordGrid = 20,
    kTablature = 21,
    kCalendar = 22,
    kMidiShortcut = 23,
    kSequence = 24, // recorded presentation sequence
};

constexpr int kShapeKindCount = 25;

// The state the undo mechanism exchanges (alive and new are exchanged by it).
struct ShapeUndoCopy {
    std::int32_t kind = kLine;
    Style style;
    Rect outline;
    std::int32_t angle = 0;
    std::vector<Point> points;
    std::string data;
    std::int32_t epx = 0;
    std::int32_t epy = 0;
    // What the property dialogs change in the kind-specific records, so that their
    // "modification" undoes too: a symbol's label texts and private block, a
    // calendar's record.
    std::vector<std::string> labelTexts;
    std::string symbolBlock;
    std::optional<InfoCalendrier> calendar;
};

// What placing a symbol drawing changes and puts back.
struct ShapeGeometryCopy {
    std::int32_t kind = kLine;
    std::int32_t angle = 0;
    std::vector<Point> points;
    std::int32_t epx = 0;
    std::int32_t epy = 0;
};

class Shape {
public:
    // A new object: alive, not new, not selected, not changed, no points, empty
    // text, outline (0, 0, 0, 0), angle 0, no stretch, no kind-specific record and
    // every style item unset.
    explicit Shape(int kind = kLine, ShapeHolder* folio = nullptr);
    // Frees the kind-specific record; a symbol instance lets go of the drawing it
    // acquired (SymbolResolver::releaseSymbol).
    ~Shape();
    Shape(const Shape&) = delete;
    Shape& operator=(const Shape&) = delete;

    bool alive = true;  // deleted objects stay in the list, not alive, until the next undo recording
    bool isNew = false; // created or restored since the last undo recording
    bool selected = false;
    bool changed = false; // touched by the current undoable action
    ShapeUndoCopy undo;
    ShapeGeometryCopy geometryCopy;

    std::int32_t id = 0; // number in the folio, names wire ends while saving
    std::int32_t kind = kLine;
    ShapeHolder* folio = nullptr; // owning folio, not owned
    Rect outline;
    Style style;
    std::int32_t angle = 0; // degrees: 0, 90, 180 or 270
    std::vector<Point> points;
    std::string data;     // text, path or name: Windows-1252 bytes, no terminator
    std::int32_t epx = 0; // stretch of a symbol instance, never negative
    std::int32_t epy = 0;

    // Kind-specific records, owned; only the one of the shape's kind is present.
    std::unique_ptr<InfoSymbole> infoSymbole;       // 16
    std::unique_ptr<InfoFil> infoFil;               // 17, 18
    std::unique_ptr<InfoBorneSymbole> infoBorne;    // 10, 14, 19
    std::unique_ptr<InfoCalendrier> infoCalendrier; // 22
    std::unique_ptr<InfoSequence> infoSequence;     // 24
    std::unique_ptr<saoDib> dib;                    // 11
    std::unique_ptr<ShapePicture> picture;          // 12, 13

    std::int32_t size() const { return static_cast<std::int32_t>(data.size()); }

    // Creates the empty kind-specific record the kind uses, when missing (a
    // calendar gets InfoCalendrier::forToday()). Pictures are left to their creator.
    void createKindRecord();
    // Frees every kind-specific record (releasing an acquired symbol drawing).
    void destroyKindRecord();

    // Rebuilds the style's unset and indeterminate flags for the kind.
    void setApplicability() { plexo::setApplicability(style, kind); }

    void setText(const char* bytes, std::int32_t length);
    void setText(std::string_view text) { data.assign(text.data(), text.size()); }
    // The text before and after the first tab (wire end labels); without a tab
    // everything is the first label.
    std::pair<std::string, std::string> splitLabels() const;
    void joinLabels(std::string_view first, std::string_view second);

    // The fields the undo copy holds, read and put back as one value.
    ShapeUndoCopy state() const;
    void restoreState(const ShapeUndoCopy& state);
    void takeUndoCopy() { undo = state(); }
    void exchangeWithUndoCopy();
    void takeGeometryCopy();
    void restoreGeometryCopy();

    // Kinds 1, 2, 3, 9, 11, 12, 13 and 22 keep their first point top-left and
    // their second bottom-right.
    static bool keepsNormalisedCorners(int kind);
    void normaliseCorners();

    // False when both the outline's width and height are at most twice the
    // document's secondary grid step (a click rather than a drag).
    bool isLargeEnough(std::int32_t secondaryGridStep) const;

    // Negates the ids of the object, of its labels' shapes and its wire end ids,
    // so that duplicated objects link only among themselves.
    void negateIds();

    bool isWire() const { return kind == kWire || kind == kCable; }
};

} // namespace plexo
