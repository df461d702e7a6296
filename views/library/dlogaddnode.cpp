#include "views/library/dlogaddnode.h"

#include "base/textcodec.h"
#include "library/browserstrings.h"
#include "views/dialogs/dialogbuttons.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace plexo {

namespace {

QString fromCp1252(const std::string& text) {
    return QString::fromStdString(cp1252ToUtf8(text));
}

// "Bibliothèque de symboles (.dly)|*.dly" in Qt's filter form.
QString qtFilter(const char* filter) {
    const QString text = QString::fromUtf8(filter);
    const int bar = text.indexOf('|');
    return bar < 0 ? text : text.left(bar) + " (" + text.mid(bar + 1) + ")";
}

} // namespace

DlogAddNode::DlogAddNode(NodeDialog dialog, const LibNode& node, Accept accept, QWidget* parent)
    : QDialog(parent), accept_(std::move(accept)) {
    const NodeDialogSetup setup = nodeDialogSetup(dialog, node);
    setWindowTitle(QString::fromUtf8(setup.caption));
    auto* layout = new QVBoxLayout(this);
    if (setup.showsNodeName) {
        shown_ = new QLabel(fromCp1252(setup.shownName), this);
        layout->addWidget(shown_);
    }
    auto* row = new QHBoxLayout;
    name_ = new QLineEdit(fromCp1252(setup.name), this);
    name_->setMinimumWidth(260);
    row->addWidget(name_);
    if (setup.hasBrowse) {
        browse_ = new QPushButton(QString::fromUtf8(libstr::kBrowse), this);
        row->addWidget(browse_);
        chooseLocationFile = [this] {
            QFileDialog chooser(this, QString::fromUtf8(libstr::kBrowseCaption), name_->text(),
                                qtFilter(libstr::kBrowseFilter));
            chooser.setAcceptMode(QFileDialog::AcceptSave);
            chooser.setDefaultSuffix("dly");
            return chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()
                       ? chooser.selectedFiles().front()
                       : QString();
        };
        connect(browse_, &QPushButton::clicked, this, [this] {
            const QString chosen = chooseLocationFile ? chooseLocationFile() : QString();
            if (!chosen.isEmpty())
                name_->setText(QString::fromStdString(folderOfChosenFile(chosen.toStdString())));
        });
    }
    layout->addLayout(row);
    if (setup.hasTypeList) {
        types_ = new QComboBox(this);
        for (const char* type : libstr::kSymbolTypes)
            types_->addItem(QString::fromUtf8(type));
        types_->setCurrentIndex(setup.symbolType);
        layout->addWidget(types_);
    }
    layout->addWidget(addOkCancel(*this));
    name_->setFocus();
}

NodeDialogValues DlogAddNode::values() const {
    NodeDialogValues values;
    values.name = utf8ToCp1252(name_->text().toStdString());
    if (types_)
        values.symbolType = static_cast<std::uint8_t>(std::max(types_->currentIndex(), 0));
    return values;
}

void DlogAddNode::accept() {
    if (accept_ && accept_(values()) == NodeDialogOutcome::StayOpen) {
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace plexo
