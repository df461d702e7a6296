// What the schéma view's commands ask of their view: its document and folio,
// its display switches, its zoom and its folio commands. The schéma view
// implements it; the command tests use a plain fake.
#pragma once

#include "edit/documentsettings.h"
#include "shapes/point.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace plexo {

class Folio;
class saoDoc;

// A font as the font dialog shows and returns it.
struct FontChoice {
    std::string face;       // Windows-1252; empty for none
    int size = 9;           // points
    std::uint8_t flags = 0; // kFontBold | kFontItalic | kFontUnderline
};

// The two values the small "DlogOtherSize" dialog asks for.
enum class OtherSizeKind { LineWidth, FontSize };

class SchemaViewContext {
public:
    virtual ~SchemaViewContext() = default;

    virtual saoDoc& document() const = 0;
    virtual Folio* folio() const = 0;
    // A symbol being edited is not editable.
    virtual bool isEditable() const = 0;

    virtual bool tabsShown() const = 0;
    virtual bool rulersShown() const = 0;
    virtual bool gridShown() const = 0;
    virtual void setTabsShown(bool shown) = 0;
    virtual void setRulersShown(bool shown) = 0;
    virtual void setGridShown(bool shown) = 0;

    // Zoom commands 760..770.
    virtual void zoomCommand(int command) = 0;

    virtual void addFolio() = 0;
    virtual void folioInformation() = 0;
    virtual void deleteFolio() = 0;
    virtual void copyFolioUnderAnotherName() = 0;
    virtual void folioList() = 0;
    // Makes the folio at index current (784 "Atteindre le folio correspondant").
    virtual void showFolio(int index) = 0;
    // "Recherche" on the document's search record: true on OK.
    virtual bool editSearch() = 0;
    // Scrolls so that the middle of the document area lies in the middle of the pane.
    virtual void centreOn(const Rect& area) = 0;
    // The JCL file of a reverse-documentation (781), or a file of the folder whose
    // jobs are all drawn (782); none when the dialog is cancelled.
    virtual std::optional<std::filesystem::path> chooseJclFile(bool wholeFolder) = 0;
    // The ".bmp" or ".mid" file to paste (711); none when the dialog is cancelled.
    virtual std::optional<std::filesystem::path> choosePasteFile() = 0;
    // The properties dialog of the single selection (715, Enter, a double-click).
    virtual void openProperties() = 0;

    // The document point under the pane's pixel (10, 10) from its visible top-left
    // corner: where pasted and duplicated objects are placed.
    virtual Point pasteOrigin() const = 0;

    // Drops a drawing in progress in the view's pane (before an undo).
    virtual void cancelConstruction() {}

    // DXF export: writes the current folio as a DXF file the user chooses.
    virtual void exportFolioDxf() {}

    // Document and view settings: each dialog edits a copy of the settings and
    // answers the edited copy on OK, none on "&Annuler".
    virtual std::optional<DocumentSizeSettings> askDocumentSize(const DocumentSizeSettings&) {
        return std::nullopt;
    }
    // The steps in document units, shown first in millimetres or in points.
    virtual std::optional<GridStepSettings> askGrids(const GridStepSettings&, bool /*shownInMm*/) {
        return std::nullopt;
    }
    // True for millimetres.
    virtual std::optional<bool> askWorkUnit(bool /*millimetres*/) { return std::nullopt; }
    virtual std::optional<PageCountSettings> askPageCount(const PageCountSettings&) { return std::nullopt; }
    virtual std::optional<TitleBlockSettings> askTitleBlock(const TitleBlockSettings&) {
        return std::nullopt;
    }

    // Styles: what the style commands and the style palette ask the user.
    // "Epaisseur de trait" (points) or "Taille de caractère" from initial; none
    // when cancelled.
    virtual std::optional<int> askOtherSize(OtherSizeKind kind, int initial) {
        (void)kind, (void)initial;
        return std::nullopt;
    }
    // The system font dialog opened on initial; none when cancelled.
    virtual std::optional<FontChoice> askFont(const FontChoice& initial) {
        (void)initial;
        return std::nullopt;
    }

    // Printing and presentation. The print dialog (or the preview) for the
    // view's folio, after the command committed the last action.
    virtual void printFolio(bool preview) { (void)preview; }
    // The printer setup; the pane then takes the document's page size again.
    virtual void pageSetup() {}
    // Opens the application's presentation window on this view, or closes it.
    virtual void togglePresentation() {}
    virtual bool presentationOpen() const { return false; }

    // Edition: the pane's zoom level (0..8), at which texts refit their outline (710).
    virtual int paneZoom() const { return 5; }
};

} // namespace plexo
