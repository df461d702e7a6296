// The one reporting path of the whole program: every subsystem reports progress
// and problems through logMessage. The core knows only this function; the
// application installs the sink that keeps the message list and the log file.
#pragma once

#include <string_view>

namespace plexo {

enum Severity : int {
    kInformation = 0,
    kError = 1,
};

// Receives every message. Installed once by the application (or a test).
class LogSink {
public:
    virtual ~LogSink() = default;
    // text is UTF-8.
    virtual void logMessage(int code1, int code2, int severity, std::string_view text, bool popUp) = 0;
};

// Installs the sink (nullptr restores the default, which writes to standard error).
void setLogSink(LogSink* sink);
LogSink* logSink();

// text is UTF-8; names taken from documents must be converted with cp1252ToUtf8 first.
void logMessage(int code1, int code2, int severity, std::string_view text, bool popUp = false);

// Shorthand for the common case of code1 = code2 = 0.
inline void logInfo(std::string_view text) {
    logMessage(0, 0, kInformation, text, false);
}
inline void logError(std::string_view text, bool popUp = true) {
    logMessage(0, 0, kError, text, popUp);
}

} // namespace plexo
