// Fakes for the core's interfaces, shared by the test suites.
#pragma once

#include "base/log.h"
#include "base/userinterface.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace plexo::test {

struct LoggedMessage {
    int code1 = 0;
    int code2 = 0;
    int severity = 0;
    std::string text;
    bool popUp = false;
};

// Keeps every message logged while it is installed (constructor installs,
// destructor restores the previous sink).
class RecordingLog : public LogSink {
public:
    RecordingLog();
    ~RecordingLog() override;
    void logMessage(int code1, int code2, int severity, std::string_view text, bool popUp) override;

    std::vector<LoggedMessage> messages;
    bool contains(std::string_view text) const;

private:
    LogSink* previous_;
};

struct ShownMessageBox {
    std::string text;
    std::string caption;
    MessageIcon icon;
    MessageButtons buttons;
};

// Records message boxes and answers them from a queue (default: the first
// button's positive answer: Ok or Yes); records the gauge and keeps an
// in-memory clipboard. Installed for its lifetime.
class ScriptedUserInterface : public UserInterface {
public:
    ScriptedUserInterface();
    ~ScriptedUserInterface() override;

    MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void beep() override { ++beeps; }
    void beginBusy() override {
        ++busyDepth;
        ++busyCount;
    }
    void endBusy() override { --busyDepth; }
    void startProgress(int total, std::string_view title) override;
    void advanceProgress(int position) override { progressPositions.push_back(position); }
    void resetProgress() override { ++progressResets; }
    // Keeps the picture offered with copied objects, then copies as the default does.
    bool setClipboardObjects(std::string_view format, std::vector<std::uint8_t> bytes,
                             const ClipboardPicture& picture) override {
        clipboardPicture = picture;
        return UserInterface::setClipboardObjects(format, std::move(bytes), picture);
    }

    std::deque<MessageAnswer> answers;
    std::vector<ShownMessageBox> boxes;
    int beeps = 0;
    int busyDepth = 0;
    int busyCount = 0;
    std::vector<std::pair<int, std::string>> progressStarts;
    std::vector<int> progressPositions;
    int progressResets = 0;
    ClipboardPicture clipboardPicture;

private:
    UserInterface* previous_;
};

// A fresh, empty folder under the system's temporary folder, removed at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The source tree (for test data): $PLEXO_SOURCE_DIR when set, else the tree the tests were built from.
std::filesystem::path sourceDir();

} // namespace plexo::test
