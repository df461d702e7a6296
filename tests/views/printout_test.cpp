// Printing a folio offscreen: a 2 × 3 folio printed to a PDF file gives six
// sheets, the object across a border on both; the preview shows the same
// sheets (its picture is kept in /tmp for a look); a cancelled job changes
// nothing.
#include "views/print/printout.h"

#include "edit/schemacommands.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"
#include "store/undo.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"
#include "views/print/sheetpainter.h"
#include "views/schema/saoview.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <podofo/podofo.h>

namespace plexo {
namespace {

class PrintOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.open({}));
        folio = document.folios.front().get();
        folio->number = "F7";
        folio->pagesAcross = 2;
        folio->pagesDown = 3;
        folio->acquire();
        const PageSize page = folio->pageSize();
        // Across the border between page 1 and the page below it (page 2).
        auto box =
            test::makeShape(kRectangle, {{100000, page.height - 50000}, {300000, page.height + 50000}});
        box->style.set(kFillColour, 1);
        box->style.set(kPattern, 0);
        folio->append(std::move(box));
    }
    void TearDown() override {
        folio->release(false);
        document.close();
    }

    test::ScriptedUserInterface ui;
    saoDoc document;
    Folio* folio = nullptr;
    test::TemporaryFolder folder;
};

TEST_F(PrintOutTest, ATwoByThreeFolioPrintsSixSheetsToAPdfPrinter) {
    saoPrintOut printOut(document.title(), *folio);
    EXPECT_EQ(printOut.firstPage(), 1);
    EXPECT_EQ(printOut.lastPage(), 6);
    EXPECT_TRUE(printOut.hasPage(6));
    EXPECT_FALSE(printOut.hasPage(7));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string path = (folder / "folio.pdf").string();
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setPageSize(sheetPageSize(*folio));
    EXPECT_EQ(printOut.print(printer), saoPrintOut::Outcome::Printed);
    PoDoFo::PdfMemDocument pdf;
    pdf.Load(path.c_str());
    EXPECT_EQ(pdf.GetPageCount(), 6);

    // A page range prints only its sheets.
    const std::string part = (folder / "part.pdf").string();
    printer.setOutputFileName(QString::fromStdString(part));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    EXPECT_EQ(printOut.print(printer), saoPrintOut::Outcome::Printed);
    PoDoFo::PdfMemDocument some;
    some.Load(part.c_str());
    EXPECT_EQ(some.GetPageCount(), 2);
}

TEST_F(PrintOutTest, ThePrinterTakesTheStandardPaperTurnedAsThePage) {
    QPrinter printer(QPrinter::HighResolution);
    takeSheetPaper(printer, *folio);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    document.portrait = 0;
    document.computeDocumentSize();
    takeSheetPaper(printer, *folio);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    document.portrait = 1;
    document.computeDocumentSize();
}

TEST_F(PrintOutTest, ThePreviewShowsTheSheetsThatPrint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(sheetPageSize(*folio));
    saoPrintOut printOut(document.title(), *folio);
    int sheets = 0;
    QPrintPreviewDialog dialog(&printer);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        printOut.print(*target, &dialog);
        ++sheets;
    });
    dialog.resize(900, 700);
    dialog.show();
    QApplication::processEvents();
    QTest::qWait(50);
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 6);
    EXPECT_GE(sheets, 1);
    preview->setViewMode(QPrintPreviewWidget::AllPagesView);
    QApplication::processEvents();
    dialog.grab().save("/tmp/plexo-print-preview.png");
    // The sheet below the first shows the bottom of the box that crosses the
    // border: both sheets hold red.
    QImage first(600, 850, QImage::Format_RGB32), second(600, 850, QImage::Format_RGB32);
    for (QImage* image : {&first, &second}) {
        image->fill(Qt::white);
        QPainter painter(image);
        paintPrintedSheet(painter, QRectF(0, 0, 600, 850), *folio, image == &first ? 1 : 2);
    }
    EXPECT_EQ(QColor(first.pixel(200, 835)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(second.pixel(200, 20)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(second.pixel(200, 100)), QColor(255, 255, 255));
    dialog.close();
}

TEST_F(PrintOutTest, ACancelledJobChangesNothing) {
    for (int i = 0; i < saoPrintOut::kProgressObjects; ++i)
        folio->append(
            test::makeShape(kRectangle, {{1000 * (i % 400), 1000}, {1000 * (i % 400) + 500, 2000}}));
    const std::size_t objects = folio->objects.size();
    const Point first = folio->objects[0]->points[0];
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder / "annule.pdf").string()));
    saoPrintOut printOut(document.title(), *folio);
    // Cancel as soon as the progress dialog shows.
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(widget))
                progress->cancel();
    });
    const bool modified = document.isModified();
    const auto outcome = printOut.print(printer);
    EXPECT_EQ(outcome, saoPrintOut::Outcome::Cancelled);
    EXPECT_EQ(ui.boxes.empty() ? std::string() : ui.boxes.back().text, "Impression annulée");
    EXPECT_EQ(folio->objects.size(), objects);
    EXPECT_EQ(folio->objects[0]->points[0], first);
    EXPECT_EQ(document.isModified(), modified);
}

// Answers the next modal dialog: accepts or rejects it, and says which class it
// was, its title and the entries of its combo boxes.
void answerNextDialog(bool accept, QString& seen) {
    QTimer::singleShot(100, [accept, &seen] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = QString::fromLatin1(dialog->metaObject()->className()) + " " + dialog->windowTitle();
            for (QComboBox* box : dialog->findChildren<QComboBox*>())
                for (int i = 0; i < box->count(); ++i)
                    seen += " | " + box->itemText(i);
            accept ? dialog->accept() : dialog->reject();
        }
    });
}

TEST_F(PrintOutTest, TheViewCommitsThenACancelledDialogChangesNothingElse) {
    saoView view(document);
    view.resize(600, 400);
    view.show();
    Folio& shown = *view.folio();
    ASSERT_FALSE(shown.objects.empty());
    shown.objects.front()->selected = true;
    deleteSelection(document, shown);
    ASSERT_TRUE(undoLabelFor(document, &shown).enabled);
    const std::size_t objects = shown.objects.size();
    QString seen;
    answerNextDialog(false, seen);
    ASSERT_TRUE(schemaCommands().run(cmd::kPrint, view));
    EXPECT_TRUE(seen.contains("PrintDialog Imprimer")) << seen.toStdString();
    EXPECT_TRUE(seen.contains("| Imprimer dans un fichier (PDF)")) << seen.toStdString();
    // Only the commit happened: nothing to undo, the deleted object gone.
    EXPECT_FALSE(undoLabelFor(document, &shown).enabled);
    EXPECT_EQ(shown.objects.size(), objects - 1);
    EXPECT_TRUE(ui.boxes.empty());

    // The printer setup: the pane takes the page size again.
    answerNextDialog(false, seen);
    schemaCommands().run(cmd::kPageSetup, view);
    EXPECT_TRUE(seen.contains("PageSetup")) << seen.toStdString();
}

} // namespace
} // namespace plexo
