#include "app/verbs.h"
#include "app/libraryfolder.h"
#include "jcl/jclcommand.h"
#include "library/storecommands.h"
#include "midi/midicommand.h"
#include "shell/appinfo.h"
#include "views/rendercommand.h"

namespace plexo {

namespace {

// The symbols of a verb given no "--library" are the editor's: the settings'
// library folder, else the libraries installed beside the program.
std::filesystem::path usualLibrary() {
    return editorLibraryFolder(homeDir(), programDir());
}

} // namespace

// One line per verb; each verb's function lives beside the code it drives and
// is given what it needs of the application (the usual symbol library).
static const Verb kVerbs[] = {
    {"midi", "FICHIER.mid [-o SORTIE.mid]",
     "affiche les pistes et les événements d'un fichier MIDI ; -o le réécrit", runMidiCommand},
    {"render",
     "FICHIER.dls [--folio N] [--zoom 0..8] [--library DOSSIER] -o SORTIE.png|SORTIE.svg|SORTIE.pdf|SORTIE.dxf",
     "dessine les folios d'un schéma en image PNG ou SVG, en DXF ou en PDF (sans --folio : un fichier numéroté "
     "par folio, sauf en PDF où tout le document va dans un seul fichier)",
     [](int argc, char** argv) { return runRenderCommand(argc, argv, usualLibrary()); }},
    {"jcl", "[--library DOSSIER] [-o SORTIE.dls] FICHIER.jcl|DOSSIER ...",
     "dessine la chaîne de traitement de chaque JCL dans un nouveau folio (un dossier : tous ses *.jcl)",
     [](int argc, char** argv) { return runJclCommand(argc, argv, usualLibrary()); }},
    {"dump", "FICHIER.dls|FICHIER.dly", "décrit un schéma ou une librairie tel qu'il est enregistré, en JSON",
     runDumpCommand},
    {"check", "FICHIER.dls|FICHIER.dly", "vérifie le conteneur et chaque enregistrement d'un fichier",
     runCheckCommand},
    {"resave", "ENTREE.dls -o SORTIE.dls [--library DOSSIER]",
     "relit chaque folio d'un schéma et l'enregistre sous un autre nom (copie compacte)",
     [](int argc, char** argv) { return runResaveCommand(argc, argv, usualLibrary()); }},
    {nullptr, nullptr, nullptr, nullptr},
};

std::span<const Verb> commandLineVerbs() {
    return {kVerbs, sizeof kVerbs / sizeof kVerbs[0] - 1};
}

} // namespace plexo
