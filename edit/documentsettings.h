// The document and folio settings that the settings dialogs edit, as plain
// values: each is loaded from the document, checked, and applied back on OK.
// Applying writes only what differs, so that OK without an edit leaves the
// document untouched (not even marked modified); Cancel never calls apply.
#pragma once

#include "store/saodoc.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plexo {

class Folio;

// "Taille du document": paper A4..A0, scale and orientation.
constexpr int kPaperSizeCount = 5;
constexpr int kScaleCount = 11;
extern const char* const kPaperSizeNames[kPaperSizeCount]; // "A4 (210x297)" ...
extern const char* const kScaleNames[kScaleCount];         // "10%" ... "400%"

struct DocumentSizeSettings {
    std::uint8_t paperSize = 0;  // 0 A4 .. 4 A0
    std::uint8_t scaleIndex = 6; // index into kScaleNames
    bool portrait = true;
    bool operator==(const DocumentSizeSettings&) const = default;
};

DocumentSizeSettings documentSizeOf(const saoDoc& document);
// Stores the three values when they differ: the document is marked modified,
// recomputes its page size and every view repaints. True when it changed.
bool applyDocumentSize(saoDoc& document, const DocumentSizeSettings& settings);

// "Grilles magnétiques": the three steps in document units.
struct GridStepSettings {
    std::int32_t horizontal = 0;
    std::int32_t vertical = 0;
    std::int32_t secondary = 0;
    bool operator==(const GridStepSettings&) const = default;
};

GridStepSettings gridsOf(const saoDoc& document);
// A step of 0 or less becomes 1.
GridStepSettings validGrids(GridStepSettings grids);
// Stores the valid steps when they differ: modified, every view repaints.
bool applyGrids(saoDoc& document, const GridStepSettings& grids);

// "Unité de travail": true for millimetres. Marks the document modified when it changes.
bool applyWorkUnit(saoDoc& document, bool millimetres);

// "Nombre de pages du folio": pages across and down.
struct PageCountSettings {
    std::uint8_t across = 1;
    std::uint8_t down = 1;
    bool operator==(const PageCountSettings&) const = default;
};

// The highest page count a folio takes each way.
constexpr int kMaxFolioPages = 40;

PageCountSettings pageCountOf(const Folio& folio);
// An entered count as the folio keeps it: the number is stored in a byte (taken
// modulo 256), then above 40 becomes 40 and 0 becomes 1. Text that is not a
// number counts as 0.
std::uint8_t pageCountFromText(std::string_view text);
// Stores the counts when they differ; the document re-files the folio and tells
// its views (page count changed), and is marked modified: the counts are saved
// in the folio's header.
bool applyPageCount(saoDoc& document, Folio& folio, const PageCountSettings& pages);

// "Cartouche": the library symbol used as title block, its corner and turn.
struct TitleBlockSettings {
    std::string name;        // Windows-1252; empty: no title block
    std::uint8_t corner = 0; // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    bool rotated = false;    // turned by 90 degrees
    bool operator==(const TitleBlockSettings&) const = default;
};

// The longest name the document's header keeps (its field ends with a NUL): a
// longer name would come back cut after a save, naming no symbol.
constexpr int kTitleBlockNameLength = kTitleBlockNameSize - 1;
constexpr const char* kTitleBlockNameTooLong = "Le nom du cartouche ne doit pas dépasser 49 caractères.";
constexpr const char* kTitleBlockCaption = "Cartouche";

TitleBlockSettings titleBlockOf(const saoDoc& document);
// The French message that refuses the settings, none when they can be stored.
std::optional<std::string> titleBlockProblem(const TitleBlockSettings& settings);
// Stores valid settings when they differ: modified, page size recomputed, the
// title block symbol loaded again by name (none for an empty name, so that no
// folio shows it any more), every view repaints. False when nothing changed or
// the settings were refused.
bool applyTitleBlock(saoDoc& document, const TitleBlockSettings& settings);

} // namespace plexo
