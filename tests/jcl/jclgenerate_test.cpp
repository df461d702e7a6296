// The generated jobs of the benchmarks must be jobs the reader takes whole.
#include "bench/jcl_generate.h"
#include "jcl/jclreader.h"
#include "jclrecordingsink.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(JclGenerate, JobsAreDeterministicAndReadWithoutError) {
    const auto jobs = bench::generateJclJobs(200);
    EXPECT_EQ(jobs[17].text, bench::generateJclJob(18).text);
    EXPECT_NE(jobs[17].text, bench::generateJclJob(18, 2).text);

    test::RecordingLog log;
    test::RecordingSink sink;
    JclReader reader(&sink);
    int longest = 0, shortest = 1000;
    for (const auto& job : jobs) {
        ASSERT_GE(job.steps, 5);
        ASSERT_LE(job.steps, 120);
        longest = std::max(longest, job.steps);
        shortest = std::min(shortest, job.steps);
        sink.chunks.clear();
        ASSERT_TRUE(reader.readJclText(job.name + ".jcl", job.text));
        ASSERT_EQ(sink.chunks.size(), static_cast<std::size_t>((job.steps + 49) / 50)) << job.name;
        int steps = 0, files = 0;
        for (const auto& chunk : sink.chunks) {
            steps += static_cast<int>(chunk.programs.size());
            files += static_cast<int>(chunk.files.size());
        }
        EXPECT_EQ(steps, job.steps) << job.name;
        EXPECT_EQ(files, job.files) << job.name;
    }
    EXPECT_GT(longest, 100);
    EXPECT_LT(shortest, 20);
    for (const auto& m : log.messages)
        EXPECT_EQ(m.severity, 0) << m.text;
}

} // namespace
} // namespace plexo
