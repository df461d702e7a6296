// The desktop side of the core's user interface: French message boxes, the
// system beep, the busy cursor, the status bar's progress gauge and the
// clipboard (each format as the MIME type "application/x-plexo-<format>", with
// plain text and images exchanged with other programs as text/plain and image/png;
// copied objects are also offered as a picture in image/png and image/svg+xml).
#pragma once

#include "base/userinterface.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace plexo {

class Therm;

// The MIME type of the vector picture offered with copied objects.
inline constexpr const char* kSvgMimeType = "image/svg+xml";

// The picture as an SVG document drawn at natural size: its view box is the
// picture's width × height (one document point to one unit) and its physical
// size takes one unit as one typographic point. Empty for an empty picture.
QByteArray svgOfPicture(const ClipboardPicture& picture);

class QtUserInterface : public UserInterface {
public:
    QtUserInterface() = default;

    // The window that owns the message boxes and the gauge that shows progress.
    void setFrame(QWidget* frame, Therm* therm);

    MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void beep() override;
    void beginBusy() override;
    void endBusy() override;
    void startProgress(int total, std::string_view title) override;
    void advanceProgress(int position) override;
    void resetProgress() override;
    bool setClipboardData(std::string_view format, std::vector<std::uint8_t> bytes) override;
    std::optional<std::vector<std::uint8_t>> clipboardData(std::string_view format) override;
    bool clipboardHasFormat(std::string_view format) override;
    bool setClipboardObjects(std::string_view format, std::vector<std::uint8_t> bytes,
                             const ClipboardPicture& picture) override;
    bool setClipboardText(std::string_view utf8) override;
    std::optional<std::string> clipboardText() override;
    bool setClipboardImage(ClipboardImage image) override;
    std::optional<ClipboardImage> clipboardImage() override;
    bool clipboardHasText() override;
    bool clipboardHasImage() override;

    static QString mimeType(std::string_view format);

private:
    QPointer<QWidget> frame_;
    QPointer<Therm> therm_;
    int busyDepth_ = 0;
};

} // namespace plexo
