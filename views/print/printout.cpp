#include "views/print/printout.h"

#include "base/format.h"
#include "base/userinterface.h"
#include "store/folio.h"
#include "views/print/printstrings.h"
#include "views/print/sheetpainter.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace plexo {

namespace {

bool paperChosen = false;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QPrinter& applicationPrinter() {
    // Made on first use and deleted with the application, while the print
    // plugins it holds are still loaded.
    static QPrinter* printer = [] {
        auto* made = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine([] { delete &applicationPrinter(); });
        return made;
    }();
    return *printer;
}

bool printerPaperChosen() {
    return paperChosen;
}

void setPrinterPaperChosen(bool chosen) {
    paperChosen = chosen;
}

void frenchPrintDialog(QPrintDialog& dialog) {
    dialog.setWindowTitle(QString::fromUtf8(printstrings::kPrintDialogTitle));
    // Qt's dialog lists the PDF writer after the CUPS printers, under an
    // English name, once it is shown.
    QDialog* shown = &dialog;
    QTimer::singleShot(0, shown, [shown] {
        for (QComboBox* printers : shown->findChildren<QComboBox*>(QStringLiteral("printers"))) {
            const int pdf = printers->findText(QStringLiteral("Print to File (PDF)"));
            if (pdf < 0)
                continue;
            printers->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            printers->setItemText(pdf, QString::fromUtf8(printstrings::kPrintToFile));
            printers->setMinimumWidth(printers->sizeHint().width());
        }
        shown->adjustSize();
    });
}

saoPrintOut::saoPrintOut(std::string title, Folio& folio)
    : title_(std::move(title)), folio_(folio), layout_(folio) {}

saoPrintOut::Outcome saoPrintOut::print(QPrinter& printer, QWidget* parent) {
    int first = firstPage(), last = lastPage();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    if (first > last)
        return Outcome::Printed;
    printer.setDocName(utf8(title_));

    const int objects = static_cast<int>(folio_.objects.size());
    std::unique_ptr<QProgressDialog> progress;
    if (objects >= kProgressObjects) {
        progress = std::make_unique<QProgressDialog>(parent);
        progress->setWindowTitle(QString::fromUtf8(printstrings::kProgressCaption));
        progress->setCancelButtonText(QString::fromUtf8(printstrings::kCancelButton));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setRange(0, (last - first + 1) * objects);
        progress->show();
    }

    QPainter painter;
    if (!painter.begin(&printer)) {
        userInterface().messageBox(format(printstrings::kPrintFailed, title_), printstrings::kProgressCaption,
                                   MessageIcon::Error);
        return Outcome::Failed;
    }
    bool cancelled = false;
    for (int n = first; n <= last && !cancelled; ++n) {
        if (n > first && !printer.newPage()) {
            painter.end();
            userInterface().messageBox(format(printstrings::kPrintFailed, title_),
                                       printstrings::kProgressCaption, MessageIcon::Error);
            return Outcome::Failed;
        }
        PrintedSheetOptions options;
        if (progress) {
            progress->setLabelText(
                utf8(format(printstrings::kProgressText, n, title_,
                            printer.printerName().isEmpty() ? printer.outputFileName().toStdString()
                                                            : printer.printerName().toStdString())));
            const int base = (n - first) * objects;
            options.progress = [&progress, base](int drawn, int) {
                progress->setValue(base + drawn);
                QApplication::processEvents();
                return !progress->wasCanceled();
            };
        }
        const QRectF page(0, 0, printer.width(), printer.height());
        cancelled = !paintPrintedSheet(painter, page, folio_, n, options);
    }
    if (cancelled) {
        printer.abort();
        painter.end();
        userInterface().messageBox(printstrings::kCancelled, printstrings::kProgressCaption,
                                   MessageIcon::Information);
        return Outcome::Cancelled;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        userInterface().messageBox(format(printstrings::kPrintFailed, title_), printstrings::kProgressCaption,
                                   MessageIcon::Error);
        return Outcome::Failed;
    }
    return Outcome::Printed;
}

} // namespace plexo
