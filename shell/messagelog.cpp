#include "shell/messagelog.h"

#include <ctime>

namespace plexo {

MessageLog::MessageLog(const std::filesystem::path& logPath, Clock clock)
    : clock_(clock ? std::move(clock) : Clock(&MessageLog::localTime)) {
    if (!logPath.empty())
        file_ = std::fopen(logPath.c_str(), "ab");
}

MessageLog::~MessageLog() {
    close();
}

void MessageLog::close() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

LogTime MessageLog::localTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string MessageLog::formatLine(const LogTime& time, int code1, int code2, int severity,
                                   std::string_view text) {
    char prefix[96];
    int length =
        std::snprintf(prefix, sizeof prefix, "[%02d/%02d/%04d %02d:%02d:%02d] (%d,%d,%d) ", time.day,
                      time.month, time.year, time.hour, time.minute, time.second, code1, code2, severity);
    std::string line(prefix, length > 0 ? static_cast<std::size_t>(length) : 0);
    line.append(text);
    // One message, one line: a line break inside the text would start a line
    // that does not follow the format.
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    const std::size_t max = kLineBufferSize - 1;
    if (line.size() > max) {
        std::size_t end = max;
        while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
            --end;
        line.resize(end);
    }
    return line;
}

void MessageLog::logMessage(int code1, int code2, int severity, std::string_view text, bool popUp) {
    if (file_) {
        std::string line = formatLine(clock_(), code1, code2, severity, text);
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), file_);
        std::fflush(file_);
    }
    while (messages_.size() >= kMaxMessages)
        messages_.pop_front();
    messages_.push_back({code1, code2, severity, std::string(text)});
    if (listener_)
        listener_(messages_.back(), popUp);
}

} // namespace plexo
