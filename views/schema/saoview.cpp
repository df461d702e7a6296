#include "views/schema/saoview.h"

#include "base/textcodec.h"
#include "base/userinterface.h"
#include "edit/calendarproperties.h"
#include "edit/pastefile.h"
#include "edit/shapeproperties.h"
#include "edit/symbolproperties.h"
#include "edit/viewlayout.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "store/edittransaction.h"
#include "store/folio.h"
#include "store/foliorenderer.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "views/dialogs/dlogcartouche.h"
#include "views/dialogs/dlogcalendrier.h"
#include "views/dialogs/dlogfil.h"
#include "views/dialogs/dlogfind.h"
#include "views/dialogs/dlogfolio.h"
#include "views/dialogs/dloggrilles.h"
#include "views/dialogs/dloglistefolios.h"
#include "views/dialogs/dlognbpages.h"
#include "views/dialogs/dlogtailledoc.h"
#include "views/dialogs/dlogothersize.h"
#include "views/dialogs/dlogmidi.h"
#include "views/dialogs/dlogshape.h"
#include "views/dialogs/dlogsymbole.h"
#include "views/dialogs/dlogtexte.h"
#include "views/dialogs/dlogunite.h"
#include "views/dxfexport.h"
#include "views/present/presentview.h"
#include "views/print/printout.h"
#include "views/print/printstrings.h"
#include "views/print/sheetpainter.h"
#include "views/schema/classeur.h"
#include "views/schema/pane.h"
#include "views/schema/panetools.h"
#include "views/schema/regle.h"
#include "views/schema/viewstrings.h"
#include "views/tabcorner.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace plexo {

namespace {

QRect toQRect(const ChildRect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}

FolioDialog folioDialog(QWidget* parent) {
    return [parent](Folio& folio, FolioDialogKind kind) { return DlogFolio::edit(folio, kind, parent); };
}

} // namespace

saoView::saoView(saoDoc& document, QWidget* parent) : QWidget(parent), document_(document) {
    pane_ = new Pane(this);
    classeur_ = new Classeur(
        [this] {
            std::vector<std::string> labels;
            for (const auto& folio : document_.folios)
                labels.push_back(folio->number);
            return labels;
        },
        this);
    horizontalRuler_ = new Regle(RulerOrientation::Horizontal, this);
    verticalRuler_ = new Regle(RulerOrientation::Vertical, this);
    connect(pane_, &Pane::viewChanged, this, &saoView::followPane);
    connect(pane_, &Pane::folioStepRequested, this, &saoView::stepFolio);
    connect(pane_, &Pane::zoomChanged, this, &saoView::zoomChanged);
    connect(&pane_->tools(), &PaneTools::popupRequested, this, &saoView::popupRequested);
    connect(&pane_->tools(), &PaneTools::propertiesRequested, this, &saoView::openProperties);
    connect(classeur_, &Classeur::tabChosen, this, &saoView::showFolio);
    connect(classeur_, &Classeur::informationRequested, this, &saoView::folioInformation);
    connect(classeur_, &Classeur::menuRequested, this,
            [this](const QPoint& at) { emit popupRequested(QStringLiteral("MenuFolio"), at); });
    document_.addObserver(this);
    takeFolio(0);
    layOut();
}

saoView::~saoView() {
    PresentView::viewClosing(*this);
    document_.removeObserver(this);
    letGoOfFolio();
}

std::string saoView::typeName() const {
    return "Schéma";
}

bool saoView::isEditable() const {
    return !document_.isSymbolDocument();
}

int saoView::indexOfFolio(const Folio* folio) const {
    return folio ? document_.indexOf(folio) : -1;
}

void saoView::takeFolio(int index) {
    const int count = static_cast<int>(document_.folios.size());
    folioIndex_ = std::clamp(index, 0, std::max(count - 1, 0));
    folio_ = document_.folioAt(folioIndex_);
    if (folio_)
        folio_->acquire();
    classeur_->setCurrent(folioIndex_);
    pane_->showFolio(folio_);
}

void saoView::letGoOfFolio() {
    if (!folio_)
        return;
    Folio* folio = folio_;
    folio_ = nullptr;
    pane_->showFolio(nullptr);
    folio->release(true);
}

void saoView::showFolio(int index) {
    if (index < 0 || index >= static_cast<int>(document_.folios.size()))
        return;
    if (document_.folioAt(index) == folio_)
        return;
    letGoOfFolio();
    takeFolio(index);
    refreshSelectionSummary(document_);
    layOut();
    pane_->scrollToOrigin();
    update();
}

