#include "base/userinterface.h"

#include "base/log.h"

#include <string>

namespace plexo {
namespace {

UserInterface defaultInterface;
UserInterface* currentInterface = &defaultInterface;

} // namespace

MessageAnswer UserInterface::messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                        MessageButtons buttons) {
    // Without a desktop the message goes to the log and the safe answer is taken:
    // the one that changes nothing.
    std::string line(caption);
    line += " : ";
    line += text;
    logMessage(0, 0, icon == MessageIcon::Error || icon == MessageIcon::Warning ? kError : kInformation, line,
               false);
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

bool UserInterface::setClipboardData(std::string_view format, std::vector<std::uint8_t> bytes) {
    clipboardFormat_ = format;
    clipboardBytes_ = std::move(bytes);
    clipboardFull_ = true;
    clipboardText_.reset();
    clipboardImage_.reset();
    return true;
}

bool UserInterface::setClipboardText(std::string_view utf8) {
    clipboardFull_ = false;
    clipboardBytes_.clear();
    clipboardText_ = std::string(utf8);
    clipboardImage_.reset();
    return true;
}

std::optional<std::string> UserInterface::clipboardText() {
    return clipboardText_;
}

bool UserInterface::setClipboardImage(ClipboardImage image) {
    clipboardFull_ = false;
    clipboardBytes_.clear();
    clipboardText_.reset();
    clipboardImage_ = std::move(image);
    return true;
}

std::optional<ClipboardImage> UserInterface::clipboardImage() {
    return clipboardImage_;
}

std::optional<std::vector<std::uint8_t>> UserInterface::clipboardData(std::string_view format) {
    if (!clipboardFull_ || clipboardFormat_ != format)
        return std::nullopt;
    return clipboardBytes_;
}

void setUserInterface(UserInterface* ui) {
    currentInterface = ui ? ui : &defaultInterface;
}

UserInterface& userInterface() {
    return *currentInterface;
}

} // namespace plexo
