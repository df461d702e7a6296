// The folio dialog offscreen: OK writes the folio, "&Annuler" leaves it alone.
#include "views/dialogs/dlogfolio.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plexo {
namespace {

// Types into the open dialog, then presses the button whose text is given.
void answerDialog(const QString& button, const QString& number) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<DlogFolio*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->numberField()->selectAll();
        QTest::keyClicks(dialog->numberField(), number);
        dialog->titleField(0)->insert(QString::fromUtf8("Schéma")); // not typable key by key
        for (QPushButton* candidate : dialog->findChildren<QPushButton*>()) {
            if (candidate->text() == button)
                QTest::mouseClick(candidate, Qt::LeftButton);
        }
    });
}

TEST(DlogFolio, OkWritesTheFolioCancelLeavesIt) {
    Folio folio;
    folio.number = "1";
    folio.date = "08/12/2026";

    answerDialog(QString::fromUtf8("&Annuler"), "99");
    EXPECT_FALSE(DlogFolio::edit(folio, FolioDialogKind::Information, nullptr));
    EXPECT_EQ(folio.number, "1");
    EXPECT_EQ(folio.titles[0], "");

    answerDialog(QString::fromUtf8("&OK"), "F12");
    EXPECT_TRUE(DlogFolio::edit(folio, FolioDialogKind::NewFolio, nullptr));
    EXPECT_EQ(folio.number, "F12");
    EXPECT_EQ(folio.titles[0], "Sch\xe9ma");
    EXPECT_EQ(folio.date, "08/12/2026");
    // An untouched revision date stays empty rather than taking the picture's slashes.
    EXPECT_EQ(folio.revisionDates[0], "");
}

TEST(DlogFolio, TitlesAndFieldLengths) {
    Folio folio;
    DlogFolio fresh(FolioDialogKind::NewFolio, identificationOf(folio));
    EXPECT_EQ(fresh.windowTitle(), QString::fromUtf8("Création d'un nouveau folio"));
    EXPECT_EQ(fresh.numberField()->maxLength(), 19);
    EXPECT_EQ(fresh.titleField(2)->maxLength(), 149);
    DlogFolio information(FolioDialogKind::Information, identificationOf(folio));
    EXPECT_EQ(information.windowTitle(), QString::fromUtf8("Information folio"));
    // The date takes digits only, in the picture ##/##/####.
    information.dateField()->clear();
    QTest::keyClicks(information.dateField(), "ab0102x2026");
    EXPECT_EQ(information.dateField()->text(), "01/02/2026");
}

} // namespace
} // namespace plexo