void saoView::stepFolio(int step) {
    const int last = static_cast<int>(document_.folios.size()) - 1;
    int index = folioIndex_;
    switch (step) {
    case -1:
        index = std::max(0, folioIndex_ - 1);
        break;
    case 1:
        index = std::min(last, folioIndex_ + 1);
        break;
    case 0:
        index = 0;
        break;
    default:
        index = last;
        break;
    }
    if (index != folioIndex_)
        showFolio(index);
}

bool saoView::gridShown() const {
    return pane_->gridVisible();
}

void saoView::setTabsShown(bool shown) {
    if (shown == tabsShown_)
        return;
    tabsShown_ = shown;
    layOut();
    update();
}

void saoView::setRulersShown(bool shown) {
    if (shown == rulersShown_)
        return;
    rulersShown_ = shown;
    layOut();
    update();
}

void saoView::setGridShown(bool shown) {
    pane_->setGridVisible(shown);
}

void saoView::zoomCommand(int command) {
    pane_->setZoom(zoomLevelForCommand(command, pane_->zoom()));
    pane_->setFocus();
}

int saoView::zoomLevel() const {
    return pane_->zoom();
}

void saoView::layOut() {
    const ViewLayout layout = computeViewLayout(width(), height(), tabsShown_, rulersShown_);
    classeur_->setGeometry(toQRect(layout.tabStrip));
    classeur_->setVisible(!layout.tabStrip.isEmpty());
    horizontalRuler_->setGeometry(toQRect(layout.horizontalRuler));
    horizontalRuler_->setVisible(!layout.horizontalRuler.isEmpty());
    verticalRuler_->setGeometry(toQRect(layout.verticalRuler));
    verticalRuler_->setVisible(!layout.verticalRuler.isEmpty());
    pane_->setGeometry(toQRect(layout.pane));
    pane_->setBandsShown(tabsShown_, rulersShown_);
    followPane();
}

void saoView::followPane() {
    const Viewport& view = pane_->view();
    const Rect visible = view.visibleRegion();
    const Rect extent = view.layout().folioExtent;
    horizontalRuler_->follow(view.zoom(), extent.right, visible.left, visible.right, view.originX());
    verticalRuler_->follow(view.zoom(), extent.bottom, visible.top, visible.bottom, view.originY());
}

void saoView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!stateApplied_) {
        stateApplied_ = true;
        applyStoredViewState();
    }
    layOut();
    update();
}

void saoView::applyStoredViewState() {
    if (!document_.headerLoaded)
        return;
    tabsShown_ = document_.showTabs != 0;
    rulersShown_ = document_.showRulers != 0;
    pane_->setGridVisible(document_.showGrid != 0);
    pane_->setZoom(document_.zoomIndex);
    // The window's stored placement, when the document has one and the window is a
    // child of the frame's document area.
    QWidget* window = parentWidget();
    if (window && window->inherits("QMdiSubWindow") && document_.viewWidth > 0 && document_.viewHeight > 0) {
        window->showNormal();
        window->setGeometry(document_.viewX, document_.viewY, document_.viewWidth, document_.viewHeight);
    }
}

void saoView::storeViewState() {
    const QWidget* window = parentWidget() ? parentWidget() : this;
    document_.viewX = window->x();
    document_.viewY = window->y();
    document_.viewWidth = window->width();
    document_.viewHeight = window->height();
    document_.showTabs = tabsShown_ ? 1 : 0;
    document_.showRulers = rulersShown_ ? 1 : 0;
    document_.showGrid = pane_->gridVisible() ? 1 : 0;
    document_.zoomIndex = static_cast<std::uint8_t>(pane_->zoom());
}

void saoView::paintEvent(QPaintEvent*) {
    if (!tabsShown_ || !isEditable())
        return;
    QPainter painter(this);
    paintTabCorner(painter, palette());
}

void saoView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !tabsShown_ || !isEditable() || at.y() >= kTabStripHeight)
        return;
    // One step per click.
    switch (cornerButtonAt(at.x())) {
    case 0:
        classeur_->scrollBy(kCornerScrollStep);
        break;
    case 1:
        classeur_->scrollBy(-kCornerScrollStep);
        break;
    default:
        break;
    }
}

void saoView::showAdded(Folio* added) {
    const int index = indexOfFolio(added);
    if (index >= 0)
        showFolio(index);
}

void saoView::addFolio() {
    showAdded(document_.addFolio(folioDialog(this)));
}

void saoView::folioInformation() {
    if (folio_)
        document_.editFolioInformation(*folio_, folioDialog(this));
}

void saoView::deleteFolio() {
    if (folio_)
        document_.deleteFolio(*folio_);
}

void saoView::copyFolioUnderAnotherName() {
    if (folio_)
        showAdded(document_.copyFolioUnderAnotherName(*folio_, folioDialog(this)));
}

bool saoView::editSearch() {
    return DlogFind::edit(document_.search, this);
}

