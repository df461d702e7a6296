// How a folio goes onto paper: one printed sheet per page of the folio, the
// pages numbered down the columns first, each sheet drawn at natural size (one
// output unit per point) with the title block at the first page's place. The
// print-out, its preview and the whole-document PDF all draw through here.
#pragma once

#include "shapes/point.h"
#include "shapes/surface.h"

#include <cstdint>
#include <functional>

namespace plexo {

class Folio;

class PrintLayout {
public:
    explicit PrintLayout(const Folio& folio);

    int pagesAcross() const { return across_; }
    int pagesDown() const { return down_; }
    // Sheets printed: pages across × pages down.
    int sheetCount() const { return across_ * down_; }
    bool hasSheet(int n) const { return n >= 1 && n <= sheetCount(); }
    // Column and row (from 0) of sheet n (1-based): down the columns first.
    int columnOf(int n) const { return (n - 1) / down_; }
    int rowOf(int n) const { return (n - 1) % down_; }
    // The top-left corner of sheet n's page on the folio, in document units.
    Point pageOrigin(int n) const;
    // The page in document units and the window the sheet is drawn into, in
    // points: the page size at natural size plus one, so the right and bottom
    // borders still print.
    std::int32_t pageWidth() const { return pageWidth_; }
    std::int32_t pageHeight() const { return pageHeight_; }
    Extent sheetWindow() const;

private:
    int across_;
    int down_;
    std::int32_t pageWidth_;
    std::int32_t pageHeight_;
};

// Asked every few objects while a sheet is drawn, with the number of objects
// drawn so far and the folio's count: false cancels the sheet.
using PrintProgress = std::function<bool(int drawn, int total)>;

struct PrintedSheetOptions {
    bool inverseVideo = false;
    PrintProgress progress; // none: never cancelled
};

// Draws sheet n of the folio onto a surface mapped to the sheet window (see
// PrintLayout::sheetWindow): the title block at the first page's place,
// "#Page" and "#TPages" showing n, then every alive object that meets the page,
// shifted by minus the page origin and clipped to the page. The folio's objects
// must be loaded. Returns false when the progress asked to cancel or n is not a
// sheet of the folio; every object is back where it was either way.
bool renderPrintedSheet(Folio& folio, Surface& surface, int n, const PrintedSheetOptions& options = {});

} // namespace plexo
