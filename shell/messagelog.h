// The application's message list and log file: every message reported
// through logMessage is appended as one dated line to "Plexo.log.txt" and kept
// in a list of at most 500 messages that the message window shows.
#pragma once

#include "base/log.h"

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace plexo {

struct Message {
    int code1 = 0;
    int code2 = 0;
    int severity = kInformation; // 0 information, 1 error
    std::string text;            // UTF-8
};

// The local date and time written at the start of each log line.
struct LogTime {
    int day = 1;
    int month = 1;
    int year = 1970;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class MessageLog : public LogSink {
public:
    static constexpr std::size_t kMaxMessages = 500;
    static constexpr std::size_t kLineBufferSize = 500; // a log line and its terminator
    static constexpr const char* kFileName = "Plexo.log.txt";

    using Clock = std::function<LogTime()>;
    // Told of each new message after it joined the list; popUp as given.
    using Listener = std::function<void(const Message& message, bool popUp)>;

    // Opens the log file for appending (creating it when missing). A file that
    // cannot be opened or created is not written for the whole run; the list
    // still receives every message. clock defaults to the local time.
    explicit MessageLog(const std::filesystem::path& logPath, Clock clock = {});
    ~MessageLog() override;
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    void logMessage(int code1, int code2, int severity, std::string_view text, bool popUp) override;

    void setListener(Listener listener) { listener_ = std::move(listener); }

    const std::deque<Message>& messages() const { return messages_; }
    bool isFileOpen() const { return file_ != nullptr; }
    // Closes the file; later messages reach the list only.
    void close();

    // The line written for a message (without CR LF): at most
    // kLineBufferSize - 1 bytes, cut on a character boundary.
    static std::string formatLine(const LogTime& time, int code1, int code2, int severity,
                                  std::string_view text);

    static LogTime localTime();

private:
    std::FILE* file_ = nullptr;
    Clock clock_;
    Listener listener_;
    std::deque<Message> messages_;
};

} // namespace plexo
