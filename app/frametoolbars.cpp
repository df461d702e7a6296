// The frame's tool bars and status bar.
#include "app/saoframe.h"

#include "app/commandactions.h"
#include "app/framemenus.h"
#include "app/therm.h"
#include "shell/commandids.h"
#include "shell/statustexts.h"

#include <QLabel>
#include <QMenu>
#include <QToolBar>

namespace plexo {

using namespace cmd;

// clang-format off
std::vector<int> commandsBarCommands() {
    return {kNew, kOpen, kSave, 0,
            kPrint, 0,
            kFind, 0,
            kCut, kCopy, kPaste, 0,
            kUndo, 0,
            kBringToFront, kBringForward, kSendBackward, kSendToBack, 0,
            kRotateLeft, kRotateRight, 0,
            kFlipHorizontal, kFlipVertical, 0,
            kAlignOnGrid};
}

std::vector<int> toolsBarCommands() {
    return {kToolSelection, kToolAddLines, kToolMagnifier, 0,
            kToolLine, kToolRectangle, kToolRoundRectangle, kToolOval, kToolPolygon, kToolHalfOvalHorizontal,
            kToolHalfOvalVertical, kToolBezier, kToolFreehand, kToolText, 0,
            kToolControlWire, kToolCable, 0,
            kToolEditableText, kToolTerminal, 0,
            kToolChordGrid, kToolTablature, kToolCalendar};
}

std::vector<std::vector<int>> statusBarButtonGroups() {
    return {{kGoToFolio, kOpenWebSite, kPlayMidi, kStopMidi},
            {kShowTabStrip, kShowRulers, kShowGrid, kShowTerminals},
            {kToggleSymbols, kToggleMessages, kToggleAttributes}};
}
// clang-format on

void saoFrame::createToolBars() {
    commandsBar_ = new QToolBar("Commandes", this);
    commandsBar_->setObjectName("Commandes");
    toolsBar_ = new QToolBar("Outils", this);
    toolsBar_->setObjectName("Outils");
    for (QToolBar* bar : {commandsBar_, toolsBar_}) {
        bar->setIconSize(QSize(16, 16));
        addToolBar(Qt::TopToolBarArea, bar);
    }
    commands_->fillToolBar(commandsBar_, commandsBarCommands());
    commands_->fillToolBar(toolsBar_, toolsBarCommands());

    if (QMenu* display = commands_->menu("menuAffichage")) {
        QAction* first = display->actions().value(0);
        display->insertAction(first, commandsBar_->toggleViewAction());
        display->insertAction(first, toolsBar_->toggleViewAction());
        commandsBar_->toggleViewAction()->setText("Barre d'outils &Commandes");
        toolsBar_->toggleViewAction()->setText("Barre d'outils &Outils");
    }
}

void saoFrame::createStatusBar() {
    therm_ = new Therm(this);
    setStatusBar(therm_);
    for (const auto& group : statusBarButtonGroups()) {
        for (int id : group)
            therm_->addButton(commands_->action(id));
        therm_->addSeparator();
    }
    therm_->addBoxes();
    connect(therm_, &Therm::zoomBoxClicked, this, [this] {
        updateCommands();
        popupMenu("MenuEchelle")->popup(therm_->zoomBox()->mapToGlobal(QPoint(0, 0)));
    });
    connect(therm_, &Therm::clockBoxClicked, this, [this] {
        updateCommands();
        popupMenu("MenuFuseau")->popup(therm_->clockBox()->mapToGlobal(QPoint(0, 0)));
    });
    if (QMenu* display = commands_->menu("menuAffichage")) {
        auto* toggle = new QAction(QString::fromUtf8("Barre d'&état"), this);
        toggle->setCheckable(true);
        toggle->setChecked(true);
        connect(toggle, &QAction::toggled, therm_, &QWidget::setVisible);
        display->insertAction(display->actions().value(2), toggle);
    }
}

void saoFrame::setZoomText(int zoomLevel) {
    const std::string text = zoomText(zoomLevel);
    therm_->setZoomText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace plexo
