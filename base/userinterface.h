// What the core may ask of the user and the desktop, without knowing the GUI:
// message boxes, the beep, the busy cursor, the status bar's progress gauge and
// the clipboard. The application installs a Qt implementation; tests install a
// fake; command-line verbs keep the default, which answers without asking.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // text and caption are UTF-8. Returns the button chosen.
    virtual MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                     MessageButtons buttons = MessageButtons::Ok);
    virtual void beep() {}

    // Nested calls are allowed; the cursor returns to normal at the last end.
    virtual void beginBusy() {}
    virtual void endBusy() {}

    // The status bar's progress gauge: started with a total and a UTF-8 title,
    // advanced to a position between 0 and the total, reset at the end.
    virtual void startProgress(int total, std::string_view title) { (void)total, (void)title; }
    virtual void advanceProgress(int position) { (void)position; }
    virtual void resetProgress() {}

    // Clipboard data by registered format name (for example "Plexo100PP").
    // Setting replaces the clipboard's whole content.
    virtual bool setClipboardData(std::string_view format, std::vector<std::uint8_t> bytes);
    virtual std::optional<std::vector<std::uint8_t>> clipboardData(std::string_view format);
    virtual bool clipboardHasFormat(std::string_view format) { return clipboardData(format).has_value(); }
    // Plain text (UTF-8) for and from other programs; setting it also replaces
    // the clipboard's whole content.
    virtual bool setClipboardText(std::string_view utf8);
    virtual std::optional<std::string> clipboardText();

protected:
    // The default clipboard lives in the process, so command-line work and
    // tests can copy and paste folios without a desktop.
    std::string clipboardFormat_;
    std::vector<std::uint8_t> clipboardBytes_;
    bool clipboardFull_ = false;
    std::optional<std::string> clipboardText_;
};

// nullptr restores the default implementation.
void setUserInterface(UserInterface* ui);
UserInterface& userInterface();

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor() { userInterface().beginBusy(); }
    ~BusyCursor() { userInterface().endBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace plexo
