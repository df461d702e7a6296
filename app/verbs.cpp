#include "app/verbs.h"
#include "midi/midicommand.h"

namespace plexo {

// One line per verb; each verb's function lives beside the code it drives.
static const Verb kVerbs[] = {
    {"midi", "FICHIER.mid [-o SORTIE.mid]", "affiche les pistes et les événements d'un fichier MIDI ; -o le réécrit", runMidiCommand},
    {nullptr, nullptr, nullptr, nullptr},
};

std::span<const Verb> commandLineVerbs() { return {kVerbs, sizeof kVerbs / sizeof kVerbs[0] - 1}; }

} // namespace plexo
