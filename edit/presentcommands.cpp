#include "edit/presentcommands.h"

#include "edit/presentation.h"
#include "shell/commandids.h"
#include "shell/commandtexts.h"

namespace plexo {

namespace {

using Context = PresentationCommandContext;

bool hasSequence(const Context& window) {
    return window.presentation().sequence() != nullptr;
}

CommandTable<Context> makePresentationCommands() {
    CommandTable<Context> table;
    auto add = [&table](int id) -> CommandRow<Context>& {
        const CommandInfo* info = commandInfo(id);
        return table.add(id, info ? info->text : "", info ? info->hint : "");
    };
    add(cmd::kPlaySequence).enabledWhen(hasSequence).does([](Context& window) {
        window.presentation().play(false);
    });
    add(cmd::kLoopSequence).enabledWhen(hasSequence).does([](Context& window) {
        window.presentation().play(true);
    });
    add(cmd::kStopSequence)
        .enabledWhen([](const Context& window) {
            const Presentation& presentation = window.presentation();
            return hasSequence(window) && (presentation.playing() || presentation.recording());
        })
        .does([](Context& window) { window.presentation().stop(); });
    add(cmd::kRecordSequence).does([](Context& window) { window.presentation().record(); });
    add(cmd::kDeleteSequence).enabledWhen(hasSequence).does([](Context& window) {
        window.presentation().deleteSequence();
    });
    add(cmd::kFolioList).does([](Context& window) { window.folioList(); });
    add(cmd::kInverseVideo)
        .checkedWhen([](const Context& window) { return window.inverseVideo(); })
        .does([](Context& window) { window.setInverseVideo(!window.inverseVideo()); });
    return table;
}

} // namespace

const CommandTable<PresentationCommandContext>& presentationCommands() {
    static const CommandTable<PresentationCommandContext> table = makePresentationCommands();
    return table;
}

const std::array<int, 7>& presentationMenu() {
    static const std::array<int, 7> menu = {cmd::kPlaySequence,   cmd::kLoopSequence,   cmd::kStopSequence,
                                            cmd::kRecordSequence, cmd::kDeleteSequence, cmd::kFolioList,
                                            cmd::kInverseVideo};
    return menu;
}

} // namespace plexo
