// The library browser's menu "MenuNode": its enabling rules and its actions.
#include "edit/nodecommands.h"

#include "library/lib.h"
#include "library/browserstrings.h"
#include "shapes/saodib.h"
#include "shell/commandids.h"
#include "support/storefixture.h"
#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

class FakeBrowser : public NodeCommandContext {
public:
    explicit FakeBrowser(Lib& lib) : lib_(lib) {}
    Lib& lib() const override { return lib_; }
    LibNode* selectedNode() const override { return lib_.selectedNode(); }
    bool clipboardHoldsSymbol() const override {
        return userInterface().clipboardHasFormat(libstr::kSymbolClipboardFormat);
    }
    bool runNodeDialog(NodeDialog dialog, LibNode& node,
                       const std::function<NodeDialogOutcome(const NodeDialogValues&)>& accept) override {
        dialogs.push_back(dialog);
        // The user types each answer in turn until the dialog may close.
        while (!typed.empty()) {
            NodeDialogValues values = typed.front();
            typed.erase(typed.begin());
            if (accept(values) != NodeDialogOutcome::StayOpen)
                return true;
        }
        return false;
    }
    std::optional<std::filesystem::path> chooseImageFile() override { return image; }
    void editSymbol(LibNode& symbol, std::unique_ptr<saoDib> picture) override {
        edited = &symbol;
        editedPicture = std::move(picture);
    }
    void treeChanged() override { ++changes; }

    bool enabled(int id) const {
        CommandStatus status;
        return nodeCommands().status(id, *this, status) && status.enabled;
    }
    void run(int id) { nodeCommands().run(id, *this); }
    void select(LibNode* node) { selectOnlyNode(node); }

    std::vector<NodeDialog> dialogs;
    std::vector<NodeDialogValues> typed;
    std::optional<std::filesystem::path> image;
    LibNode* edited = nullptr;
    std::unique_ptr<saoDib> editedPicture;
    int changes = 0;

private:
    void selectOnlyNode(LibNode* node) {
        std::function<void(LibNode&)> clear = [&](LibNode& n) {
            n.selected = 0;
            for (auto& c : n.children)
                clear(*c);
        };
        clear(lib_.root);
        if (node)
            node->selected = 1;
    }
    Lib& lib_;
};

const int kAll[] = {cmd::kAddSymbol,   cmd::kAddFolder,  cmd::kCreateLibrary,
                    cmd::kDeleteNode,  cmd::kCutSymbol,  cmd::kPasteSymbol,
                    cmd::kImportImage, cmd::kEditSymbol, cmd::kNodeProperties};

std::vector<int> enabledCommands(const FakeBrowser& browser) {
    std::vector<int> ids;
    for (int id : kAll)
        if (browser.enabled(id))
            ids.push_back(id);
    return ids;
}

TEST(NodeCommands, EnablingFollowsTheNodeKindAndProtectsSymbolsInUse) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    Lib& lib = fixture.lib;
    LibNode* library = fixture.moteur->owningLibrary();
    LibNode* dossier = lib.createNode(*library, NodeKind::Folder, "Dossier");
    LibNode* inside = lib.createNode(*dossier, NodeKind::Symbol, "Vanne");
    FakeBrowser browser(lib);

    using namespace cmd;
    browser.select(nullptr);
    EXPECT_TRUE(enabledCommands(browser).empty());
    const struct {
        LibNode* node;
        std::vector<int> ids;
    } free[] = {
        {lib.location, {kCreateLibrary, kNodeProperties}},
        {library, {kAddSymbol, kAddFolder, kDeleteNode, kImportImage}},
        {dossier, {kAddSymbol, kAddFolder, kDeleteNode, kImportImage, kNodeProperties}},
        {inside, {kDeleteNode, kCutSymbol, kEditSymbol, kNodeProperties}},
    };
    for (const auto& c : free) {
        browser.select(c.node);
        EXPECT_EQ(enabledCommands(browser), c.ids) << c.node->name;
    }

    // Vanne in use by a document: it and everything above it are protected.
    {
        std::vector<std::unique_ptr<Shape>> drawing;
        drawing.push_back(test::makeShape(kRectangle, {{0, 0}, {1000, 1000}}));
        test::storeDrawing(*inside, std::move(drawing));
    }
    ASSERT_TRUE(inside->acquireDrawing(nullptr));
    const struct {
        LibNode* node;
        std::vector<int> ids;
    } used[] = {
        {lib.location, {kCreateLibrary}},
        {library, {kAddSymbol, kAddFolder, kImportImage}},
        {dossier, {kAddSymbol, kAddFolder, kImportImage}},
        {inside, {}},
    };
    for (const auto& c : used) {
        browser.select(c.node);
        EXPECT_EQ(enabledCommands(browser), c.ids) << c.node->name;
    }
    inside->releaseDrawing(nullptr);

    // Being edited protects the symbol too.
    inside->beginEdit();
    browser.select(inside);
    EXPECT_EQ(enabledCommands(browser), std::vector<int>{});
    inside->endEdit();

    // Paste needs the symbol format on the clipboard.
    browser.select(dossier);
    ui.setClipboardData(libstr::kSymbolClipboardFormat, {1, 2, 3});
    EXPECT_TRUE(browser.enabled(kPasteSymbol));
}

