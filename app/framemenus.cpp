// The frame's menus as data: the popups other windows show, the submenus and
// the menu bar, each a list of command ids of the frame's command table.
#include "app/saoframe.h"

#include "app/commandactions.h"
#include "app/framemenus.h"
#include "app/saoapp.h"
#include "base/textcodec.h"
#include "shapes/fontlist.h"
#include "shell/commandids.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace plexo {
namespace {

using namespace cmd;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<MenuEntry> range(int first, int last) {
    std::vector<MenuEntry> entries;
    for (int id = first; id <= last; ++id)
        entries.emplace_back(id);
    return entries;
}

std::vector<MenuEntry> entries(const std::vector<int>& ids) {
    return {ids.begin(), ids.end()};
}

// A run of command ids followed by more entries.
std::vector<MenuEntry> then(std::vector<MenuEntry> list, std::initializer_list<MenuEntry> more) {
    list.insert(list.end(), more.begin(), more.end());
    return list;
}

// clang-format off
// The popup menus kept for the other windows ("MenuFont" is filled from the font list).
std::vector<MenuSpec> popupMenus() {
    return {
        {"MenuEdition", "Edition",
         {kCut, kCopy, kPaste, kDelete, kDuplicate, 0, kProperties, kFitOutline, kUseFormatAsModel, 0,
          kRotateLeft, kRotateRight, kFlipHorizontal, kFlipVertical}},
        {"MenuFolio", "&Folio",
         {kAddFolio, kFolioInfo, kDeleteFolio, kCopyFolioAs, kCopyFolio, kPasteFolio, kFolioList, kTitleBlock,
          kPageCount}},
        {"MenuEchelle", "&Echelle", then(range(kZoomFirst, kZoomLevelLast), {0, kZoomIn, kZoomOut})},
        {"MenuFuseau", "&Fuseau horaire", range(kTimeZoneFirst, kTimeZoneLast)},
        {"MenuFleche1", "Flèche de &début", range(kStartArrowFirst, kStartArrowFirst + kArrowCount - 1)},
        {"MenuFleche2", "Flèche de &fin", range(kEndArrowFirst, kEndArrowFirst + kArrowCount - 1)},
        {"MenuSize", "&Taille", then(range(kFontSizeFirst, kFontSizeLast), {0, kOtherFontSize})},
        {"MenuFont", "&Police", {}},
    };
}

// Submenus of the menu bar's menus.
std::vector<MenuSpec> subMenus() {
    return {
        {"menuPlan", "&Plan", {kBringToFront, kBringForward, kSendBackward, kSendToBack}},
        {"menuAlignement", "Ali&gnement",
         {kAlignTop, kAlignBottom, kAlignLeft, kAlignRight, kCentreHorizontally, kCentreVertically, 0,
          kAlignOnGrid, kCentreInFolio}},
        {"menuEpaisseur", "&Epaisseur du trait",
         then(range(kLineWidthFirst, kOtherLineWidth), {0, kLineSolid, kLineDashed, kLineDotted})},
        {"menuStyleCaracteres", "St&yle de caractères",
         {kFontNormal, kFontBold, kFontItalic, kFontUnderline}},
        {"menuRetro", "Rétro-&documentation", {kJclReverse, kJclReverseSet}},
    };
}

std::vector<MenuEntry> windowMenuCommands() {
    return {kNewWindow, kCascade, kTile, kArrangeIcons, kCloseAll, kNextWindow};
}

// The menu bar, in order. The recent files go between the two separators before "&Quitter".
std::vector<MenuSpec> barMenus() {
    return {
        {"menuFichier", "&Fichier",
         {kNew, kOpen, kClose, kSave, kSaveAs, kExportDxf, 0, kPrint, kPrintPreview, kPageSetup, 0, kSend, 0, 0, kQuit}},
        {"menuEdition", "&Edition",
         {kUndo, 0,
          kCut, kCopy, kPaste, kPasteFromFile, kDelete, kDuplicate, 0,
          kSelectAll, kFind, kFindNext, 0,
          kProperties, kFitOutline, kUseFormatAsModel, 0,
          "menuPlan", "menuAlignement", kRotateLeft, kRotateRight, kFlipHorizontal, kFlipVertical, 0,
          "menuEpaisseur", "MenuFleche1", "MenuFleche2", "MenuFont", "MenuSize", "menuStyleCaracteres", 0,
          kGoToFolio, kOpenWebSite, kPlayMidi, kStopMidi}},
        {"menuDocument", "&Document",
         {kDocumentSize, kGrids, kWorkUnit, kSnapToGrid, kShowTerminals, 0,
          kAddFolio, kFolioInfo, kDeleteFolio, kCopyFolioAs, kFolioList, kPageCount, kTitleBlock, 0,
          kCopyFolio, kPasteFolio, 0,
          "menuRetro", 0,
          kShowTabStrip, kShowRulers, kShowGrid, 0,
          kPresentation}},
        {"menuOutils", "&Outils", entries(toolsBarCommands())},
        // The tool bars' and the status bar's toggles join this menu once they exist.
        {"menuAffichage", "&Affichage",
         {kToggleMessages, kToggleSymbols, kToggleAttributes, 0, "MenuEchelle", "MenuFuseau"}},
        {"menuFenetre", "Fe&nêtre", windowMenuCommands()},
        {"menuAide", "&?", {kHelp, kReadMe, 0, kAbout}},
    };
}
// clang-format on

} // namespace

