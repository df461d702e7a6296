#include "midi/view/seqcommands.h"

#include "midi/view/seqview.h"
#include "shell/commandtexts.h"

namespace plexo {
namespace {

CommandTable<seqView> makeSequenceCommands() {
    CommandTable<seqView> table;
    for (int id = cmd::kZoomFirst; id <= cmd::kZoomOut; ++id) {
        const CommandInfo* info = commandInfo(id);
        table.add(id, info->text, info->hint).does([id](seqView& view) { view.zoomCommand(id); });
    }
    return table;
}

} // namespace

const CommandTable<seqView>& sequenceCommands() {
    static const CommandTable<seqView> table = makeSequenceCommands();
    return table;
}

} // namespace plexo