TEST(NodeCommands, CreatingALibraryMakesItsFileAndRefusesTakenNames) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    Lib lib(folder.path().string());
    FakeBrowser browser(lib);
    browser.select(lib.location);

    browser.typed = {{"Moteurs", 0}};
    browser.run(cmd::kCreateLibrary);
    EXPECT_EQ(browser.dialogs, std::vector<NodeDialog>{NodeDialog::CreateLibrary});
    EXPECT_TRUE(std::filesystem::exists(folder / "Moteurs.dly"));
    ASSERT_EQ(lib.location->children.size(), 1u);
    EXPECT_EQ(lib.location->children[0]->name, "Moteurs.dly");
    EXPECT_EQ(browser.changes, 1);

    // "moteurs.DLY" is the same name: refused, the dialog stays open; then empty, then good.
    browser.typed = {{"moteurs.DLY", 0}, {"", 0}, {"Vannes", 0}};
    browser.run(cmd::kCreateLibrary);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].text, "Le nom utilisé existe déjà.");
    EXPECT_EQ(ui.boxes[0].caption, "Entrée incorrecte");
    EXPECT_EQ(ui.boxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui.boxes[1].text, "Vous devez saisir un nom.");
    EXPECT_TRUE(browser.typed.empty());
    EXPECT_TRUE(std::filesystem::exists(folder / "Vannes.dly"));
    EXPECT_FALSE(std::filesystem::exists(folder / "moteurs.DLY"));
    EXPECT_EQ(lib.location->children.size(), 2u);
}

TEST(NodeCommands, FoldersAndSymbolsAreCreatedRenamedAndDeletedWithTheirChecks) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    Lib& lib = fixture.lib;
    LibNode* library = fixture.moteur->owningLibrary();
    FakeBrowser browser(lib);
    browser.select(library);

    // A folder named like a symbol of the tree, whatever the case: refused.
    browser.typed = {{"MOTEUR", 0}};
    browser.run(cmd::kAddFolder);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Le nom utilisé existe déjà.");
    EXPECT_EQ(lib.findSymbol("MOTEUR"), nullptr);

    browser.typed = {{"Pompe", kSymboleMaitre}};
    browser.run(cmd::kAddSymbol);
    LibNode* pompe = lib.findSymbol("Pompe");
    ASSERT_NE(pompe, nullptr);
    EXPECT_EQ(pompe->symbolType, kSymboleMaitre);
    EXPECT_EQ(library->expanded, 1);

    browser.select(pompe);
    browser.typed = {{"Pompe B", kCartouche}};
    browser.run(cmd::kNodeProperties);
    EXPECT_EQ(browser.dialogs.back(), NodeDialog::SymbolProperties);
    EXPECT_EQ(pompe->name, "Pompe B");
    EXPECT_EQ(pompe->symbolType, kCartouche);

    // Delete asks first; only Yes deletes.
    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    browser.run(cmd::kDeleteNode);
    EXPECT_NE(lib.findSymbol("Pompe B"), nullptr);
    browser.run(cmd::kDeleteNode);
    EXPECT_EQ(lib.findSymbol("Pompe B"), nullptr);
    ASSERT_GE(ui.boxes.size(), 3u);
    EXPECT_EQ(
        ui.boxes.back().text,
        "Souhaitez-vous supprimer le symbole 'Pompe B' ?\nAttention : cette suppression est irréversible.");
    EXPECT_EQ(ui.boxes.back().caption, "Plexo");
    EXPECT_EQ(ui.boxes.back().buttons, MessageButtons::YesNoCancel);
}

