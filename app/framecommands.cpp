#include "app/framecommands.h"

#include "app/commandactions.h"
#include "app/saoapp.h"
#include "app/saoframe.h"
#include "app/saomanager.h"
#include "app/strings.h"
#include "base/desktopservices.h"
#include "base/userinterface.h"
#include "shell/appinfo.h"
#include "shell/commandtexts.h"
#include "shell/documentpaths.h"
#include "shell/statustexts.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace plexo {
namespace {

using Row = CommandRow<saoFrame>;
using Rule = Condition<saoFrame>;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Document* activeDocument(const saoFrame& frame) {
    return frame.manager() ? frame.manager()->activeDocument() : nullptr;
}

// Enabling rules of the frame's commands.
const Rule& hasDocument() {
    static const Rule rule = [](const saoFrame& frame) { return activeDocument(frame) != nullptr; };
    return rule;
}
const Rule& hasWindows() {
    static const Rule rule = [](const saoFrame& frame) {
        return !frame.mdiArea()->subWindowList().isEmpty();
    };
    return rule;
}
const Rule& hasMailService() {
    static const Rule rule = [](const saoFrame&) { return desktopServices().hasMailService(); };
    return rule;
}

void openBeside(saoFrame& frame, const char* name) {
    // The help documents come with the program, beside its bundled libraries.
    frame.app().openDocumentByPath(utf8((bundledDataFolder(programDir()) / name).string()));
}

// Minimised windows line up along the bottom of the document area.
void arrangeIcons(QMdiArea& area) {
    int x = 0;
    for (QMdiSubWindow* window : area.subWindowList())
        if (window->isMinimized()) {
            window->move(x, area.viewport()->height() - window->height());
            x += window->width();
        }
}

// clang-format off
// Commands the frame shows for the views: their ids, those that show a tick.
constexpr int kViewCommands[] = {
    cmd::kPrint, cmd::kPrintPreview, cmd::kPageSetup, cmd::kExportDxf, cmd::kUndo, cmd::kCut, cmd::kCopy, cmd::kPaste, cmd::kPasteFromFile,
    cmd::kDelete, cmd::kDuplicate, cmd::kSelectAll, cmd::kFind, cmd::kFindNext, cmd::kProperties,
    cmd::kFitOutline, cmd::kUseFormatAsModel, cmd::kBringToFront, cmd::kBringForward, cmd::kSendBackward,
    cmd::kSendToBack, cmd::kAlignTop, cmd::kAlignBottom, cmd::kAlignLeft, cmd::kAlignRight,
    cmd::kCentreHorizontally, cmd::kCentreVertically, cmd::kAlignOnGrid, cmd::kCentreInFolio,
    cmd::kRotateLeft, cmd::kRotateRight, cmd::kFlipHorizontal, cmd::kFlipVertical, cmd::kGoToFolio,
    cmd::kOpenWebSite, cmd::kPlayMidi, cmd::kStopMidi, cmd::kDocumentSize, cmd::kGrids, cmd::kWorkUnit,
    cmd::kAddFolio, cmd::kFolioInfo, cmd::kDeleteFolio, cmd::kCopyFolioAs, cmd::kFolioList, cmd::kPageCount,
    cmd::kTitleBlock, cmd::kCopyFolio, cmd::kPasteFolio, cmd::kJclReverse, cmd::kJclReverseSet,
    cmd::kOtherFont};
constexpr int kTickedViewCommands[] = {
    cmd::kSnapToGrid, cmd::kShowTerminals, cmd::kShowTabStrip, cmd::kShowRulers, cmd::kShowGrid,
    cmd::kPresentation, cmd::kOtherLineWidth, cmd::kLineSolid, cmd::kLineDashed, cmd::kLineDotted,
    cmd::kOtherFontSize, cmd::kFontNormal, cmd::kFontBold, cmd::kFontItalic, cmd::kFontUnderline};

// The pictures of the tool bars and of the status-bar buttons (res/icons/).
const std::pair<int, const char*> kIcons[] = {
    {cmd::kNew, "new"},
    {cmd::kOpen, "open"},
    {cmd::kSave, "save"},
    {cmd::kPrint, "print"},
    {cmd::kFind, "find"},
    {cmd::kCut, "cut"},
    {cmd::kCopy, "copy"},
    {cmd::kPaste, "paste"},
    {cmd::kUndo, "undo"},
    {cmd::kBringToFront, "bring-to-front"},
    {cmd::kBringForward, "bring-forward"},
    {cmd::kSendBackward, "send-backward"},
    {cmd::kSendToBack, "send-to-back"},
    {cmd::kRotateLeft, "rotate-left"},
    {cmd::kRotateRight, "rotate-right"},
    {cmd::kFlipHorizontal, "flip-horizontal"},
    {cmd::kFlipVertical, "flip-vertical"},
    {cmd::kAlignOnGrid, "align-on-grid"},
    {cmd::kToolSelection, "tool-selection"},
    {cmd::kToolAddLines, "tool-add-lines"},
    {cmd::kToolMagnifier, "find"},
    {cmd::kToolLine, "tool-line"},
    {cmd::kToolRectangle, "tool-rectangle"},
    {cmd::kToolRoundRectangle, "tool-round-rectangle"},
    {cmd::kToolOval, "tool-oval"},
    {cmd::kToolPolygon, "tool-polygon"},
    {cmd::kToolHalfOvalHorizontal, "tool-half-oval-horizontal"},
    {cmd::kToolHalfOvalVertical, "tool-half-oval-vertical"},
    {cmd::kToolBezier, "tool-bezier"},
    {cmd::kToolFreehand, "tool-freehand"},
    {cmd::kToolText, "tool-text"},
    {cmd::kToolTerminal, "tool-terminal"},
    {cmd::kToolControlWire, "tool-control-wire"},
    {cmd::kToolCable, "tool-cable"},
    {cmd::kToolEditableText, "tool-editable-text"},
    {cmd::kToolChordGrid, "tool-chord-grid"},
    {cmd::kToolTablature, "tool-tablature"},
    {cmd::kToolCalendar, "tool-calendar"},
    {cmd::kGoToFolio, "go-to-folio"},
    {cmd::kOpenWebSite, "web-site"},
    {cmd::kPlayMidi, "play-midi"},
    {cmd::kStopMidi, "stop-midi"},
    {cmd::kShowTabStrip, "tab-strip"},
    {cmd::kShowRulers, "rulers"},
    {cmd::kShowGrid, "grid"},
    {cmd::kShowTerminals, "terminals"},
    {cmd::kToggleSymbols, "symbol-libraries"},
    {cmd::kToggleMessages, "messages"},
    {cmd::kToggleAttributes, "style-attributes"},
};
// clang-format on

CommandTable<saoFrame> makeFrameCommands() {
    CommandTable<saoFrame> table;
    auto add = [&table](int id) -> Row& {
        const CommandInfo* info = commandInfo(id);
        return table.add(id, info ? info->text : "", info ? info->hint : "");
    };

    // Files.
    add(cmd::kNew).does([](saoFrame& frame) { frame.manager()->fileNew(); });
    add(cmd::kOpen).does([](saoFrame& frame) {
        QString path = frame.manager()->askOpenPath();
        if (!path.isEmpty())
            frame.app().openDocumentByPath(path);
    });
    add(cmd::kClose).enabledWhen(hasDocument()).does([](saoFrame& frame) {
        if (Document* document = activeDocument(frame))
            frame.manager()->fileClose(*document);
    });
    add(cmd::kSave).enabledWhen(hasDocument()).does([](saoFrame& frame) {
        if (Document* document = activeDocument(frame))
            frame.manager()->fileSave(*document);
    });
    add(cmd::kSaveAs)
        .enabledWhen(hasDocument() &&
                     [](const saoFrame& frame) { return activeDocument(frame)->canSaveAs(); })
        .does([](saoFrame& frame) {
            if (Document* document = activeDocument(frame))
                frame.manager()->fileSaveAs(*document);
        });
    add(cmd::kQuit).does([](saoFrame& frame) { frame.close(); });
    for (int id = cmd::kRecentFirst; id <= cmd::kRecentLast; ++id)
        table.add(id, "", "Ouvre ce document").does([id](saoFrame& frame) {
            const auto& entries = frame.app().recentFiles().entries();
            auto index = static_cast<std::size_t>(id - cmd::kRecentFirst);
            if (index < entries.size()) {
                frame.app().pathToOpen = utf8(entries[index]);
                QString path = frame.app().pathToOpen;
                frame.app().openDocumentByPath(path);
            }
        });
    // Sending belongs to the view; without a mail service it stays disabled whatever the view says.
    add(cmd::kSend).enabledWhen(hasMailService());

    // Help.
    add(cmd::kHelp).does([](saoFrame& frame) { openBeside(frame, strings::kHelpDocument); });
    add(cmd::kReadMe).does([](saoFrame& frame) { openBeside(frame, strings::kReadMeDocument); });
    add(cmd::kAbout).does([](saoFrame& frame) { frame.showAbout(); });

    // Palettes.
    add(cmd::kToggleMessages)
        .checkedWhen([](const saoFrame& frame) { return frame.messagesView() != nullptr; })
        .does([](saoFrame& frame) { frame.toggleMessages(); });
    add(cmd::kToggleSymbols)
        .checkedWhen([](const saoFrame& frame) { return frame.symbolsPalette() != nullptr; })
        .does([](saoFrame& frame) { frame.toggleSymbols(); });
    add(cmd::kToggleAttributes)
        .checkedWhen([](const saoFrame& frame) { return frame.attributesPalette() != nullptr; })
        .does([](saoFrame& frame) { frame.toggleAttributes(); });

    // Zoom, forwarded to the active view; always enabled.
    for (int id = cmd::kZoomFirst; id <= cmd::kZoomOut; ++id)
        add(id).does([id](saoFrame& frame) { frame.forwardToActiveView(id); });
    // World clock.
    for (int id = cmd::kTimeZoneFirst; id <= cmd::kTimeZoneLast; ++id) {
        const int offset = id - cmd::kTimeZoneGmt;
        table.add(id, timeZoneMenuText(offset), "Montre l'heure de ce fuseau dans la barre d'état")
            .checkedWhen(
                [offset](const saoFrame& frame) { return frame.app().settings().timeZoneOffset == offset; })
            .does([offset](saoFrame& frame) {
                frame.app().settings().timeZoneOffset = offset;
                frame.refreshClock();
            });
    }

    // Windows.
    add(cmd::kNewWindow).enabledWhen(hasDocument()).does([](saoFrame& frame) {
        if (Document* document = activeDocument(frame))
            frame.manager()->newWindow(*document);
    });
    add(cmd::kCascade).enabledWhen(hasWindows()).does([](saoFrame& frame) {
        frame.mdiArea()->cascadeSubWindows();
    });
    add(cmd::kTile).enabledWhen(hasWindows()).does([](saoFrame& frame) {
        frame.mdiArea()->tileSubWindows();
    });
    add(cmd::kArrangeIcons).enabledWhen(hasWindows()).does([](saoFrame& frame) {
        arrangeIcons(*frame.mdiArea());
    });
    add(cmd::kCloseAll).enabledWhen(hasWindows()).does([](saoFrame& frame) {
        if (frame.manager()->closeAllDocuments())
            frame.mdiArea()->closeAllSubWindows();
    });
    add(cmd::kNextWindow).enabledWhen(hasWindows()).does([](saoFrame& frame) {
        frame.mdiArea()->activateNextSubWindow();
    });

    // The views' commands the frame shows.
    for (int id : kViewCommands)
        add(id);
    for (int id : kTickedViewCommands)
        add(id).withTick();
    for (int id = cmd::kToolFirst; id <= cmd::kToolLast; ++id)
        add(id).withTick();
    for (int id = cmd::kLineWidthFirst; id <= cmd::kLineWidthLast; ++id)
        add(id).withTick();
    for (int i = 0; i < cmd::kArrowCount; ++i) {
        add(cmd::kStartArrowFirst + i).withTick();
        add(cmd::kEndArrowFirst + i).withTick();
    }
    for (int id = cmd::kFontSizeFirst; id <= cmd::kFontSizeLast; ++id)
        add(id).withTick();
    // The font faces take their names from the font list when the menu is filled.
    for (int i = 0; i < cmd::kFontMenuCount; ++i)
        table.add(cmd::kFontFirst + i, "", "Police de caractères").withTick();

    for (const auto& [id, icon] : kIcons)
        if (Row* row = table.find(id))
            row->withIcon(icon);
    return table;
}

} // namespace

