// The command-line verbs of the plexo executable ("plexo render ...",
// "plexo jcl ...", ...): batch work on the same core as the editor.
#pragma once

#include <span>

namespace plexo {

struct Verb {
    const char* name;    // as typed after "plexo"
    const char* usage;   // arguments, for --help
    const char* summary; // one line, for --help
    int (*run)(int argc, char** argv); // argv[0] is the verb itself
};

std::span<const Verb> commandLineVerbs();

// The editor itself (no verb): returns the process exit code.
int runEditor(int argc, char** argv);

} // namespace plexo