TEST(NodeCommands, TheLocationPropertiesCloseEveryLibraryAndScanTheNewFolder) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    { test::LibraryFixture other(folder / "autre"); }
    std::filesystem::create_directories(folder / "vide");
    Lib lib((folder / "vide").string());
    ASSERT_NE(lib.createNode(*lib.location, NodeKind::Library, "Perso"), nullptr);
    std::string told;
    lib.locationChanged = [&](const std::string& path) { told = path; };
    FakeBrowser browser(lib);
    browser.select(lib.location);
    browser.typed = {{"", 0}, {(folder / "autre").string(), 0}};
    browser.run(cmd::kNodeProperties);
    EXPECT_EQ(browser.dialogs.back(), NodeDialog::Location);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Vous devez saisir un nom.");
    EXPECT_EQ(told, (folder / "autre").string());
    EXPECT_EQ(lib.location->name, (folder / "autre").string());
    ASSERT_EQ(lib.location->children.size(), 1u);
    EXPECT_EQ(lib.location->children[0]->name, "Appareils.dly");
    EXPECT_NE(lib.findSymbol("Moteur"), nullptr);
}

TEST(NodeCommands, ImportingABitmapOpensTheNewSymbolForEditing) {
    test::TemporaryFolder folder;
    test::ScriptedUserInterface ui;
    test::LibraryFixture fixture(folder / "lib");
    const std::vector<std::uint8_t> bytes = saoDib(test::smallDibBlock()).toBmpFile();
    std::ofstream(folder / "Pompe.BMP", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    FakeBrowser browser(fixture.lib);
    browser.select(fixture.moteur->owningLibrary());
    browser.image = folder / "Pompe.BMP";
    browser.run(cmd::kImportImage);
    ASSERT_NE(browser.edited, nullptr);
    EXPECT_EQ(browser.edited->name, "Pompe");
    EXPECT_EQ(browser.edited->symbolType, kSymbole);
    ASSERT_NE(browser.editedPicture, nullptr);
    EXPECT_TRUE(browser.editedPicture->isValid());

    // "&Editer le symbole" hands the selected symbol over without a picture.
    browser.select(fixture.moteur);
    browser.run(cmd::kEditSymbol);
    EXPECT_EQ(browser.edited, fixture.moteur);
    EXPECT_EQ(browser.editedPicture, nullptr);
}

TEST(NodeCommands, TheDialogsShowWhatTheirNodeGives) {
    LibNode symbol(NodeKind::Symbol, "Moteur");
    symbol.symbolType = kSymboleEsclave;
    const NodeDialogSetup properties = nodeDialogSetup(NodeDialog::SymbolProperties, symbol);
    EXPECT_STREQ(properties.caption, "Propriétés Symbole");
    EXPECT_EQ(properties.name, "Moteur");
    EXPECT_TRUE(properties.hasTypeList);
    EXPECT_EQ(properties.symbolType, kSymboleEsclave);
    EXPECT_FALSE(properties.showsNodeName);

    const NodeDialogSetup create = nodeDialogSetup(NodeDialog::AddSymbol, symbol);
    EXPECT_STREQ(create.caption, "Création d'un symbole");
    EXPECT_EQ(create.name, "");
    EXPECT_TRUE(create.showsNodeName);
    EXPECT_EQ(create.symbolType, 0);

    LibNode location(NodeKind::Location, "/home/plans/lib");
    const NodeDialogSetup place = nodeDialogSetup(NodeDialog::Location, location);
    EXPECT_STREQ(place.caption, "Emplacement des librairies");
    EXPECT_EQ(place.name, "/home/plans/lib");
    EXPECT_TRUE(place.hasBrowse);
    EXPECT_EQ(folderOfChosenFile("/home/plans/autres/x.dly"), "/home/plans/autres");
    EXPECT_EQ(folderOfChosenFile("C:\\plans\\x.dly"), "C:\\plans");
}

} // namespace
} // namespace plexo
