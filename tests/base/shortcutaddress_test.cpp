#include "base/shortcutaddress.h"

#include "support/testenvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plexo {
namespace {

namespace fs = std::filesystem;

// What the internet-address command does with each kind of text: web and mail
// addresses open, anything else local or of another scheme asks first and
// names what would open, programs and unreachable paths are refused.
TEST(ShortcutAddress, WebAndMailOpenOtherSchemesAndLocalFilesAskProgramsAreRefused) {
    test::TemporaryFolder folder;
    std::ofstream(folder / "notice.pdf") << "%PDF";
    std::ofstream(folder / "lanceur.sh") << "#!/bin/sh\n";
    fs::permissions(folder / "lanceur.sh", fs::perms::owner_all);
    std::ofstream(folder / "Jeu.Desktop") << "[Desktop Entry]\nExec=rm -rf ~\n";
    fs::create_symlink(folder / "lanceur.sh", folder / "innocent.pdf");
    const std::string base = folder.path().string();
    const fs::path documentFolder = folder.path();

    using V = AddressVerdict;
    using R = AddressRefusal;
    struct Case {
        std::string text;
        V verdict;
        R refusal;
        std::string url;   // handed to the desktop
        std::string shown; // named in the question or the refusal
    } cases[] = {
        {"https://exemple.fr/plans?a=1&b=2", V::Open, R::None, "https://exemple.fr/plans?a=1&b=2",
         "https://exemple.fr/plans?a=1&b=2"},
        {"  HTTP://exemple.fr ", V::Open, R::None, "HTTP://exemple.fr", "HTTP://exemple.fr"},
        {"ftp://ftp.exemple.fr/pub", V::Open, R::None, "ftp://ftp.exemple.fr/pub",
         "ftp://ftp.exemple.fr/pub"},
        {"mailto:atelier@exemple.fr", V::Open, R::None, "mailto:atelier@exemple.fr",
         "mailto:atelier@exemple.fr"},
        {"www.exemple.fr", V::Open, R::None, "www.exemple.fr", "www.exemple.fr"},
        // Other schemes: asked about, named as written.
        {"smb://serveur/partage", V::Ask, R::None, "smb://serveur/partage", "smb://serveur/partage"},
        {"javascript:alert(1)", V::Ask, R::None, "javascript:alert(1)", "javascript:alert(1)"},
        // Local files, by path or "file:" address: asked about, named by their path.
        {base + "/notice.pdf", V::Ask, R::None, "file://" + base + "/notice.pdf", base + "/notice.pdf"},
        {"file://" + base + "/notice.pdf", V::Ask, R::None, "file://" + base + "/notice.pdf",
         base + "/notice.pdf"},
        {"file:" + base + "/mon%20plan.pdf", V::Ask, R::None, "file://" + base + "/mon%20plan.pdf",
         base + "/mon plan.pdf"},
        {"./notice.pdf", V::Ask, R::None, "file://" + base + "/notice.pdf", base + "/notice.pdf"},
        {base + "/", V::Ask, R::None, "file://" + base + "/", base + "/"},
        // Programs are never handed over, however they are named.
        {base + "/lanceur.sh", V::Refuse, R::Program, "", base + "/lanceur.sh"},
        {"file://localhost" + base + "/lanceur.sh", V::Refuse, R::Program, "", base + "/lanceur.sh"},
        {base + "/innocent.pdf", V::Refuse, R::Program, "", base + "/innocent.pdf"},
        {"../" + folder.path().filename().string() + "/lanceur.sh", V::Refuse, R::Program, "",
         base + "/lanceur.sh"},
        {base + "/Jeu.Desktop", V::Refuse, R::Program, "", base + "/Jeu.Desktop"},
        {base + "/absent.desktop", V::Refuse, R::Program, "", base + "/absent.desktop"},
        // Nothing this machine can reach, or text that would break the shortcut file.
        {"C:\\Programmes\\outil.exe", V::Refuse, R::Unreachable, "", "C:\\Programmes\\outil.exe"},
        {"\\\\serveur\\partage", V::Refuse, R::Unreachable, "", "\\\\serveur\\partage"},
        {"file://autre-machine/partage", V::Refuse, R::Unreachable, "", "file://autre-machine/partage"},
        {"https://exemple.fr\r\nURL=file:///bin/sh", V::Refuse, R::Unreachable, "",
         "https://exemple.fr\r\nURL=file:///bin/sh"},
        {"   ", V::Refuse, R::Unreachable, "", ""},
    };
    for (const auto& c : cases) {
        const ShortcutAddress address = classifyShortcutAddress(c.text, documentFolder);
        EXPECT_EQ(address.verdict, c.verdict) << c.text;
        EXPECT_EQ(address.refusal, c.refusal) << c.text;
        EXPECT_EQ(address.url, c.url) << c.text;
        EXPECT_EQ(address.shown, c.shown) << c.text;
    }
    // Without a document folder a relative path has nothing to be relative to.
    EXPECT_EQ(classifyShortcutAddress("./notice.pdf", {}).refusal, AddressRefusal::Unreachable);
}

} // namespace
} // namespace plexo
