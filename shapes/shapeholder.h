// What a drawing object may ask of the folio that holds it: the grid and page
// settings of its document, the folio's pages, the title block's placement, the
// identification shown in title-block fields and its fellow objects. The folio
// (store/) implements it, so that the shape code never reaches the document.
#pragma once

#include "shapes/point.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plexo {

class Shape;

// The document settings the geometry reads (grid steps in document units).
struct GridSettings {
    std::int32_t horizontal = 28346; // 10 mm
    std::int32_t vertical = 28346;   // 10 mm
    std::int32_t secondary = 2834;   // 1 mm
    bool unitIsMm = true;
    bool snapToGrid = true; // "Alig&ner sur la grille"
};

// Where the document puts its title block on each page, and the page size it
// fits it in (document units; 0 when the document has no page size).
struct TitleBlockPlacement {
    int corner = 0; // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    bool rotated = false;
    std::int32_t pageWidth = 0;
    std::int32_t pageHeight = 0;
};

// The identification texts title-block fields show ("#Folio", "#Titre1"...).
enum class FolioField { Number, Date, Title1, Title2, Title3, Author, Object, DocumentTitle, DocumentPath };

class ShapeHolder {
public:
    // The grid of the holder's document (the defaults without a document).
    virtual GridSettings gridSettings() const = 0;
    // The title block placement of the holder's document (corner 0, not turned,
    // no page size without a document).
    virtual TitleBlockPlacement titleBlockPlacement() const = 0;
    // The 1-based page (across, then down) holding p.
    virtual int pageAt(Point p) const = 0;
    virtual std::int32_t pageCount() const = 0;
    // A field's text, Windows-1252; nothing when the field has no source (a
    // document field of a folio outside a document).
    virtual std::optional<std::string> fieldText(FolioField field) const = 0;
    // The objects of the holder, in drawing order.
    virtual const std::vector<std::unique_ptr<Shape>>& heldShapes() const = 0;

protected:
    ~ShapeHolder() = default;
};

} // namespace plexo
