// The values of "Propriétés Symbole", without a window: the instance's name, the
// texts of its labels and its comments, written into the instance alone as one
// "modification".
#pragma once

#include "edit/shapeproperties.h"

#include <string>
#include <vector>

namespace plexo {

struct SymbolProperties {
    std::string symbol;              // the library symbol drawn (shown, not edited), UTF-8
    std::string name;                // "Nom :": the instance's own text, UTF-8
    std::vector<std::string> labels; // "Libellés :", in drawing order, UTF-8
    std::string comments;            // "Commentaires :", UTF-8, lines ended by "\n"
    // The comments live in the instance's private block; a block that holds
    // anything but text (written by another program) is kept as it is and its
    // comments cannot be edited.
    bool commentsEditable = true;
};

SymbolProperties loadSymbolProperties(const Shape& instance);
PropertyProblem checkSymbolProperties(const SymbolProperties& values);
// Writes the name, the label texts (as many as the instance has) and, when
// editable, the comments. False when the values do not pass the check or hold
// nothing new.
bool applySymbolProperties(saoDoc& document, Folio& folio, Shape& instance, const SymbolProperties& values);

// The comments held by a private block, or none when it holds other data. The
// text may end with one terminating zero, which is not part of it.
std::optional<std::string> commentsOfBlock(const std::string& block);
// The block holding the comments (Windows-1252, lines ended by CR LF).
std::string blockOfComments(const std::string& comments);

} // namespace plexo
