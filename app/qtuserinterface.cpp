#include "app/qtuserinterface.h"

#include "app/therm.h"
#include "views/qtsurface.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>

namespace plexo {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon qIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The largest picture offered with copied objects (pixels); a larger selection
// goes to the clipboard without its picture.
constexpr qint64 kMaxPicturePixels = 40'000'000;

QMimeData* objectsMimeData(std::string_view format, const std::vector<std::uint8_t>& bytes) {
    auto* data = new QMimeData;
    data->setData(QtUserInterface::mimeType(format), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                                static_cast<qsizetype>(bytes.size())));
    return data;
}

} // namespace

QByteArray svgOfPicture(const ClipboardPicture& picture) {
    if (!picture.draw || picture.width <= 0 || picture.height <= 0)
        return {};
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    // 72 units an inch: one unit of the picture is one typographic point.
    generator.setResolution(72);
    generator.setSize(QSize(picture.width, picture.height));
    generator.setViewBox(QRect(0, 0, picture.width, picture.height));
    generator.setTitle(QStringLiteral("Plexo"));
    {
        QPainter painter(&generator);
        QtSurface surface(painter);
        picture.draw(surface);
    }
    return svg;
}

void QtUserInterface::setFrame(QWidget* frame, Therm* therm) {
    frame_ = frame;
    therm_ = therm;
}

QString QtUserInterface::mimeType(std::string_view format) {
    return QStringLiteral("application/x-plexo-") + fromUtf8(format);
}

MessageAnswer QtUserInterface::messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                          MessageButtons buttons) {
    QWidget* parent = QApplication::activeWindow() ? QApplication::activeWindow() : frame_.data();
    QMessageBox box(qIcon(icon), fromUtf8(caption), fromUtf8(text), QMessageBox::NoButton, parent);
    struct Choice {
        MessageAnswer answer;
        const char* label;
        QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case MessageButtons::Ok:
        choices = {{MessageAnswer::Ok, "OK", QMessageBox::AcceptRole}};
        break;
    case MessageButtons::OkCancel:
        choices = {{MessageAnswer::Ok, "OK", QMessageBox::AcceptRole},
                   {MessageAnswer::Cancel, "Annuler", QMessageBox::RejectRole}};
        break;
    case MessageButtons::YesNo:
        choices = {{MessageAnswer::Yes, "&Oui", QMessageBox::YesRole},
                   {MessageAnswer::No, "&Non", QMessageBox::NoRole}};
        break;
    case MessageButtons::YesNoCancel:
        choices = {{MessageAnswer::Yes, "&Oui", QMessageBox::YesRole},
                   {MessageAnswer::No, "&Non", QMessageBox::NoRole},
                   {MessageAnswer::Cancel, "Annuler", QMessageBox::RejectRole}};
        break;
    }
    std::vector<QPushButton*> pushButtons;
    for (const auto& choice : choices)
        pushButtons.push_back(box.addButton(QString::fromUtf8(choice.label), choice.role));
    box.setDefaultButton(pushButtons.front());
    // Escape (and the close button) takes the answer that changes nothing.
    box.setEscapeButton(pushButtons.back());
    // A busy cursor must not hide the pointer while the user answers.
    const bool busy = busyDepth_ > 0;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QGuiApplication::restoreOverrideCursor();
    for (std::size_t i = 0; i < pushButtons.size(); ++i)
        if (box.clickedButton() == pushButtons[i])
            return choices[i].answer;
    return choices.back().answer;
}

void QtUserInterface::beep() {
    QApplication::beep();
}

void QtUserInterface::beginBusy() {
    ++busyDepth_;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::endBusy() {
    if (busyDepth_ == 0)
        return;
    --busyDepth_;
    QGuiApplication::restoreOverrideCursor();
}

void QtUserInterface::startProgress(int total, std::string_view title) {
    if (therm_)
        therm_->startProgress(total, fromUtf8(title));
}

void QtUserInterface::advanceProgress(int position) {
    if (therm_)
        therm_->advanceProgress(position);
}

void QtUserInterface::resetProgress() {
    if (therm_)
        therm_->resetProgress();
}

bool QtUserInterface::setClipboardData(std::string_view format, std::vector<std::uint8_t> bytes) {
    auto* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setMimeData(objectsMimeData(format, bytes));
    return true;
}

bool QtUserInterface::setClipboardObjects(std::string_view format, std::vector<std::uint8_t> bytes,
                                          const ClipboardPicture& picture) {
    auto* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    QMimeData* data = objectsMimeData(format, bytes);
    const QByteArray svg = svgOfPicture(picture);
    if (!svg.isEmpty())
        data->setData(QString::fromLatin1(kSvgMimeType), svg);
    if (picture.draw && picture.width > 0 && picture.height > 0 &&
        qint64{picture.width} * picture.height <= kMaxPicturePixels) {
        // Other programs get the objects as drawn at natural size on a clear ground.
        QImage image(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
        if (!image.isNull()) {
            image.fill(Qt::transparent);
            {
                QPainter painter(&image);
                QtSurface surface(painter);
                picture.draw(surface);
            }
            data->setImageData(image);
        }
    }
    clipboard->setMimeData(data);
    return true;
}

bool QtUserInterface::setClipboardText(std::string_view utf8) {
    auto* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(fromUtf8(utf8));
    return true;
}

std::optional<std::string> QtUserInterface::clipboardText() {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text().toStdString();
}

bool QtUserInterface::setClipboardImage(ClipboardImage image) {
    auto* clipboard = QGuiApplication::clipboard();
    if (!clipboard || image.width <= 0 || image.height <= 0 ||
        image.rgba.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4)
        return false;
    const QImage wrapped(image.rgba.data(), image.width, image.height, image.width * 4,
                         QImage::Format_RGBA8888);
    clipboard->setImage(wrapped.copy());
    return true;
}

bool QtUserInterface::clipboardHasText() {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

bool QtUserInterface::clipboardHasImage() {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasImage();
}

std::optional<ClipboardImage> QtUserInterface::clipboardImage() {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasImage())
        return std::nullopt;
    const QImage image = qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull())
        return std::nullopt;
    ClipboardImage result;
    result.width = image.width();
    result.height = image.height();
    result.rgba.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()) *
                        4);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        result.rgba.insert(result.rgba.end(), line, line + static_cast<std::ptrdiff_t>(image.width()) * 4);
    }
    return result;
}

std::optional<std::vector<std::uint8_t>> QtUserInterface::clipboardData(std::string_view format) {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasFormat(mimeType(format)))
        return std::nullopt;
    QByteArray bytes = data->data(mimeType(format));
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QtUserInterface::clipboardHasFormat(std::string_view format) {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasFormat(mimeType(format));
}

} // namespace plexo
