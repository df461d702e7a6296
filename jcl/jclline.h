// The grammar of one JCL line. Statements are recognised by their first
// characters, compared case-sensitively; everything else (comments, job
// statements, continuation lines, SYSIPT data, "/*", "/&") is ignored.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plexo {

// A JCL line holds at most this many characters (carriage returns not counted).
inline constexpr std::size_t kMaxJclLineLength = 255;
// A label statement keeps at most this many characters after "/. ".
inline constexpr std::size_t kMaxJclLabelLength = 9;

enum class JclStatement {
    Ignored,
    FileLabel,    // "// DLBL" or "// TLBL"
    Step,         // "// EXEC"
    DliParameter, // "DLI,"
    Label,        // "/. "
};

JclStatement jclStatementOf(std::string_view line);

// The operands of a DLBL or TLBL statement. Blanks are dropped everywhere;
// operands are separated by commas outside apostrophes; the first operand is
// the ddName, the text between apostrophes the file id (the last quoted text
// when there are several) and a fourth operand beginning with "VSAM" marks a
// VSAM file.
struct JclFileOperands {
    std::string ddName;
    std::string fileId;
    bool isVsam = false;
    bool isTape = false;
};
JclFileOperands parseFileStatement(std::string_view line);

// The program of an EXEC statement: the non-blank characters from the eighth
// on, up to the first comma ("// EXEC PROG1,SIZE=AUTO" gives "PROG1").
std::string parseStepProgram(std::string_view line);

// The rest of a "DLI," line without its blanks ("DLI,PGM1, PSB1" gives "PGM1,PSB1").
std::string parseDliParameter(std::string_view line);

// The label of a "/. " line: the next nine characters as they stand.
std::string parseLabel(std::string_view line);

} // namespace plexo