void saoView::centreOn(const Rect& area) {
    pane_->centreOn(centreOf(area));
}

std::optional<std::filesystem::path> saoView::chooseJclFile(bool wholeFolder) {
    // Each dialog starts from the file chosen the last time.
    static QString last[2];
    QString& previous = last[wholeFolder ? 1 : 0];
    const QString title =
        QString::fromUtf8(wholeFolder ? "Rétro-documentation de JCL(s)" : "Rétro-documentation de JCL");
    const QString chosen =
        QFileDialog::getOpenFileName(this, title, previous, QString::fromUtf8("Jobs (*.jcl)"));
    if (chosen.isEmpty())
        return std::nullopt;
    previous = chosen;
    return std::filesystem::path(chosen.toStdString());
}

void saoView::exportFolioDxf() {
    if (!folio_)
        return;
    const std::filesystem::path offered = suggestedDxfPath(document_.path(), folio_->number);
    QString chosen = QFileDialog::getSaveFileName(this, QString::fromUtf8("Exporter en DXF"),
                                                  QString::fromStdString(offered.string()),
                                                  QString::fromUtf8("Fichiers DXF (*.dxf)"));
    if (chosen.isEmpty())
        return;
    if (!chosen.endsWith(QStringLiteral(".dxf"), Qt::CaseInsensitive))
        chosen += QStringLiteral(".dxf");
    plexo::exportFolioDxf(*folio_, std::filesystem::path(chosen.toStdString()));
}

Point saoView::pasteOrigin() const {
    // Ten pixels inside the pane's visible top-left corner.
    return pane_->view().toDocument(10, 10);
}

