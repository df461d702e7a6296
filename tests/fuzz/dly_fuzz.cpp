// Scans a library folder holding arbitrary bytes as a ".dly" file: the tree
// record, then every symbol's drawing acquired and released and every symbol's
// editing document opened; and runs "plexo dump" and "plexo check" on the same
// bytes: the dump must parse as JSON and list exactly
// the problems that check reports.
#include "fuzzsupport.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

void forEachSymbol(plexo::LibNode& node, const std::function<void(plexo::LibNode&)>& visit) {
    if (node.isSymbol())
        visit(node);
    for (auto& child : node.children)
        forEachSymbol(*child, visit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plexo::fuzz::silenceLog();
    plexo::fuzz::resetFontList();
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("plexo-fuzz-lib-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "Fuzz.dly").string();
    plexo::fuzz::writeInput(path, data, size);
    plexo::fuzz::checkDump(path);
    {
        plexo::Lib lib(folder.string());
        lib.scanLocation();
        plexo::installLibrary(&lib);
        forEachSymbol(*lib.location, [](plexo::LibNode& symbol) {
            if (symbol.acquireDrawing(nullptr))
                symbol.releaseDrawing(nullptr);
        });
        forEachSymbol(*lib.location, [](plexo::LibNode& symbol) {
            plexo::saoDoc doc(&symbol);
            if (doc.open({}))
                for (auto& folio : doc.folios) {
                    plexo::FolioHolder hold(*folio); // reads the objects, then lets them go
                }
        });
        lib.saveAll();
        plexo::installLibrary(nullptr);
    }
    // A damaged tail leaves a copy of the input beside it ("Fuzz.dly.endommage"):
    // each run starts from an empty folder.
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().filename() != "Fuzz.dly")
            std::filesystem::remove(entry.path(), error);
    return 0;
}
