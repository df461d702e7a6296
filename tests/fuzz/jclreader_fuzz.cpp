// Feeds arbitrary bytes to the JCL reader as the content of a job file, with a
// sink that walks every chunk as the flowchart drawing would.
#include "fuzzsupport.h"
#include "jcl/jclreader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class CheckingSink : public plexo::JclChunkSink {
public:
    bool drawJobChunk(plexo::JclReader& reader, const std::filesystem::path&) override {
        if (reader.stepCount() > plexo::JclReader::kStepsPerChunk ||
            reader.fileCount() > plexo::JclReader::kMaxFilesPerChunk)
            std::abort();
        for (const auto& step : reader.steps())
            if (step->programName.empty() || step->programName.size() > 254 || step->label.size() > 9)
                std::abort();
        for (const auto& file : reader.files()) {
            if (file->ddName.empty() || (!file->isTape && file->fileId.empty()))
                std::abort();
            // With steps, every file handed over belongs to one of them.
            if (reader.stepCount() > 0 && !file->step)
                std::abort();
        }
        if (reader.stepCount() == 0)
            return false;
        reader.takeFolioNumber();
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plexo::fuzz::silenceLog();
    CheckingSink sink;
    plexo::JclReader reader(&sink);
    reader.readJclText("/jobs/prod.v2/FUZZ.jcl", std::string_view(reinterpret_cast<const char*>(data), size));
    if (reader.stepCount() != 0 || reader.fileCount() != 0)
        std::abort();
    return 0;
}
