// Times the reading of 1,000 generated VSE jobs of 5 to 120 steps: from memory
// (the grammar alone) and from a folder of ".jcl" files (listing, reading and
// the grammar), as a folder run does.
//   jcl_bench [JOBS] [ROUNDS]
#include "base/log.h"
#include "bench/jcl_generate.h"
#include "jcl/jclreader.h"

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
    void logMessage(int, int, int severity, std::string_view, bool) override {
        ++lines;
        errors += severity != plexo::kInformation;
    }
    long lines = 0;
    long errors = 0;
};

class CountingSink : public plexo::JclChunkSink {
public:
    bool drawJobChunk(plexo::JclReader& reader, const fs::path&) override {
        steps += reader.stepCount();
        files += reader.fileCount();
        ++chunks;
        reader.takeFolioNumber();
        return reader.stepCount() > 0;
    }
    long steps = 0;
    long files = 0;
    long chunks = 0;
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const auto generateStart = Clock::now();
    const auto jobs = plexo::bench::generateJclJobs(count);
    const double generateTime = seconds(Clock::now() - generateStart);
    long steps = 0, bytes = 0;
    for (const auto& job : jobs) {
        steps += job.steps;
        bytes += static_cast<long>(job.text.size());
    }
    std::printf("jcl_bench: %d generated jobs, %ld steps, %.1f MB of JCL (generated in %.3f s)\n", count,
                steps, bytes / 1e6, generateTime);

    CountingLog log;
    plexo::setLogSink(&log);

    double bestMemory = 1e9;
    CountingSink memorySink;
    for (int round = 0; round < rounds; ++round) {
        memorySink = CountingSink();
        plexo::JclReader reader(&memorySink);
        const auto start = Clock::now();
        for (const auto& job : jobs)
            reader.readJclText(job.name + ".jcl", job.text);
        bestMemory = std::min(bestMemory, seconds(Clock::now() - start));
    }

    const fs::path folder = fs::temp_directory_path() / ("plexo-jcl-bench-" + std::to_string(::getpid()));
    if (!plexo::bench::writeJclJobs(jobs, folder)) {
        std::fprintf(stderr, "jcl_bench: cannot write the jobs into %s\n", folder.c_str());
        return 1;
    }
    double bestFolder = 1e9;
    CountingSink folderSink;
    for (int round = 0; round < rounds; ++round) {
        folderSink = CountingSink();
        plexo::JclReader reader(&folderSink);
        const auto start = Clock::now();
        reader.importJclFolder(folder);
        bestFolder = std::min(bestFolder, seconds(Clock::now() - start));
    }
    std::error_code error;
    fs::remove_all(folder, error);
    plexo::setLogSink(nullptr);

    std::printf("  chunks %ld, steps %ld, files %ld, error lines %ld\n", memorySink.chunks, memorySink.steps,
                memorySink.files, log.errors);
    std::printf("  read from memory: %8.2f ms  %10.0f jobs/s  %7.1f MB/s  (best of %d)\n", bestMemory * 1e3,
                count / bestMemory, bytes / 1e6 / bestMemory, rounds);
    std::printf("  read the folder:  %8.2f ms  %10.0f jobs/s  %7.1f MB/s  (best of %d)\n", bestFolder * 1e3,
                count / bestFolder, bytes / 1e6 / bestFolder, rounds);
    if (memorySink.steps != steps || folderSink.steps != steps || log.errors != 0) {
        std::fprintf(stderr, "jcl_bench: the reader did not see the generated steps\n");
        return 1;
    }
    return 0;
}