std::vector<MenuSpec> frameMenus() {
    auto all = popupMenus();
    for (auto list : {subMenus(), barMenus()})
        all.insert(all.end(), list.begin(), list.end());
    return all;
}

QAction* saoFrame::action(int id) const {
    return commands_->find(id);
}

QMenu* saoFrame::popupMenu(const QString& name) const {
    return commands_->menu(name);
}

void saoFrame::createPopupMenus() {
    for (const MenuSpec& spec : popupMenus())
        commands_->buildMenu(spec, this);
}

void saoFrame::createMenus() {
    for (const MenuSpec& spec : subMenus())
        commands_->buildMenu(spec, this);
    for (const MenuSpec& spec : barMenus())
        menuBar()->addMenu(commands_->buildMenu(spec, menuBar()));
    fileMenu_ = commands_->menu("menuFichier");
    const auto fileActions = fileMenu_->actions();
    recentSeparator_ = fileActions.value(fileActions.size() - 2);
    windowMenu_ = commands_->menu("menuFenetre");
    connect(windowMenu_, &QMenu::aboutToShow, this, &saoFrame::fillWindowMenu);
}

void saoFrame::fillWindowMenu() {
    windowMenu_->clear();
    commands_->fillMenu(windowMenu_, windowMenuCommands());
    const auto windows = mdiArea_->subWindowList();
    if (windows.isEmpty())
        return;
    windowMenu_->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle());
        QAction* entry = windowMenu_->addAction(text);
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, window] { mdiArea_->setActiveSubWindow(window); });
    }
}

void saoFrame::rebuildRecentFilesMenu() {
    for (int id = cmd::kRecentFirst; id <= cmd::kRecentLast; ++id)
        commands_->forget(id);
    const auto& entries = app_.recentFiles().entries();
    for (int i = 0; i < static_cast<int>(entries.size()) && cmd::kRecentFirst + i <= cmd::kRecentLast; ++i) {
        QAction* entry = commands_->action(cmd::kRecentFirst + i);
        QString path = utf8(entries[static_cast<std::size_t>(i)]);
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace('&', "&&")));
        fileMenu_->insertAction(recentSeparator_, entry);
    }
}

void saoFrame::rebuildFontMenu() {
    QMenu* menu = popupMenu("MenuFont");
    menu->clear();
    for (int id = cmd::kFontFirst; id < cmd::kFontFirst + cmd::kFontMenuCount; ++id)
        commands_->forget(id);
    commands_->forget(cmd::kOtherFont);
    const FontList& fonts = fontList();
    for (int i = 0; i < fonts.size() && i < cmd::kFontMenuCount; ++i) {
        QAction* face = commands_->action(cmd::kFontFirst + i);
        face->setText(utf8(cp1252ToUtf8(*fonts.fontNameByIndex(i))).replace('&', "&&"));
        menu->addAction(face);
    }
    menu->addSeparator();
    menu->addAction(commands_->action(cmd::kOtherFont));
}

} // namespace plexo
