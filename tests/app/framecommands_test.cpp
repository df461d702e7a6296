#include "apptestsupport.h"

#include "app/framecommands.h"
#include "app/therm.h"
#include "midi/view/seqcommands.h"
#include "shell/commandtexts.h"

#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace plexo {
namespace {

using test::RunningApp;

void collect(const QList<QAction*>& actions, std::set<int>& ids) {
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu())
            collect(menu->actions(), ids);
        else if (action->data().isValid())
            ids.insert(action->data().toInt());
    }
}

TEST(FrameCommands, EveryCommandShownHasARow) {
    RunningApp running;
    saoFrame& frame = running.frame();
    std::set<int> shown;
    collect(frame.menuBar()->actions(), shown);
    for (const char* name :
         {"MenuEdition", "MenuEchelle", "MenuFuseau", "MenuFleche1", "MenuFleche2", "MenuSize", "MenuFont"})
        collect(frame.popupMenu(name)->actions(), shown);
    collect(frame.commandsBar()->actions(), shown);
    collect(frame.toolsBar()->actions(), shown);
    for (QToolButton* button : frame.therm()->findChildren<QToolButton*>())
        if (button->defaultAction())
            collect({button->defaultAction()}, shown);
    ASSERT_GT(shown.size(), 190u);
    for (int id : shown) {
        const auto* row = frameCommands().find(id);
        ASSERT_NE(row, nullptr) << id;
        EXPECT_EQ(frame.action(id)->isCheckable(), row->checkable) << id;
    }
}

TEST(FrameCommands, RowsCarryTheMenuTextsAndHints) {
    struct Text {
        int id;
        const char* text;
    } const texts[] = {
        {cmd::kAbout, "&A propos de Plexo..."},
        {cmd::kHelp, "&Documentation...\tF1"},
        {cmd::kReadMe, "&Lisez-moi (informations utiles)..."},
        {cmd::kToggleMessages, "Afficher les mess&ages"},
        {cmd::kToggleSymbols, "&Librairies de symboles"},
        {cmd::kToggleAttributes, "Afficher les attributs de st&yles"},
        {cmd::kZoomFirst, "10%"},
        {cmd::kZoomFirst + 5, "100%"},
        {cmd::kZoomLevelLast, "200%"},
        {cmd::kZoomIn, "(+)\t+"},
        {cmd::kZoomOut, "(-)\t-"},
        {cmd::kTimeZoneFirst, "GMT-11 (Samoa)"},
        {cmd::kTimeZoneLast, "GMT+12 (Auckland)"},
        {cmd::kUndo, "&Annuler\tCtrl+Z"},
        {cmd::kCut, "Co&uper\tCtrl+X"},
        {cmd::kCopy, "&Copier\tCtrl+C"},
        {cmd::kPaste, "Co&ller\tCtrl+V"},
        {cmd::kPasteFromFile, "Coller à partir &de (.bmp et .mid)..."},
        {cmd::kDelete, "Supprimer\tSuppr"},
        {cmd::kDuplicate, "&Dupliquer\tCtrl+D"},
        {cmd::kSelectAll, "&Sélectionner tout\tCtrl+A"},
        {cmd::kFind, "&Rechercher...\tCtrl+F"},
        {cmd::kFindNext, "&Poursuivre la recherche\tF3"},
        {cmd::kFitOutline, "Ajuster le con&tour de l'objet"},
        {cmd::kUseFormatAsModel, "Utiliser le format comme modèle"},
        {cmd::kGoToFolio, "Atteindre le folio correspondant\tCtrl+H"},
        {cmd::kOpenWebSite, "Ouvrir le site internet correspondant"},
        {cmd::kPlayMidi, "Exécuter le fichier Midi\tF5"},
        {cmd::kStopMidi, "Arrêter le fichier Midi\tF6"},
        {cmd::kBringToFront, "&Premier plan"},
        {cmd::kBringForward, "&Rapprocher"},
        {cmd::kSendBackward, "&Eloigner"},
        {cmd::kSendToBack, "&Arrière plan"},
        {cmd::kAlignTop, "En &haut"},
        {cmd::kAlignBottom, "En &bas"},
        {cmd::kAlignLeft, "A &gauche"},
        {cmd::kAlignRight, "A &droite"},
        {cmd::kCentreHorizontally, "&Horizontalement"},
        {cmd::kCentreVertically, "&Verticalement"},
        {cmd::kAlignOnGrid, "&Sur la grille"},
        {cmd::kCentreInFolio, "&Centrer dans le folio"},
        {cmd::kRotateLeft, "Rotation à &gauche"},
        {cmd::kRotateRight, "Rotation à &droite"},
        {cmd::kFlipHorizontal, "Symétrie horizontale"},
        {cmd::kFlipVertical, "Symétrie verticale"},
        {cmd::kProperties, "Pr&opriétés..."},
        {cmd::kDocumentSize, "&Taille du document..."},
        {cmd::kGrids, "&Grilles..."},
        {cmd::kWorkUnit, "&Unité de travail..."},
        {cmd::kSnapToGrid, "Alig&ner sur la grille"},
        {cmd::kShowTerminals, "Afficher les b&ornes"},
        {cmd::kCopyFolio, "&Copier le folio"},
        {cmd::kPasteFolio, "&Coller un folio"},
        {cmd::kSend, "&Envoyer..."},
        {cmd::kPrint, "&Imprimer...\tCtrl+P"},
        {cmd::kPageSetup, "&Mise en page..."},
        {cmd::kShowTabStrip, "Afficher le classeu&r"},
        {cmd::kShowRulers, "Afficher les règ&les"},
        {cmd::kShowGrid, "Afficher la &grille"},
        {cmd::kPresentation, "&Mode présentation\tF9"},
        {cmd::kFolioList, "&Liste des folios...\tF8"},
        {cmd::kOtherFont, "Autre police..."},
        {cmd::kFontSizeFirst, "7"},
        {cmd::kFontSizeLast, "72"},
        {cmd::kOtherFontSize, "&Autre..."},
        {cmd::kFontBold, "&Gras\tCtrl+B"},
        {cmd::kFontItalic, "&Italique\tCtrl+I"},
        {cmd::kFontUnderline, "&Souligné\tCtrl+U"},
        {cmd::kNew, "&Nouveau\tCtrl+N"},
        {cmd::kOpen, "&Ouvrir...\tCtrl+O"},
        {cmd::kSave, "&Sauver\tCtrl+S"},
        {cmd::kClose, "&Fermer"},
        {cmd::kSaveAs, "S&auver sous..."},
        {cmd::kQuit, "&Quitter"},
        {cmd::kCascade, "&Cascade"},
        {cmd::kTile, "&Mosaïque"},
    };
    for (const Text& expected : texts) {
        const auto* row = frameCommands().find(expected.id);
        ASSERT_NE(row, nullptr) << expected.id;
        EXPECT_EQ(row->text, expected.text) << expected.id;
        EXPECT_FALSE(row->hint.empty()) << expected.id;
        if (const CommandInfo* info = commandInfo(expected.id)) {
            EXPECT_EQ(row->hint, info->hint) << expected.id;
        }
    }
    for (int id = cmd::kToolFirst; id <= cmd::kToolLast; ++id) {
        const auto* row = frameCommands().find(id);
        ASSERT_NE(row, nullptr) << id;
        EXPECT_EQ(row->text, commandInfo(id)->text);
        EXPECT_EQ(row->hint, commandInfo(id)->hint);
    }
}

