// Scans a library folder holding arbitrary bytes as a ".dly" file: the tree
// record, then every symbol's drawing acquired and released and every symbol's
// editing document opened; and runs "plexo dump" and "plexo check" on the same
// bytes: the dump must parse as JSON and list exactly
// the problems that check reports.
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/fontlist.h"
#include "store/folio.h"
#include "base/log.h"
#include "store/saodoc.h"
#include "library/storecommands.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

struct QuietLog : plexo::LogSink {
    void logMessage(int, int, int, std::string_view, bool) override {}
};

void forEachSymbol(plexo::LibNode& node, const std::function<void(plexo::LibNode&)>& visit) {
    if (node.isSymbol())
        visit(node);
    for (auto& child : node.children)
        forEachSymbol(*child, visit);
}

void checkDump(const std::string& path) {
    const plexo::StoreFileReport report = plexo::inspectStoreFile(path);
    if (!report.readable)
        return;
    const nlohmann::json dump = nlohmann::json::parse(report.json, nullptr, false);
    if (dump.is_discarded())
        __builtin_trap();
    const bool listed = dump.contains("problems");
    if (listed != !report.problems.empty() || (listed && dump["problems"] != nlohmann::json(report.problems)) ||
        plexo::checkStoreFile(path) != report.problems)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietLog quiet;
    plexo::setLogSink(&quiet);
    // Faces met in the data join the session's font list; start each input from
    // the same list so that memory does not grow from one input to the next.
    plexo::fontList().setInstalledFonts({"Arial", "Times New Roman"});
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("plexo-fuzz-lib-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "Fuzz.dly").string();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    checkDump(path);
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
                    folio->acquire();
                    folio->release(false);
                }
        });
        lib.saveAll();
        plexo::installLibrary(nullptr);
    }
    return 0;
}
