// The search dialog offscreen: OK stores the record and starts again from the
// first object, "&Annuler" leaves it alone.
#include "views/dialogs/dlogfind.h"

#include "store/selection.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace plexo {
namespace {

void answer(const QString& button, const QString& text, bool whole) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<DlogFind*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->textField()->setText(text);
        dialog->wholeNameBox()->setChecked(whole);
        for (QPushButton* candidate : dialog->findChildren<QPushButton*>())
            if (candidate->text() == button)
                QTest::mouseClick(candidate, Qt::LeftButton);
    });
}

TEST(DlogFind, OkStoresTheRecordCancelLeavesIt) {
    SearchRecord search;
    search.text = "relais";
    search.resumeIndex = 7;
    answer(QString::fromUtf8("&Annuler"), "x", true);
    EXPECT_FALSE(DlogFind::edit(search, nullptr));
    EXPECT_EQ(search.text, "relais");
    EXPECT_FALSE(search.wholeName);

    answer(QString::fromUtf8("&OK"), QString::fromUtf8("Vanne été"), true);
    EXPECT_TRUE(DlogFind::edit(search, nullptr));
    EXPECT_EQ(search.text, "Vanne \xe9t\xe9");
    EXPECT_TRUE(search.wholeName);
    EXPECT_FALSE(search.caseSensitive);
    EXPECT_EQ(search.resumeIndex, 0);

    DlogFind dialog(search);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Recherche"));
    EXPECT_EQ(dialog.textField()->maxLength(), 48);
}

} // namespace
} // namespace plexo