// A view's rows show with the frame's texts: the séquence view takes the zoom
// commands, and plays the séquence with the MIDI shortcut's commands and keys.
TEST(FrameCommands, SequenceViewRowsAreTheZoomAndPlayCommands) {
    std::vector<int> ids;
    for (const auto& row : sequenceCommands().rows()) {
        ids.push_back(row.id);
        const auto* frameRow = frameCommands().find(row.id);
        ASSERT_NE(frameRow, nullptr) << row.id;
        EXPECT_TRUE(row.handler) << row.id;
        if (row.id == cmd::kPlayMidi || row.id == cmd::kStopMidi)
            continue;
        EXPECT_EQ(row.text, frameRow->text) << row.id;
        EXPECT_EQ(row.hint, frameRow->hint) << row.id;
    }
    EXPECT_EQ(ids, (std::vector<int>{760, 761, 762, 763, 764, 765, 766, 767, 768, 769, 770, 787, 788}));
    EXPECT_EQ(sequenceCommands().find(cmd::kPlayMidi)->text, "Jouer\tF5");
    EXPECT_EQ(sequenceCommands().find(cmd::kStopMidi)->text, "Arrêter\tF6");
}

// SVG pictures: drawn at the size asked, not a small bitmap blown up.
TEST(FrameCommands, ToolBarPicturesDrawAtEveryScale) {
    RunningApp running;
    saoFrame& frame = running.frame();
    std::vector<QAction*> pictured;
    for (QToolBar* bar : {frame.commandsBar(), frame.toolsBar()})
        for (QAction* action : bar->actions())
            if (!action->isSeparator())
                pictured.push_back(action);
    for (QToolButton* button : frame.therm()->findChildren<QToolButton*>())
        if (button->defaultAction())
            pictured.push_back(button->defaultAction());
    ASSERT_EQ(pictured.size(), 18u + 20u + 11u);
    for (QAction* action : pictured) {
        const int id = action->data().toInt();
        for (int size : {16, 32, 48}) {
            const QImage image = action->icon().pixmap(size, size).toImage();
            ASSERT_EQ(image.size(), QSize(size, size)) << id;
            int inked = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    inked += qAlpha(image.pixel(x, y)) > 0;
            EXPECT_GT(inked, size * size / 40) << id << " at " << size;
        }
    }
    EXPECT_FALSE(frame.windowIcon().isNull());
}

} // namespace
} // namespace plexo
