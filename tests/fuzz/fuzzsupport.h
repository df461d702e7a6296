// What the fuzz targets share: a log that says nothing, the input written to a
// scratch file, and the check that "plexo dump" and "plexo check" agree on a file.
#pragma once

#include "base/log.h"
#include "library/storecommands.h"
#include "shapes/fontlist.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace plexo::fuzz {

// A log sink that drops every message: the readers log each fault they meet.
class QuietLog : public LogSink {
public:
    void logMessage(int, int, int, std::string_view, bool) override {}
};

// Sends the log to a QuietLog for the whole run.
inline void silenceLog() {
    static QuietLog quiet;
    setLogSink(&quiet);
}

// Faces met in the data join the session's font list; starting each input from
// the same list keeps memory from growing from one input to the next.
inline void resetFontList() {
    fontList().setInstalledFonts({"Arial", "Times New Roman"});
}

inline void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

// The dump of a readable file parses as JSON and lists exactly the problems
// that check reports; anything else stops the fuzzer.
inline void checkDump(const std::string& path) {
    const StoreFileReport report = inspectStoreFile(path);
    if (!report.readable)
        return;
    const nlohmann::json dump = nlohmann::json::parse(report.json, nullptr, false);
    if (dump.is_discarded())
        __builtin_trap();
    const bool listed = dump.contains("problems");
    if (listed != !report.problems.empty() ||
        (listed && dump["problems"] != nlohmann::json(report.problems)) ||
        checkStoreFile(path) != report.problems)
        __builtin_trap();
}

} // namespace plexo::fuzz
