// One data set of a job: a DLBL (disk) or TLBL (tape) statement that is kept.
#pragma once

#include <string>

namespace plexo {

class Shape;
struct JclStep;

enum class FileDirection : int {
    Undetermined = 0,
    Input = 1,
    Output = 2,
};

struct JclFile {
    // The step that uses the file: the first EXEC read after the statement;
    // null while no EXEC has followed it.
    JclStep* step = nullptr;

    // Windows-1252 bytes, blanks removed. ddName is never empty; fileId may be
    // empty on a tape file only.
    std::string ddName;
    std::string fileId;
    bool isVsam = false;
    bool isTape = false;

    // Filled by the flowchart drawing.
    FileDirection direction = FileDirection::Undetermined;
    bool ownSymbol = false;
    Shape* fileSymbol = nullptr;      // the file symbol object it is wired to (owned by the folio)
    Shape* programTerminal = nullptr; // the label of the program drawing that carries its ddName
};

} // namespace plexo
