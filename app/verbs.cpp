#include "app/verbs.h"

namespace plexo {

// One line per verb; each verb's function lives beside the code it drives.
static const Verb kVerbs[] = {
    {nullptr, nullptr, nullptr, nullptr},
};

std::span<const Verb> commandLineVerbs() { return {kVerbs, sizeof kVerbs / sizeof kVerbs[0] - 1}; }

} // namespace plexo
