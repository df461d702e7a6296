#include "support/testenvironment.h"

#include <atomic>
#include <cstdlib>
#include <unistd.h>

namespace plexo::test {

RecordingLog::RecordingLog() : previous_(logSink()) { setLogSink(this); }

RecordingLog::~RecordingLog() { setLogSink(previous_); }

void RecordingLog::logMessage(int code1, int code2, int severity, std::string_view text, bool popUp) {
    messages.push_back({code1, code2, severity, std::string(text), popUp});
}

bool RecordingLog::contains(std::string_view text) const {
    for (const auto& m : messages)
        if (m.text.find(text) != std::string::npos)
            return true;
    return false;
}

ScriptedUserInterface::ScriptedUserInterface() : previous_(&userInterface()) { setUserInterface(this); }

ScriptedUserInterface::~ScriptedUserInterface() { setUserInterface(previous_); }

MessageAnswer ScriptedUserInterface::messageBox(std::string_view text, std::string_view caption,
                                                MessageIcon icon, MessageButtons buttons) {
    boxes.push_back({std::string(text), std::string(caption), icon, buttons});
    if (!answers.empty()) {
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                      : MessageAnswer::Ok;
}

void ScriptedUserInterface::startProgress(int total, std::string_view title) {
    progressStarts.emplace_back(total, std::string(title));
}

TemporaryFolder::TemporaryFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("plexo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path sourceDir() {
    if (const char* dir = std::getenv("PLEXO_SOURCE_DIR"); dir && *dir)
        return std::filesystem::path(dir);
    return std::filesystem::path(PLEXO_SOURCE_DIR);
}

} // namespace plexo::test
