#include "views/dialogs/dlogshape.h"

#include "base/userinterface.h"
#include "edit/propertystrings.h"
#include "shapes/shape.h"
#include "views/dialogs/dialogbuttons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace plexo {

namespace {

constexpr int kLengthFieldSize = 14; // characters of a length field

QString qt(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

void warn(const std::string& problem) {
    userInterface().messageBox(problem, propstr::kObjectCaption, MessageIcon::Warning);
}

} // namespace

DlogShape::DlogShape(const Shape& shape, bool millimetres, QWidget* parent)
    : QDialog(parent), shape_(shape), values_(loadObjectProperties(shape)), shownScale_{millimetres, 1.0} {
    setWindowTitle(QString::fromUtf8(propstr::kObjectCaption));
    auto* layout = new QVBoxLayout(this);

    auto* nameRow = new QFormLayout;
    name_ = new QLineEdit(qt(values_.name), this);
    nameRow->addRow(QString::fromUtf8("&Libellé :"), name_);
    layout->addLayout(nameRow);

    auto* outline = new QGroupBox(QString::fromUtf8("Contour"), this);
    auto* grid = new QGridLayout(outline);
    const char* const labels[] = {"&Gauche :", "&Haut :", "&Droite :", "&Bas :"};
    for (int i = 0; i < 4; ++i) {
        auto* field = new QLineEdit(outline);
        field->setMaxLength(kLengthFieldSize);
        auto* label = new QLabel(QString::fromUtf8(labels[i]), outline);
        label->setBuddy(field);
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(field, i / 2, (i % 2) * 2 + 1);
        edges_[static_cast<std::size_t>(i)] = field;
    }
    layout->addWidget(outline);

    auto* unitBox = new QGroupBox(QString::fromUtf8("Unité :"), this);
    auto* unitRow = new QHBoxLayout(unitBox);
    points_ = new QRadioButton(QString::fromUtf8("&Points"), unitBox);
    millimetres_ = new QRadioButton(QString::fromUtf8("&mm"), unitBox);
    auto* units = new QButtonGroup(this);
    units->addButton(points_);
    units->addButton(millimetres_);
    (millimetres ? millimetres_ : points_)->setChecked(true);
    unitRow->addWidget(points_);
    unitRow->addWidget(millimetres_);
    layout->addWidget(unitBox);

    auto* calibrationRow = new QHBoxLayout;
    calibrate_ = new QCheckBox(QString::fromUtf8("&Etalonner la mesure"), this);
    calibration_ = new QLineEdit(this);
    calibration_->setMaxLength(kLengthFieldSize);
    // The length the object's width stands for, in the unit shown; an object
    // without width cannot be calibrated.
    calibration_->setText(qt(showLength(values_.box.width(), {millimetres, 1.0})));
    calibration_->setEnabled(false);
    calibrate_->setEnabled(values_.box.width() > 0);
    calibrationRow->addWidget(calibrate_);
    calibrationRow->addWidget(calibration_);
    layout->addLayout(calibrationRow);

    layout->addWidget(addOkCancel(*this));
    showEdges();

    connect(millimetres_, &QRadioButton::toggled, this, [this](bool) {
        // The calibration length follows the unit.
        PropertyProblem problem;
        const std::optional<std::int32_t> length =
            readLength(utf8(calibration_->text()), {!millimetres_->isChecked(), 1.0}, problem);
        if (length)
            calibration_->setText(qt(showLength(*length, {millimetres_->isChecked(), 1.0})));
        rescale();
    });
    connect(calibrate_, &QCheckBox::toggled, this, [this](bool on) {
        calibration_->setEnabled(on);
        rescale();
    });
    connect(calibration_, &QLineEdit::editingFinished, this, [this] { rescale(); });
    name_->setFocus();
    name_->selectAll();
}

LengthScale DlogShape::currentScale() const {
    const bool millimetres = millimetres_->isChecked();
    if (calibrate_->isChecked()) {
        PropertyProblem problem;
        if (const std::optional<std::int32_t> length =
                readLength(utf8(calibration_->text()), {millimetres, 1.0}, problem))
            if (const std::optional<LengthScale> scale = calibratedScale(values_.box, millimetres, *length))
                return *scale;
    }
    return {millimetres, 1.0};
}

bool DlogShape::readEdges() {
    std::array<std::int32_t, 4> read{};
    for (std::size_t i = 0; i < edges_.size(); ++i) {
        PropertyProblem problem;
        const std::optional<std::int32_t> v = readLength(utf8(edges_[i]->text()), shownScale_, problem);
        if (!v) {
            warn(problem);
            edges_[i]->setFocus();
            edges_[i]->selectAll();
            return false;
        }
        read[i] = *v;
    }
    // A value that reads back as it is shown keeps the object's exact coordinate.
    std::int32_t* const box[] = {&values_.box.left, &values_.box.top, &values_.box.right,
                                 &values_.box.bottom};
    for (std::size_t i = 0; i < edges_.size(); ++i)
        if (utf8(edges_[i]->text()) != showLength(*box[i], shownScale_))
            *box[i] = read[i];
    return true;
}

void DlogShape::showEdges() {
    const std::int32_t box[] = {values_.box.left, values_.box.top, values_.box.right, values_.box.bottom};
    for (std::size_t i = 0; i < edges_.size(); ++i)
        edges_[i]->setText(qt(showLength(box[i], shownScale_)));
}

void DlogShape::rescale() {
    if (!readEdges())
        return;
    if (calibrate_->isChecked() && currentScale().factor == 1.0) {
        PropertyProblem problem;
        const std::optional<std::int32_t> length =
            readLength(utf8(calibration_->text()), {millimetres_->isChecked(), 1.0}, problem);
        if (!length || *length <= 0)
            warn(length ? std::string(propstr::kBadCalibration) : problem);
    }
    shownScale_ = currentScale();
    showEdges();
}

void DlogShape::done(int result) {
    if (result == QDialog::Accepted) {
        if (!readEdges())
            return;
        values_.name = utf8(name_->text());
        const PropertyProblem problem = checkObjectProperties(shape_, values_);
        if (!problem.empty()) {
            warn(problem);
            return;
        }
    }
    QDialog::done(result);
}

std::optional<ObjectProperties> DlogShape::ask(const Shape& shape, bool millimetres, QWidget* parent) {
    DlogShape dialog(shape, millimetres, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

} // namespace plexo
