#include "app/qtuserinterface.h"

#include "app/therm.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

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

} // namespace

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
    auto* data = new QMimeData;
    data->setData(mimeType(format), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<qsizetype>(bytes.size())));
    clipboard->setMimeData(data);
    return true;
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