const CommandTable<saoFrame>& frameCommands() {
    static const CommandTable<saoFrame> table = makeFrameCommands();
    return table;
}

// ---------------------------------------------------------------------------
// Routing: the frame's row when it has a handler, else the active view's table.

bool saoFrame::commandStatus(int id, CommandStatus& status) const {
    const auto& table = frameCommands();
    const auto* row = table.find(id);
    if (!row)
        return false;
    if (row->handler)
        return table.status(id, *this, status);
    DocumentWindow* window = manager_ ? manager_->activeWindow() : nullptr;
    if (!window || !window->kind().updateCommand || !window->kind().updateCommand(window->view(), id, status))
        return false;
    status.enabled = status.enabled && row->enabled(*this);
    return true;
}

void saoFrame::updateCommands() {
    commands_->refresh();
}

void saoFrame::runCommand(int id) {
    if (!frameCommands().run(id, *this)) {
        DocumentWindow* window = manager_->activeWindow();
        if (window && window->kind().runCommand)
            window->kind().runCommand(window->view(), id);
    }
    if (!closing_)
        updateCommands();
}

void saoFrame::forwardToActiveView(int command) {
    DocumentWindow* window = manager_->activeWindow();
    if (!window) {
        userInterface().beep();
        return;
    }
    if (window->kind().runCommand)
        window->kind().runCommand(window->view(), command);
    idleRefresh();
}

} // namespace plexo
