#include "library/storecommands.h"

#include "base/buffer.h"
#include "base/objfile.h"
#include "base/textcodec.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace plexo {

namespace {

constexpr const char* kDumpUsage = "usage : plexo dump FICHIER.dls|FICHIER.dly\n";
constexpr const char* kCheckUsage = "usage : plexo check FICHIER.dls|FICHIER.dly\n";
constexpr const char* kResaveUsage = "usage : plexo resave ENTREE.dls -o SORTIE.dls [--library DOSSIER]\n";

// The number of objects stored in a folio's record (-1 when it does not decode).
int storedObjects(saoDoc& doc, const Folio& folio) {
    ObjFile* store = doc.store();
    std::unique_ptr<Buffer> record = store ? store->readRecord(kFolioRecordType, folio.serial) : nullptr;
    return record ? storedObjectCount(*record) : 0;
}

struct WireLinks {
    int stored = 0; // ends naming an object in the file
    int kept = 0;   // ends joined once the folio is loaded
};

// The wire ends of a loaded folio: the end numbers read from the file stay beside
// the links made from them.
WireLinks wireLinks(const Folio& folio) {
    WireLinks links;
    for (const auto& object : folio.objects) {
        if (!object->isWire() || !object->infoFil)
            continue;
        const InfoFil& fil = *object->infoFil;
        links.stored += (fil.amontId != 0) + (fil.avalId != 0);
        links.kept += (fil.amont != nullptr) + (fil.aval != nullptr);
    }
    return links;
}

} // namespace

int runDumpCommand(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(kDumpUsage, stderr);
        return 2;
    }
    StoreFileReport report = inspectStoreFile(argv[1]);
    if (!report.readable) {
        std::fprintf(stderr, "%s\n", report.problems.front().c_str());
        return 2;
    }
    std::fwrite(report.json.data(), 1, report.json.size(), stdout);
    // The JSON stays readable; the status says whether the file was whole.
    for (const auto& problem : report.problems)
        std::fprintf(stderr, "%s : %s\n", argv[1], problem.c_str());
    return report.problems.empty() ? 0 : 1;
}

int runCheckCommand(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(kCheckUsage, stderr);
        return 2;
    }
    std::vector<std::string> problems = checkStoreFile(argv[1]);
    for (const auto& problem : problems)
        std::fprintf(stderr, "%s : %s\n", argv[1], problem.c_str());
    if (!problems.empty())
        return 1;
    std::printf("%s : fichier correct.\n", argv[1]);
    return 0;
}

int runResaveCommand(int argc, char** argv, const std::filesystem::path& usualLibrary) {
    const char* input = nullptr;
    const char* output = nullptr;
    const char* libraryFolder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc && !output)
            output = argv[++i];
        else if (std::strcmp(argv[i], "--library") == 0 && i + 1 < argc && !libraryFolder)
            libraryFolder = argv[++i];
        else if (argv[i][0] != '-' && !input)
            input = argv[i];
        else {
            std::fputs(kResaveUsage, stderr);
            return 2;
        }
    }
    if (!input || !output) {
        std::fputs(kResaveUsage, stderr);
        return 2;
    }
    // The symbols are looked for where the editor would find them: without them
    // every symbol object would be dropped and the folios refused.
    auto lib = std::make_unique<Lib>(libraryFolder ? std::string(libraryFolder) : usualLibrary.string());
    lib->scanLocation();
    installLibrary(lib.get());
    int status = 0;
    {
        saoDoc doc;
        if (!doc.open(input)) {
            status = 1;
        } else {
            // Every folio is loaded (relinking its wires) and written back (renumbered)
            // by the save. A folio that loses objects or wire links on the way (a symbol
            // that cannot be resolved, a damaged list, an end naming nothing or a
            // terminal another wire holds) is not written: nothing stored is dropped.
            std::vector<std::unique_ptr<FolioHolder>> holds;
            for (auto& folio : doc.folios) {
                const int stored = storedObjects(doc, *folio);
                holds.push_back(std::make_unique<FolioHolder>(*folio));
                if (static_cast<int>(folio->objects.size()) != stored) {
                    std::fprintf(
                        stderr,
                        "resave : le folio '%s' n'a relu que %d objets sur %d ; '%s' n'est pas écrit.\n",
                        cp1252ToUtf8(folio->number).c_str(), static_cast<int>(folio->objects.size()), stored,
                        output);
                    status = 1;
                    continue;
                }
                if (const WireLinks links = wireLinks(*folio); links.kept != links.stored) {
                    std::fprintf(stderr,
                                 "resave : le folio '%s' n'a refait que %d liens de fils sur %d ; '%s' n'est "
                                 "pas écrit.\n",
                                 cp1252ToUtf8(folio->number).c_str(), links.kept, links.stored, output);
                    status = 1;
                }
            }
            if (status == 0) {
                doc.setPath(output);
                if (!doc.commit(true))
                    status = 1;
            }
        }
    }
    installLibrary(nullptr);
    if (status == 0)
        std::printf("%s -> %s\n", input, output);
    return status;
}

} // namespace plexo