std::optional<std::filesystem::path> saoView::choosePasteFile() {
    const QString chosen = QFileDialog::getOpenFileName(this, QString::fromUtf8("Coller à partir de"),
                                                        QString(), QString::fromUtf8(kPasteFileFilter));
    if (chosen.isEmpty())
        return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

// Properties of the single selection, by its kind: each dialog writes only that
// object, as one "modification".
void saoView::openProperties() {
    Shape* single = document_.selection.single;
    if (!single || !folio_ || document_.selection.folio != folio_)
        return;
    Folio& folio = *folio_;
    switch (single->kind) {
    case kText:
        if (const std::optional<std::string> text = DlogTexte::ask(single->data, this)) {
            EditTransaction edit(document_, folio, kUndoModification);
            edit.modify(*single, [&](Shape& shape) { shape.data = *text; });
            edit.finish();
        }
        break;
    case kSymbol:
        if (const auto values = DlogSymbole::ask(loadSymbolProperties(*single), this))
            applySymbolProperties(document_, folio, *single, *values);
        break;
    case kWire:
    case kCable:
        if (const auto values = DlogFil::ask(loadWireProperties(*single), this))
            applyWireProperties(document_, folio, *single, *values);
        break;
    case kCalendar:
        if (single->infoCalendrier)
            if (const auto record = DlogCalendrier::ask(*single->infoCalendrier, this))
                applyCalendarProperties(document_, folio, *single, *record);
        break;
    case kMidiShortcut:
        if (const auto values = DlogMidi::ask(loadMidiProperties(*single), this))
            applyMidiProperties(document_, folio, *single, *values);
        break;
    case kSequence:
        userInterface().messageBox(viewstr::kSequenceNotEditable, viewstr::kSequenceCaption,
                                   MessageIcon::Information);
        break;
    default:
        if (const auto values = DlogShape::ask(*single, document_.unitIsMm != 0, this))
            applyObjectProperties(document_, folio, *single, *values);
        break;
    }
}

void saoView::cancelConstruction() {
    pane_->tools().cancel();
}

void saoView::folioList() {
    const int index = DlogListeFolios::choose(document_, folioIndex_, this);
    if (index >= 0)
        showFolio(index);
}

std::optional<DocumentSizeSettings> saoView::askDocumentSize(const DocumentSizeSettings& settings) {
    return DlogTailleDoc::ask(settings, this);
}

std::optional<GridStepSettings> saoView::askGrids(const GridStepSettings& steps, bool shownInMm) {
    return DlogGrilles::ask(steps, shownInMm, this);
}

std::optional<bool> saoView::askWorkUnit(bool millimetres) {
    return DlogUnite::ask(millimetres, this);
}

std::optional<PageCountSettings> saoView::askPageCount(const PageCountSettings& pages) {
    return DlogNbPages::ask(pages, this);
}

std::optional<TitleBlockSettings> saoView::askTitleBlock(const TitleBlockSettings& settings) {
    return DlogCartouche::ask(settings, this);
}

std::string saoView::statusMessage() const {
    return folio_ ? cp1252ToUtf8(folio_->number) : std::string();
}

std::string saoView::pageIndicator() const {
    return std::to_string(folioIndex_ + 1) + "/" + std::to_string(document_.folios.size());
}

void saoView::areaChanged(Folio& folio, const Rect& area) {
    if (&folio == folio_)
        pane_->repaintArea(area);
}

void saoView::wholeDocumentChanged() {
    layOut();
    pane_->repaintAll();
    update();
}

void saoView::folioListChanged(Folio* folio, FolioListChange change) {
    switch (change) {
    case kFolioAdded:
    case kFolioResorted:
    case kFolioPagesChanged:
        folioIndex_ = std::max(0, indexOfFolio(folio_));
        classeur_->setCurrent(folioIndex_);
        classeur_->update();
        if (change != kFolioAdded && folio == folio_) {
            // The number or the page count changed: the tab and the folio's extent too.
            layOut();
            pane_->repaintAll();
        }
        refreshSelectionSummary(document_);
        break;
    case kFolioDeleted:
        // The folio is about to go: let go of it first.
        if (folio == folio_)
            letGoOfFolio();
        break;
    case kFolioRemoved: {
        // Keep the folio shown when it is still there, else take the one now at the index.
        if (folio_)
            folioIndex_ = indexOfFolio(folio_);
        else
            takeFolio(folioIndex_);
        classeur_->setCurrent(folioIndex_);
        refreshSelectionSummary(document_);
        layOut();
        pane_->scrollToOrigin();
        update();
        classeur_->update();
        break;
    }
    }
}

void saoView::saveViewState() {
    storeViewState();
}

void saoView::releaseFolio() {
    letGoOfFolio();
}

// Styles.

std::optional<int> saoView::askOtherSize(OtherSizeKind kind, int initial) {
    return DlogOtherSize::ask(kind, initial, this);
}

std::optional<FontChoice> saoView::askFont(const FontChoice& initial) {
    // The dialog opens on a font of the common face whose height is the size in
    // pixels at 96 dots an inch (4/3 pixels a point).
    QFont font(QString::fromStdString(cp1252ToUtf8(initial.face)));
    font.setPixelSize(std::max(1, initial.size * 4 / 3));
    font.setWeight((initial.flags & kFontBold) ? QFont::Bold : QFont::Normal);
    font.setItalic((initial.flags & kFontItalic) != 0);
    font.setUnderline((initial.flags & kFontUnderline) != 0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this, QString::fromUtf8("Autre police"));
    if (!ok)
        return std::nullopt;
    FontChoice choice;
    choice.face = utf8ToCp1252(chosen.family().toStdString());
    // Tenths of points, then whole points; a font still sized in pixels (the
    // size left as it was) converts back at 3/4 of a point a pixel.
    choice.size = chosen.pointSizeF() > 0 ? static_cast<int>(std::lround(chosen.pointSizeF() * 10)) / 10
                                          : chosen.pixelSize() * 3 / 4;
    if (choice.size <= 0)
        choice.size = initial.size;
    choice.flags = static_cast<std::uint8_t>((chosen.weight() > 699 ? kFontBold : 0) |
                                             (chosen.italic() ? kFontItalic : 0) |
                                             (chosen.underline() ? kFontUnderline : 0));
    return choice;
}

void saoView::selectionChanged() {
    emit selectionShown();
}

// ---------------------------------------------------------------------------
// Printing and presentation.

void saoView::printFolio(bool preview) {
    if (!folio_)
        return;
    QPrinter& printer = applicationPrinter();
    if (!printer.isValid()) {
        userInterface().messageBox(printstrings::kNoPrinter, printstrings::kProgressCaption, MessageIcon::Error);
        return;
    }
    if (!printerPaperChosen())
        takeSheetPaper(printer, *folio_);
    saoPrintOut printOut(document_.title(), *folio_);
    if (preview) {
        printer.setPrintRange(QPrinter::AllPages);
        QPrintPreviewDialog dialog(&printer, this);
        dialog.setWindowTitle(QString::fromUtf8(printstrings::kPreviewTitle));
        connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                [&printOut, &dialog](QPrinter* target) { printOut.print(*target, &dialog); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    frenchPrintDialog(dialog);
    dialog.setMinMax(printOut.firstPage(), printOut.lastPage());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printOut.print(printer, this);
}

void saoView::pageSetup() {
    QPageSetupDialog dialog(&applicationPrinter(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    setPrinterPaperChosen(true);
    // The pane takes the document's page size again.
    document_.computeDocumentSize();
    pane_->refreshLayout();
    layOut();
    update();
}

void saoView::togglePresentation() {
    PresentView::toggle(*this);
}

bool saoView::presentationOpen() const {
    return PresentView::isOpen();
}

} // namespace plexo
