#include "base/log.h"

#include <cstdio>
#include <string>

namespace plexo {
namespace {

// Until the application installs its sink (command-line verbs, early start-up),
// messages go to standard error, errors marked as such.
class StderrSink : public LogSink {
public:
    void logMessage(int, int, int severity, std::string_view text, bool) override {
        std::string line(text);
        std::fprintf(stderr, "%s%s\n", severity != kInformation ? "erreur: " : "", line.c_str());
    }
};

StderrSink defaultSink;
LogSink* currentSink = &defaultSink;

} // namespace

void setLogSink(LogSink* sink) {
    currentSink = sink ? sink : &defaultSink;
}

LogSink* logSink() {
    return currentSink;
}

void logMessage(int code1, int code2, int severity, std::string_view text, bool popUp) {
    currentSink->logMessage(code1, code2, severity, text, popUp);
}

} // namespace plexo
