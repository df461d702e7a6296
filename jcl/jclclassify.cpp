#include "jcl/jclclassify.h"

#include <algorithm>

namespace plexo {
namespace {

constexpr std::size_t kMaxFileSymbolText = 9;
constexpr std::size_t kShortProgramName = 26; // below it the unbalanced shapes are wide enough

// The program symbol a name of that length needs, whatever its files.
int sidesForNameLength(std::size_t length) {
    if (length > 45)
        return 6;
    if (length > 38)
        return 5;
    if (length > 26)
        return 4;
    if (length > 14)
        return 3;
    if (length > 8)
        return 2;
    return 1;
}

} // namespace

void classifyJclFiles(const JclFileList& files) {
    for (auto f = files.begin(); f != files.end(); ++f) {
        JclFile& file = **f;
        if (file.direction == FileDirection::Undetermined && !file.isVsam && !file.fileId.empty()) {
            for (auto g = std::next(f); g != files.end(); ++g) {
                JclFile& later = **g;
                if (later.isVsam || later.fileId != file.fileId)
                    continue;
                file.direction = FileDirection::Output;
                later.direction = FileDirection::Input;
                if (file.step == later.step)
                    file.ownSymbol = later.ownSymbol = true;
            }
        }
        if (file.isVsam) {
            file.direction = FileDirection::Input;
            file.ownSymbol = true;
        }
        if (file.isTape)
            file.ownSymbol = true;

        if (!file.step)
            continue;
        if (file.direction == FileDirection::Input) {
            ++file.step->inputCount;
            if (file.ownSymbol)
                ++file.step->ownInputCount;
        } else {
            ++file.step->outputCount;
            file.ownSymbol = true;
        }
    }
}

bool hasTooManyFiles(const JclStep& step) {
    return step.inputCount > kMaxJclFilesPerSide || step.outputCount > kMaxJclFilesPerSide;
}

std::string programSymbolName(const JclStep& step) {
    const std::size_t length = step.programName.size();
    const int inputs = step.inputCount, outputs = step.outputCount;
    if (length < kShortProgramName) {
        if (inputs == 2 && outputs == 1)
            return "Pgm 2/1";
        if (inputs == 3 && outputs == 1)
            return "Pgm 3/1";
        if (inputs == 1 && outputs == 2)
            return "Pgm 1/2";
        if (inputs == 1 && outputs == 3)
            return "Pgm 1/3";
    }
    const int sides = std::max({inputs, outputs, sidesForNameLength(length)});
    return "Pgm " + std::to_string(sides) + "/" + std::to_string(sides);
}

std::string_view fileSymbolName(const JclFile& file) {
    if (file.isTape)
        return "Sauvegarde";
    return file.isVsam ? "VSAM" : "SAM";
}

std::string fileSymbolText(std::string_view fileId) {
    if (auto dot = fileId.rfind('.'); dot != std::string_view::npos)
        fileId.remove_prefix(dot + 1);
    if (fileId.size() > kMaxFileSymbolText)
        fileId.remove_prefix(fileId.size() - kMaxFileSymbolText);
    return std::string(fileId);
}

void linkFileSymbols(const JclFileList& files) {
    for (auto f = files.rbegin(); f != files.rend(); ++f) {
        JclFile& file = **f;
        if (file.isVsam || file.fileSymbol)
            continue;
        for (auto e = std::next(f); e != files.rend(); ++e) {
            const JclFile& earlier = **e;
            if (!earlier.isVsam && earlier.fileSymbol && earlier.fileId == file.fileId) {
                file.fileSymbol = earlier.fileSymbol;
                break;
            }
        }
    }
}

} // namespace plexo
