#include "bench/jcl_generate.h"

#include <cstdio>
#include <deque>
#include <fstream>
#include <random>

namespace plexo::bench {
namespace {

constexpr int kMinSteps = 5;
constexpr int kMaxSteps = 120;
constexpr std::size_t kPassedDataSets = 12; // data sets a later step may read

const char* const kApplications[] = {"PAY", "STK", "CUS", "ACC", "INV", "ORD", "GL", "HR"};

class JobWriter {
public:
    JobWriter(int index, unsigned seed) : random_(seed * 1000003u + static_cast<unsigned>(index)) {
        application_ = kApplications[pick(std::size(kApplications))];
        char name[16];
        std::snprintf(name, sizeof name, "%s%05d", application_.c_str(), index);
        job_.name = name;
    }

    GeneratedJob write() {
        const int steps = kMinSteps + pick(kMaxSteps - kMinSteps + 1);
        line("* $$ JOB JNM=" + job_.name + ",CLASS=" + std::string(1, "A05T"[pick(4)]) + ",DISP=D");
        line("* $$ LST CLASS=Q,DISP=H");
        line("// JOB " + job_.name + "   GENERATED " + application_ + " PROCESSING CHAIN");
        line("// OPTION LOG,PARTDUMP");
        for (int step = 1; step <= steps; ++step)
            writeStep(step);
        line("/&");
        line("* $$ EOJ");
        return std::move(job_);
    }

private:
    int pick(std::size_t n) { return static_cast<int>(random_() % n); }
    bool chance(int oneIn) { return pick(static_cast<std::size_t>(oneIn)) == 0; }
    void line(const std::string& text) { job_.text += text + "\n"; }

    std::string dataSet(const char* kind, int step, int number) {
        char id[64];
        std::snprintf(id, sizeof id, "%s.%s.%s.S%03d.F%d", kind, application_.c_str(), job_.name.c_str(), step,
                      number);
        return id;
    }

    void disk(const std::string& ddName, const std::string& fileId, int unit) {
        char extent[64];
        std::snprintf(extent, sizeof extent, "// EXTENT SYS%03d,WORK%02d,1,0,%d,%d", unit, 1 + pick(8),
                      100 + pick(9000), 15 * (1 + pick(40)));
        line("// DLBL " + ddName + ",'" + fileId + "',0,SD");
        line(extent);
        ++job_.files;
    }

    void vsam(const std::string& ddName, const std::string& fileId) {
        line("// DLBL " + ddName + ",'" + fileId + "',,VSAM,CAT=UCAT0" + std::to_string(1 + pick(3)));
        ++job_.files;
    }

    void tape(const std::string& ddName, const std::string& fileId) {
        line("// ASSGN SYS0" + std::to_string(20 + pick(6)) + ",TAPE");
        line(fileId.empty() ? "// TLBL " + ddName : "// TLBL " + ddName + ",'" + fileId + "',99/365");
        ++job_.files;
    }

    void writeStep(int step) {
        const std::string number = std::to_string(step);
        line("*  STEP " + number);
        if (chance(8))
            line("/. ETAPE" + number);
        int unit = 10;

        // Data sets written by earlier steps, and the application's masters.
        const int reads = std::min<int>(static_cast<int>(passed_.size()), pick(4));
        for (int i = 0; i < reads; ++i)
            disk("IN" + std::to_string(i + 1), passed_[passed_.size() - 1 - pick(passed_.size())], unit++);
        if (chance(3))
            disk("MASTER", "PROD." + application_ + ".MASTER" + std::to_string(pick(5)), unit++);
        if (chance(5))
            vsam("KSDS" + std::to_string(1 + pick(3)), "PROD." + application_ + ".KSDS" + std::to_string(pick(4)));
        if (chance(10))
            tape("SAVE" + number, chance(2) ? "" : "SAVE." + application_ + ".TAPE" + number);

        const bool sort = chance(6);
        const int sortWorkFiles = sort ? 1 + pick(3) : 0;
        for (int i = 1; i <= sortWorkFiles; ++i)
                line("// DLBL SORTWK" + std::to_string(i) + ",'SORT.WORK." + std::to_string(i) + "',0,SD");

        const int writes = 1 + pick(sort ? 1 : 3);
        for (int i = 1; i <= writes; ++i) {
            std::string id = dataSet(sort ? "SORTED" : "WORK", step, i);
            disk((sort ? "SORTOUT" : "OUT") + std::to_string(i), id, unit++);
            passed_.push_back(std::move(id));
            if (passed_.size() > kPassedDataSets)
                passed_.pop_front();
        }

        if (sort) {
            line("// EXEC SORT,SIZE=256K");
            line(" SORT FIELDS=(1," + std::to_string(4 + pick(20)) + ",CH,A)");
            line(" END");
        } else if (chance(12)) {
            line("// EXEC DLZRRC00,SIZE=AUTO");
            line("DLI," + application_ + "DL" + number + "," + application_ + "PSB" + std::to_string(pick(9)));
        } else {
            char program[16];
            std::snprintf(program, sizeof program, "%s%04d", application_.c_str(), pick(10000));
            line("// EXEC " + std::string(program) + ",SIZE=AUTO");
        }
        line("/*");
        ++job_.steps;
    }

    std::mt19937 random_;
    std::string application_;
    std::deque<std::string> passed_;
    GeneratedJob job_;
};

} // namespace

GeneratedJob generateJclJob(int index, unsigned seed) { return JobWriter(index, seed).write(); }

std::vector<GeneratedJob> generateJclJobs(int count, unsigned seed) {
    std::vector<GeneratedJob> jobs;
    jobs.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i)
        jobs.push_back(generateJclJob(i, seed));
    return jobs;
}

bool writeJclJobs(const std::vector<GeneratedJob>& jobs, const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const GeneratedJob& job : jobs) {
        std::ofstream out(folder / (job.name + ".jcl"), std::ios::binary);
        out << job.text;
        if (!out)
            return false;
    }
    return true;
}

} // namespace plexo::bench
