// One job step: one EXEC statement of a JCL file.
#pragma once

#include <string>

namespace plexo {

class Shape;

struct JclStep {
    // Windows-1252 bytes, as read from the JCL text (at most 254 characters:
    // a JCL line holds at most 255).
    std::string programName;
    // The label statement ("/. NAME") read before this step, at most 9
    // characters, empty when none.
    std::string label;

    // Filled by the flowchart drawing: files read by the step, those of them
    // that get their own symbol above the program, files written.
    int inputCount = 0;
    int ownInputCount = 0;
    int outputCount = 0;

    // The program symbol object drawn for the step (owned by its folio).
    Shape* programSymbol = nullptr;
};

} // namespace plexo
