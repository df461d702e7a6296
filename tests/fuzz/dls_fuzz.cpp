// Opens arbitrary bytes as a schéma document: the container, the header record
// and every folio's object list, then saves it again; and runs "plexo dump" and
// "plexo check" on the same bytes: the dump must parse as JSON and list exactly
// the problems that check reports.
#include "shapes/fontlist.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "base/log.h"
#include "store/saodoc.h"
#include "library/storecommands.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct QuietLog : plexo::LogSink {
    void logMessage(int, int, int, std::string_view, bool) override {}
};

std::string scratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / ("plexo-fuzz-" + std::to_string(::getpid()) + name)).string();
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
    static const std::string path = scratchPath(".dls");
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    checkDump(path);
    {
        plexo::saoDoc doc;
        if (doc.open(path)) {
            for (auto& folio : doc.folios)
                folio->acquire();
            doc.setPath(scratchPath("-out.dls"));
            doc.commit(true);
            for (auto& folio : doc.folios)
                folio->release(false);
        }
    }
    std::error_code ec;
    std::filesystem::remove(scratchPath("-out.dls"), ec);
    return 0;
}
