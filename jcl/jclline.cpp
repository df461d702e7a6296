#include "jcl/jclline.h"

namespace plexo {
namespace {

constexpr std::string_view kDlbl = "// DLBL";
constexpr std::string_view kTlbl = "// TLBL";
constexpr std::string_view kExec = "// EXEC";
constexpr std::string_view kDli = "DLI,";
constexpr std::string_view kLabel = "/. ";
constexpr int kVsamOperand = 3; // after the name, the file id and the date

bool isBlank(char c) { return c == ' '; }

std::string withoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!isBlank(c))
            out.push_back(c);
    return out;
}

} // namespace

JclStatement jclStatementOf(std::string_view line) {
    if (line.starts_with(kDlbl) || line.starts_with(kTlbl))
        return JclStatement::FileLabel;
    if (line.starts_with(kExec))
        return JclStatement::Step;
    if (line.starts_with(kDli))
        return JclStatement::DliParameter;
    if (line.starts_with(kLabel))
        return JclStatement::Label;
    return JclStatement::Ignored;
}

JclFileOperands parseFileStatement(std::string_view line) {
    JclFileOperands result;
    result.isTape = line.starts_with(kTlbl);
    const std::string_view operands = line.size() > kDlbl.size() ? line.substr(kDlbl.size()) : "";

    int index = 0;         // operand being read
    std::string operand;   // its characters outside apostrophes
    std::string quoted;    // the quoted text being read
    bool inQuotes = false; // an unclosed quote runs to the end of the line
    auto endOperand = [&] {
        if (index == 0)
            result.ddName = operand;
        else if (index == kVsamOperand && operand.starts_with("VSAM"))
            result.isVsam = true;
        operand.clear();
        ++index;
    };
    for (char c : operands) {
        if (isBlank(c))
            continue;
        if (c == '\'') {
            if (inQuotes) {
                result.fileId = quoted;
            } else {
                quoted.clear();
            }
            inQuotes = !inQuotes;
        } else if (inQuotes) {
            quoted.push_back(c);
        } else if (c == ',') {
            endOperand();
        } else {
            operand.push_back(c);
        }
    }
    if (inQuotes)
        result.fileId = quoted;
    endOperand();
    return result;
}

std::string parseStepProgram(std::string_view line) {
    std::string name;
    for (std::size_t i = kExec.size(); i < line.size() && line[i] != ','; ++i)
        if (!isBlank(line[i]))
            name.push_back(line[i]);
    return name;
}

std::string parseDliParameter(std::string_view line) {
    return line.size() > kDli.size() ? withoutBlanks(line.substr(kDli.size())) : std::string();
}

std::string parseLabel(std::string_view line) {
    if (line.size() <= kLabel.size())
        return {};
    return std::string(line.substr(kLabel.size(), kMaxJclLabelLength));
}

} // namespace plexo
