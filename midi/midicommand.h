// The command-line verb "plexo midi FILE.mid [-o OUT.mid]": a text dump of a
// Standard MIDI File, and optionally the file written back by the writer.
#pragma once

#include <string>

namespace plexo {

class seqDoc;

// argv[0] is "midi". Exit code 0 on success, 1 when a file cannot be read or
// written, 2 on a usage error.
int runMidiCommand(int argc, char** argv);

// The dump printed by the verb: the header, then per track each event with its
// absolute time, kind number, kind name and bytes (UTF-8 text).
std::string dumpSequence(const seqDoc& doc);

// The French name of an event kind ("note on", "tempo", ...), "?" when unknown.
const char* midiKindName(int kind);

} // namespace plexo
