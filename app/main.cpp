// plexo: with no verb the editor, with a verb a command-line tool.
#include "app/verbs.h"
#include "shell/appinfo.h"

#include <cstdio>
#include <cstring>

namespace {

void printHelp() {
    std::printf("%s\n\n", plexo::kAppCaption);
    std::printf("Utilisation :\n");
    std::printf("  plexo [FICHIER.dls|FICHIER.mid ...]   ouvre l'éditeur sur les documents donnés\n");
    std::printf("  plexo --version                        affiche la version\n");
    std::printf("  plexo --help                           affiche cette aide\n");
    std::printf("  plexo VERBE [ARGUMENTS]                travail en ligne de commande :\n\n");
    for (const auto& verb : plexo::commandLineVerbs())
        std::printf("  plexo %s %s\n      %s\n", verb.name, verb.usage, verb.summary);
    std::printf("\nUn nom de fichier qui ne finit ni par \".dls\" ni par \".mid\" reçoit \".dls\".\n");
    std::printf("Quand Plexo est déjà ouvert (même utilisateur, même PLEXO_HOME), les fichiers\n"
                "sont ouverts dans la fenêtre existante.\n");
    std::printf("PLEXO_HOME, quand elle est définie, désigne le dossier de \"Plexo.ini\", de\n"
                "\"Plexo.log.txt\" et des librairies de symboles par défaut.\n");
}

} // namespace

int main(int argc, char** argv) {
    plexo::initProgramDir(argc > 0 ? argv[0] : nullptr);
    if (argc >= 2) {
        if (std::strcmp(argv[1], "--version") == 0) {
            std::printf("%s\n", plexo::kAppCaption);
            return 0;
        }
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            printHelp();
            return 0;
        }
        for (const auto& verb : plexo::commandLineVerbs())
            if (std::strcmp(argv[1], verb.name) == 0)
                return verb.run(argc - 1, argv + 1);
    }
    return plexo::runEditor(argc, argv);
}
