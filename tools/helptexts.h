// The French texts of the help documents, in UTF-8 (makehelp converts them to
// the documents' Windows-1252), one function per folio.
#pragma once

#include <string>
#include <vector>

namespace plexo::helptexts {

// A heading or a paragraph; a paragraph's lines break at "\n" and wrap.
struct Block {
    bool heading = false;
    std::string text;
};

std::vector<Block> presentation();
std::string toolsIntroduction();
std::string otherToolsIntroduction();
// What the tool of a command id (104..120) makes and how it is drawn.
const char* toolText(int commandId);
std::vector<Block> selectionTools();
std::vector<Block> wiresBefore();
std::vector<Block> wiresAfter();
std::vector<Block> menus();
std::vector<Block> printing();
std::vector<Block> jcl();
// How to read the drawn chain, written under it.
std::string jclLegend();
std::vector<Block> commandLine();
std::vector<Block> readMe();
std::vector<Block> readMeFiles();

} // namespace plexo::helptexts
