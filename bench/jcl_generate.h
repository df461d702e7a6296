// Realistic VSE jobs for the benchmarks and tests of the JCL reverse-
// documentation: job and POWER cards, DLBL/EXTENT pairs, tapes, VSAM
// clusters, sorts with their work files, DL/I batch steps, labels, data sets
// passed from step to step. Deterministic: the same seed gives the same text.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plexo::bench {

struct GeneratedJob {
    std::string name; // the job name, also the file name without ".jcl"
    std::string text; // LF line ends
    int steps = 0;    // EXEC statements, 5 to 120
    int files = 0;    // DLBL and TLBL statements the reader keeps (sort work files excluded)
};

GeneratedJob generateJclJob(int index, unsigned seed = 1);
std::vector<GeneratedJob> generateJclJobs(int count, unsigned seed = 1);

// Writes each job as NAME.jcl into the folder (created when missing).
bool writeJclJobs(const std::vector<GeneratedJob>& jobs, const std::filesystem::path& folder);

} // namespace plexo::bench
