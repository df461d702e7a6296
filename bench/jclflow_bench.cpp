// Reverse-documents a folder of generated VSE jobs (5 to 120 steps each) into one
// schéma document with the bundled libraries, as "plexo jcl" does, and prints
// jobs per second and the time spent in each phase of the drawing.
//   jclflow_bench [JOBS]
#include "base/log.h"
#include "bench/jcl_generate.h"
#include "jcl/jobflowchart.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "store/saodoc.h"
#include "tools/bundledlibraries.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

class CountingLog : public plexo::LogSink {
public:
    void logMessage(int, int, int severity, std::string_view text, bool) override {
        ++lines;
        if (severity != plexo::kInformation && errors++ < 5)
            std::fprintf(stderr, "jclflow_bench: %.*s\n", static_cast<int>(text.size()), text.data());
    }
    long lines = 0;
    long errors = 0;
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const fs::path root = fs::temp_directory_path() / ("plexo-jclflow-bench-" + std::to_string(::getpid()));
    const fs::path jobsFolder = root / "jobs", libraryFolder = root / "lib";
    const auto jobs = plexo::bench::generateJclJobs(count);
    long steps = 0, files = 0;
    for (const auto& job : jobs) {
        steps += job.steps;
        files += job.files;
    }
    std::string error;
    if (!plexo::bench::writeJclJobs(jobs, jobsFolder) ||
        !plexo::writeBundledLibraries(libraryFolder, error)) {
        std::fprintf(stderr, "jclflow_bench: cannot prepare %s %s\n", root.c_str(), error.c_str());
        return 1;
    }
    CountingLog log;
    plexo::setLogSink(&log);
    plexo::Lib lib(libraryFolder.string());
    lib.scanLocation();
    plexo::installLibrary(&lib);

    double total = 0, save = 0;
    std::array<double, plexo::kPhaseCount> phases{};
    plexo::JclImportSummary summary;
    {
        plexo::saoDoc document;
        document.open({});
        plexo::JobFlowchart drawing(document);
        plexo::JclReader reader(&drawing);
        const auto start = Clock::now();
        summary = reader.importJclFolder(jobsFolder);
        total = seconds(Clock::now() - start);
        phases = drawing.phaseSeconds();
        document.setPath(root / "jobs.dls");
        const auto saveStart = Clock::now();
        document.commit(true);
        save = seconds(Clock::now() - saveStart);
        document.close();
    }
    plexo::installLibrary(nullptr);
    plexo::setLogSink(nullptr);

    std::printf(
        "jclflow_bench: %d jobs, %ld steps, %ld files -> %d folios (%d files failed, %ld error lines)\n",
        count, steps, files, summary.foliosDrawn, summary.filesFailed, log.errors);
    std::printf("  folder run   %8.3f s   %8.1f jobs/s   %8.1f folios/s\n", total, count / total,
                summary.foliosDrawn / total);
    const char* names[plexo::kPhaseCount] = {"Création du document", "Mise en place des objets",
                                             "Création des objets",  "Création des liaisons",
                                             "Création des fils",    "Optimisations",
                                             "Fin (pages, écriture)"};
    double drawn = 0;
    for (int p = 0; p < plexo::kPhaseCount; ++p) {
        std::printf("  %-26s %8.3f s  %5.1f %%\n", names[p], phases[static_cast<std::size_t>(p)],
                    100.0 * phases[static_cast<std::size_t>(p)] / total);
        drawn += phases[static_cast<std::size_t>(p)];
    }
    std::printf("  reading and storing       %8.3f s  %5.1f %%\n", total - drawn,
                100.0 * (total - drawn) / total);
    std::printf("  saving the document       %8.3f s\n", save);
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return summary.foliosDrawn > 0 ? 0 : 1;
}
