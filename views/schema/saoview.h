// The document window of a schéma: one folio of the document at a time in the
// pane, framed by the folio tab strip and the two rulers. It follows the
// document's notifications, keeps the current folio's objects loaded while it
// shows it, and carries out the view's display, zoom and folio commands.
#pragma once

#include "edit/schemaviewcontext.h"
#include "store/schemaobserver.h"

#include <QWidget>

#include <string>

namespace plexo {

class Classeur;
class Folio;
class Pane;
class Regle;
class saoDoc;

class saoView : public QWidget, public SchemaObserver, public SchemaViewContext {
    Q_OBJECT

public:
    explicit saoView(saoDoc& document, QWidget* parent = nullptr);
    ~saoView() override;

    saoDoc& document() const override { return document_; }
    Folio* folio() const override { return folio_; }
    int folioIndex() const { return folioIndex_; }
    // "Schéma".
    std::string typeName() const;
    // A symbol being edited is not editable: no corner buttons, no tab strip toggle.
    bool isEditable() const override;

    Pane* pane() const { return pane_; }
    Classeur* tabStrip() const { return classeur_; }
    Regle* horizontalRuler() const { return horizontalRuler_; }
    Regle* verticalRuler() const { return verticalRuler_; }

    // Makes the folio at index current: the old folio's objects are let go, the
    // new ones loaded, the selection summary refreshed, the view laid out and
    // scrolled to the folio's top-left corner.
    void showFolio(int index) override;
    // -1 previous, +1 next, 0 first, 2 last (clamped).
    void stepFolio(int step);

    bool tabsShown() const override { return tabsShown_; }
    bool rulersShown() const override { return rulersShown_; }
    bool gridShown() const override;
    void setTabsShown(bool shown) override;
    void setRulersShown(bool shown) override;
    void setGridShown(bool shown) override;

    // Zoom commands 760..770.
    void zoomCommand(int command) override;
    int zoomLevel() const;

    // Folio commands: add (706), information (707), delete (708), copy under another name (728).
    void addFolio() override;
    void folioInformation() override;
    void deleteFolio() override;
    void copyFolioUnderAnotherName() override;
    // "Liste des folios" (731): the chosen folio becomes current.
    void folioList() override;
    void cancelConstruction() override;
    bool editSearch() override;
    void centreOn(const Rect& area) override;
    std::optional<std::filesystem::path> chooseJclFile(bool wholeFolder) override;
    std::optional<std::filesystem::path> choosePasteFile() override;
    void openProperties() override;
    int paneZoom() const override { return zoomLevel(); }
    Point pasteOrigin() const override;
    // "Exporter en DXF...": the current folio into a DXF file chosen in a file dialog.
    void exportFolioDxf() override;

    // Document and view settings dialogs (702, 703, 704, 709, 729).
    std::optional<DocumentSizeSettings> askDocumentSize(const DocumentSizeSettings& settings) override;
    std::optional<GridStepSettings> askGrids(const GridStepSettings& steps, bool shownInMm) override;
    std::optional<bool> askWorkUnit(bool millimetres) override;
    std::optional<PageCountSettings> askPageCount(const PageCountSettings& pages) override;
    std::optional<TitleBlockSettings> askTitleBlock(const TitleBlockSettings& settings) override;

    // Printing and presentation.
    void printFolio(bool preview) override;
    void pageSetup() override;
    void togglePresentation() override;
    bool presentationOpen() const override;

    // The status bar's message (the folio's number) and page indicator ("%d/%d").
    std::string statusMessage() const;
    std::string pageIndicator() const;

    // What the document tells its views.
    void areaChanged(Folio& folio, const Rect& area) override;
    void wholeDocumentChanged() override;
    void folioListChanged(Folio* folio, FolioListChange change) override;
    void saveViewState() override;
    void releaseFolio() override;

    // Styles: the size and font dialogs of the style commands, and the
    // selection notification the style palette follows.
    std::optional<int> askOtherSize(OtherSizeKind kind, int initial) override;
    std::optional<FontChoice> askFont(const FontChoice& initial) override;
    void selectionChanged() override;

signals:
    // The document's selection summary was recomputed (the style palette repaints).
    void selectionShown();
    void zoomChanged(int level);
    // One of the frame's popup menus is asked for at a screen position: "MenuFolio"
    // from the tab strip.
    void popupRequested(const QString& name, const QPoint& globalPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void layOut();
    void followPane();
    // Takes the folio at index (clamped) without letting go of the old one.
    void takeFolio(int index);
    void letGoOfFolio();
    void applyStoredViewState();
    void storeViewState();
    int indexOfFolio(const Folio* folio) const;
    // Shows a folio that the document just added or re-filed.
    void showAdded(Folio* added);

    saoDoc& document_;
    Folio* folio_ = nullptr;
    int folioIndex_ = 0;
    Pane* pane_ = nullptr;
    Classeur* classeur_ = nullptr;
    Regle* horizontalRuler_ = nullptr;
    Regle* verticalRuler_ = nullptr;
    bool tabsShown_ = true;
    bool rulersShown_ = true;
    bool stateApplied_ = false;
};

} // namespace plexo
