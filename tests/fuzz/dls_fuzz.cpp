// Opens arbitrary bytes as a schéma document: the container, the header record
// and every folio's object list, then saves it again; and runs the raw readers
// of "plexo dump" and "plexo check" on the same bytes.
#include "shapes/fontlist.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "base/log.h"
#include "store/saodoc.h"
#include "library/storecommands.h"

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
    std::string json, error;
    plexo::dumpStoreFile(path, json, error);
    plexo::checkStoreFile(path);
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
