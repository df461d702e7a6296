#include "apptestsupport.h"

#include "app/qtuserinterface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include <gtest/gtest.h>

namespace plexo {
namespace {

using test::RunningApp;

// Clicks the button labelled `label` of the message box that opens next,
// after recording its buttons.
void answerNextBox(const QString& label, QStringList& buttonsSeen, QString& textSeen) {
    QTimer::singleShot(0, [label, &buttonsSeen, &textSeen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        textSeen = box->text();
        for (QAbstractButton* button : box->buttons()) {
            buttonsSeen << button->text();
            if (button->text() == label)
                button->click();
        }
    });
}

TEST(QtUserInterface, MessageBoxesSpeakFrench) {
    RunningApp running;
    running.ui.reset(); // the application's own interface answers
    struct Case {
        MessageButtons buttons;
        const char* click;
        QStringList expectedButtons;
        MessageAnswer expected;
    } cases[] = {
        {MessageButtons::YesNoCancel, "Annuler", {"&Oui", "&Non", "Annuler"}, MessageAnswer::Cancel},
        {MessageButtons::YesNoCancel, "&Non", {"&Oui", "&Non", "Annuler"}, MessageAnswer::No},
        {MessageButtons::YesNo, "&Oui", {"&Oui", "&Non"}, MessageAnswer::Yes},
        {MessageButtons::Ok, "OK", {"OK"}, MessageAnswer::Ok},
    };
    for (const auto& c : cases) {
        QStringList seen;
        QString text;
        answerNextBox(QString::fromUtf8(c.click), seen, text);
        auto answer = userInterface().messageBox("Le document a été modifié.", "plan.dls",
                                                 MessageIcon::Question, c.buttons);
        seen.sort();
        QStringList expected = c.expectedButtons;
        expected.sort();
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(text, QString::fromUtf8("Le document a été modifié."));
        EXPECT_EQ(answer, c.expected);
    }
}

TEST(QtUserInterface, ClipboardFormatsAreNamedMimeTypes) {
    RunningApp running;
    running.ui.reset();
    const std::vector<std::uint8_t> bytes{1, 0, 255, 7};
    ASSERT_TRUE(userInterface().setClipboardData("Plexo100PP", bytes));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("application/x-plexo-Plexo100PP"));
    EXPECT_TRUE(userInterface().clipboardHasFormat("Plexo100PP"));
    EXPECT_FALSE(userInterface().clipboardHasFormat("Plex2100PP"));
    EXPECT_EQ(userInterface().clipboardData("Plexo100PP"), bytes);
    EXPECT_EQ(userInterface().clipboardData("Plex3100PP"), std::nullopt);
    // Setting replaces the whole content.
    userInterface().setClipboardData("Plex2100PP", {9});
    EXPECT_FALSE(userInterface().clipboardHasFormat("Plexo100PP"));
}

TEST(QtUserInterface, BusyCursorNests) {
    RunningApp running;
    running.ui.reset();
    {
        BusyCursor outer;
        {
            BusyCursor inner;
            ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Commands, EveryMenuAndBarCommandHasItsTexts) {
    RunningApp running;
    int checked = 0;
    for (QAction* action : running.frame().findChildren<QAction*>()) {
        const int id = action->data().toInt();
        if (id <= 0)
            continue;
        ++checked;
        EXPECT_FALSE(action->text().isEmpty()) << id;
        EXPECT_FALSE(action->statusTip().isEmpty()) << id;
        EXPECT_EQ(running.frame().action(id), action) << id;
    }
    EXPECT_GT(checked, 150);
    // Texts of the command tables, byte for byte.
    struct Text {
        int id;
        const char* text;
    } texts[] = {
        {24322, "Co&uper\tCtrl+X"},
        {1207, "Supprimer\tSuppr"},
        {784, "Atteindre le folio correspondant\tCtrl+H"},
        {1660, "Rotation à &gauche"},
        {1201, "Afficher le classeu&r"},
        {789, "&Mode présentation\tF9"},
        {106, "Rec&tangle à coins arrondis"},
        {24335, "S&auver sous..."},
        {731, "&Liste des folios...\tF8"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(running.action(t.id).text(), QString::fromUtf8(t.text)) << t.id;
}

} // namespace
} // namespace plexo

namespace plexo {
namespace {

TEST(AboutBox, ShowsTheVersion) {
    test::RunningApp running;
    QString title, text;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        title = dialog->windowTitle();
        for (QLabel* label : dialog->findChildren<QLabel*>())
            text += label->text();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == "OK")
                button->click();
    });
    running.action(cmd::kAbout).trigger();
    EXPECT_EQ(title, "A propos de Plexo");
    EXPECT_TRUE(text.contains("Plexo v1.0.5"));
}

} // namespace
} // namespace plexo
