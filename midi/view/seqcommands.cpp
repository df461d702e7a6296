#include "midi/view/seqcommands.h"

#include "midi/midistrings.h"
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
    // F5 and F6 play and stop the whole séquence, as they do a MIDI shortcut in a schéma.
    const std::string play = std::string(midistr::kPlay) + "\tF5";
    const std::string stop = std::string(midistr::kStop) + "\tF6";
    table.add(cmd::kPlayMidi, play, midistr::kPlayHint)
        .enabledWhen([](const seqView& view) { return view.canPlay(); })
        .labelledBy([play](const seqView&) { return play; })
        .does([](seqView& view) { view.play(); });
    table.add(cmd::kStopMidi, stop, midistr::kStopHint)
        .enabledWhen([](const seqView& view) { return view.isPlaying(); })
        .labelledBy([stop](const seqView&) { return stop; })
        .does([](seqView& view) { view.stop(); });
    return table;
}

} // namespace

const CommandTable<seqView>& sequenceCommands() {
    static const CommandTable<seqView> table = makeSequenceCommands();
    return table;
}

} // namespace plexo
