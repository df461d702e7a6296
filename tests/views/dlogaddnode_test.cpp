// The node dialog of the library browser on the offscreen platform: its
// widgets per dialog, OK that stays open on a refused name, and Cancel.
#include "views/library/dlogaddnode.h"

#include "library/libnode.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace plexo {
namespace {

TEST(DlogAddNode, OkAsksTheLibraryAndStaysOpenOnARefusedName) {
    LibNode symbol(NodeKind::Symbol, "Mot\xE9ur");
    symbol.symbolType = kSymboleMaitre;
    std::vector<NodeDialogValues> asked;
    NodeDialogOutcome answer = NodeDialogOutcome::StayOpen;
    DlogAddNode dialog(NodeDialog::SymbolProperties, symbol, [&](const NodeDialogValues& values) {
        asked.push_back(values);
        return answer;
    });
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Propriétés Symbole"));
    EXPECT_EQ(dialog.nameField()->text(), QString::fromUtf8("Motéur"));
    ASSERT_NE(dialog.typeList(), nullptr);
    EXPECT_EQ(dialog.typeList()->count(), 4);
    EXPECT_EQ(dialog.typeList()->currentText(), "Symbole maitre");
    EXPECT_EQ(dialog.browseButton(), nullptr);

    dialog.show();
    dialog.nameField()->setText(QString::fromUtf8("Pompé"));
    dialog.typeList()->setCurrentIndex(kCartouche);
    dialog.accept();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].name, "Pomp\xE9");
    EXPECT_EQ(asked[0].symbolType, kCartouche);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    answer = NodeDialogOutcome::Applied;
    dialog.accept();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(DlogAddNode, CancelAsksNothingAndBrowseFillsTheFolder) {
    LibNode location(NodeKind::Location, "/srv/symboles");
    int asked = 0;
    DlogAddNode dialog(NodeDialog::Location, location, [&](const NodeDialogValues&) {
        ++asked;
        return NodeDialogOutcome::Applied;
    });
    EXPECT_EQ(dialog.windowTitle(), "Emplacement des librairies");
    EXPECT_EQ(dialog.typeList(), nullptr);
    ASSERT_NE(dialog.browseButton(), nullptr);
    EXPECT_EQ(dialog.browseButton()->text(), QString::fromUtf8("&Parcourir..."));
    dialog.chooseLocationFile = [] { return QString("/home/plans/nouveau/x.dly"); };
    dialog.show();
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.nameField()->text(), "/home/plans/nouveau");
    dialog.reject();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
} // namespace plexo
