// Opens arbitrary bytes as a schéma document: the container, the header record
// and every folio's object list, then saves it again; and runs "plexo dump" and
// "plexo check" on the same bytes: the dump must parse as JSON and list exactly
// the problems that check reports.
#include "base/damagedcopy.h"
#include "fuzzsupport.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string scratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / ("plexo-fuzz-" + std::to_string(::getpid()) + name))
        .string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plexo::fuzz::silenceLog();
    plexo::fuzz::resetFontList();
    static const std::string path = scratchPath(".dls");
    plexo::fuzz::writeInput(path, data, size);
    plexo::fuzz::checkDump(path);
    {
        plexo::saoDoc doc;
        if (doc.open(path)) {
            std::vector<std::unique_ptr<plexo::FolioHolder>> holds;
            for (auto& folio : doc.folios)
                holds.push_back(std::make_unique<plexo::FolioHolder>(*folio));
            doc.setPath(scratchPath("-out.dls"));
            doc.commit(true);
        }
    }
    std::error_code ec;
    std::filesystem::remove(scratchPath("-out.dls"), ec);
    // A damaged input leaves a copy of itself beside it ("….dls.endommage").
    std::filesystem::remove(path + plexo::kDamagedCopySuffix, ec);
    return 0;
}
