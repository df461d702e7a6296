// "plexo jcl": reverse-documents JCL files into a schéma document from the
// command line, printing the message-window lines on standard error.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plexo {

struct JclCommandRequest {
    std::vector<std::filesystem::path> inputs; // files and folders, in the order given
    std::filesystem::path library;             // "--library": the symbol folder; empty when not given
    std::filesystem::path output;              // "-o": the document written (appended to when it exists)
};

// Reads the verb's arguments (argv[0] is the verb). False with a French message
// when they are wrong. Without -o the document is written beside the first
// input: "jobs/" gives "jobs.dls", "paie.jcl" gives "paie.dls".
bool parseJclArguments(int argc, char** argv, JclCommandRequest& request, std::string& error);

// Draws every input (a folder: its "*.jcl" files in directory-listing order)
// with the symbols of request.library and writes the document. Returns 0 when
// at least one folio was drawn and the document written, 1 otherwise, 2 for
// wrong arguments. usualLibrary is the symbol folder used without "--library"
// (the editor's library folder, given by the caller).
int runJclCommand(const JclCommandRequest& request);
int runJclCommand(int argc, char** argv, const std::filesystem::path& usualLibrary);

} // namespace plexo
