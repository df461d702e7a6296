// The help documents and "plexo --help" say what the program does: the
// "Fichier" paragraph names every command of that menu, and the render verb's
// texts name every format it writes and that a PDF without "--folio" is the
// whole document in one file.
#include "app/verbs.h"
#include "shell/commandids.h"
#include "shell/commandtexts.h"
#include "tools/helptexts.h"
#include "views/rendercommand.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace plexo {
namespace {

// A menu text as the help writes it: no "&", no accelerator.
std::string shownText(const char* menuText) {
    std::string text;
    for (const char* c = menuText; *c && *c != '\t'; ++c)
        if (*c != '&')
            text += *c;
    return text;
}

std::string paragraphAfter(const std::vector<helptexts::Block>& blocks, std::string_view heading) {
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i)
        if (blocks[i].heading && blocks[i].text == heading)
            return blocks[i + 1].text;
    return {};
}

std::string allText(const std::vector<helptexts::Block>& blocks) {
    std::string text;
    for (const auto& block : blocks)
        text += block.text + "\n";
    return text;
}

TEST(HelpTexts, TheFileMenuParagraphNamesEveryCommandOfTheMenu) {
    const std::string file = paragraphAfter(helptexts::menus(), "Fichier");
    ASSERT_FALSE(file.empty());
    for (int id : {cmd::kNew, cmd::kOpen, cmd::kClose, cmd::kSave, cmd::kSaveAs, cmd::kExportDxf, cmd::kPrint,
                   cmd::kPrintPreview, cmd::kPageSetup, cmd::kSend, cmd::kQuit}) {
        const CommandInfo* info = commandInfo(id);
        ASSERT_NE(info, nullptr) << id;
        EXPECT_NE(file.find(shownText(info->text)), std::string::npos) << shownText(info->text);
    }
}

TEST(HelpTexts, TheRenderVerbIsDescribedWithEveryFormatItWrites) {
    const Verb* render = nullptr;
    for (const Verb& verb : commandLineVerbs())
        if (std::string_view(verb.name) == "render")
            render = &verb;
    ASSERT_NE(render, nullptr);
    const std::string verbText = std::string(render->usage) + " " + render->summary;
    const std::string help = allText(helptexts::commandLine()) + allText(helptexts::printing());
    for (const char* extension : {"png", "svg", "pdf", "dxf"}) {
        RenderFormat format{};
        ASSERT_TRUE(renderFormatOf(std::string("sortie.") + extension, format)) << extension;
        std::string upper(extension);
        for (char& c : upper)
            c = static_cast<char>(c - 'a' + 'A');
        EXPECT_NE(verbText.find(upper), std::string::npos) << "plexo --help : " << upper;
        EXPECT_NE(help.find(std::string(".") + extension), std::string::npos) << "aide : ." << extension;
        EXPECT_NE(help.find(upper), std::string::npos) << "aide : " << upper;
    }
    // A PDF without --folio is one file for the whole document, not one per folio.
    EXPECT_NE(std::string(render->summary).find("tout le document"), std::string::npos) << render->summary;
    EXPECT_NE(allText(helptexts::commandLine()).find("tout le document"), std::string::npos);
}

} // namespace
} // namespace plexo
