// The parts of the flowchart drawing that depend on the job model alone: which
// files are inputs or outputs and which get a symbol of their own, the program
// symbol a step is drawn with, the file symbol and its text, and the sharing
// of one file symbol by the readers of a data set.
#pragma once

#include "jcl/jclfile.h"
#include "jcl/jclstep.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

using JclFileList = std::vector<std::unique_ptr<JclFile>>;

// A program symbol has at most 16 input and 16 output terminals ("Pgm 16/16").
inline constexpr int kMaxJclFilesPerSide = 16;

// Sets every file's direction and ownSymbol and counts them on its step
// (inputCount, ownInputCount, outputCount; expected at zero). A data set
// written by one step and read by later ones is an output of the writer and an
// input of each reader (all with their own symbol when in the same step); a
// VSAM file is an input with its own symbol; a tape file has its own symbol;
// a file named only once counts as an output, with its own symbol, but its
// direction stays undetermined (its wire gets no arrowheads). Files without a
// step are not counted.
void classifyJclFiles(const JclFileList& files);

// More files on one side than any program symbol can show.
bool hasTooManyFiles(const JclStep& step);

// The library symbol a step is drawn with: "Pgm N/N" for N covering its input
// and output counts and the width its program name needs, or one of the
// unbalanced shapes "Pgm 2/1", "Pgm 3/1", "Pgm 1/2", "Pgm 1/3" for a short name.
std::string programSymbolName(const JclStep& step);

// "Sauvegarde" for a tape, "VSAM" for a VSAM file, "SAM" otherwise.
std::string_view fileSymbolName(const JclFile& file);

// The text of a file symbol: the last part of the file id after its last ".",
// cut to its last 9 characters ("PROD.CUSTOMER.EXTRACTION" gives "XTRACTION").
std::string fileSymbolText(std::string_view fileId);

// Gives every non-VSAM file without a file symbol the symbol of the nearest
// earlier non-VSAM file with one and the same file id, so that the readers of a
// data set are wired to its writer's symbol.
void linkFileSymbols(const JclFileList& files);

} // namespace plexo
