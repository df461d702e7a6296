// What the core may ask of the user and the desktop, without knowing the GUI:
// message boxes, the beep, the busy cursor, the status bar's progress gauge and
// the clipboard. The application installs a Qt implementation; tests install a
// fake; command-line verbs keep the default, which answers without asking.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plexo {

class Surface;

// A picture offered with copied objects to other programs: width × height
// pixels, painted by draw at one document point to one pixel.
struct ClipboardPicture {
    int width = 0;
    int height = 0;
    std::function<void(Surface&)> draw;
};

// An image from or for the clipboard: top-down RGBA, 4 bytes a pixel.
struct ClipboardImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

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
    // The private data and, beside it, a picture of it for other programs (the
    // default clipboard keeps the data only).
    virtual bool setClipboardObjects(std::string_view format, std::vector<std::uint8_t> bytes,
                                     const ClipboardPicture& picture) {
        (void)picture;
        return setClipboardData(format, std::move(bytes));
    }
    // Plain text (UTF-8) and images, for and from other programs; setting one also
    // replaces the clipboard's whole content.
    virtual bool setClipboardText(std::string_view utf8);
    virtual std::optional<std::string> clipboardText();
    virtual bool setClipboardImage(ClipboardImage image);
    virtual std::optional<ClipboardImage> clipboardImage();
    // Whether they are there, without decoding them (asked whenever menus update).
    virtual bool clipboardHasText() { return clipboardText().has_value(); }
    virtual bool clipboardHasImage() { return clipboardImage().has_value(); }

protected:
    // The default clipboard lives in the process, so command-line work and
    // tests can copy and paste folios without a desktop.
    std::string clipboardFormat_;
    std::vector<std::uint8_t> clipboardBytes_;
    bool clipboardFull_ = false;
    std::optional<std::string> clipboardText_;
    std::optional<ClipboardImage> clipboardImage_;
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
