#include "jcl/jclreader.h"

#include "base/log.h"
#include "base/textcodec.h"
#include "jcl/jclline.h"
#include "jcl/jclstrings.h"

#include <algorithm>
#include <cstdio>

namespace plexo {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxFolioNumberLength = 19; // the folio's "N°" field
constexpr std::string_view kSortWorkPrefix = "SORTWK";
constexpr std::string_view kDliControllerPrefix = "DLZ"; // the DL/I batch controller
constexpr std::size_t kReadChunk = 64 * 1024;

std::string withArgument(std::string_view pattern, std::string_view argument) {
    std::string text(pattern);
    if (auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return upperAscii(c); });
    return out;
}

bool hasJclExtension(std::string_view name) {
    return name.size() >= 4 && upperAscii(name.substr(name.size() - 4)) == ".JCL";
}

} // namespace

JclImportSummary JclReader::summarySince(const JclImportSummary& before) const {
    return {summary_.filesRead - before.filesRead, summary_.filesFailed - before.filesFailed,
            summary_.foliosDrawn - before.foliosDrawn};
}

bool JclReader::importJclFile(const fs::path& path) {
    logInfo(withArgument(jcltext::kImporting, path.string()));
    const bool read = readFile(path);
    ++(read ? summary_.filesRead : summary_.filesFailed);
    return read;
}

JclImportSummary JclReader::importJclFolder(const fs::path& folder) {
    const JclImportSummary before = summary_;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        logInfo(withArgument(jcltext::kImporting, folder.string()));
        logError(jcltext::kCannotRead);
        ++summary_.filesFailed;
    } else {
        for (const fs::path& file : listJclFiles(folder))
            importJclFile(file);
    }
    return summarySince(before);
}

JclImportSummary JclReader::importJclPaths(const std::vector<fs::path>& paths) {
    const JclImportSummary before = summary_;
    for (const fs::path& path : paths) {
        std::error_code error;
        if (fs::is_directory(path, error))
            importJclFolder(path);
        else
            importJclFile(path);
    }
    return summarySince(before);
}

bool JclReader::readFile(const fs::path& path) {
    std::error_code error;
    std::unique_ptr<std::FILE, FileCloser> file;
    if (!fs::is_directory(path, error))
        file.reset(std::fopen(path.c_str(), "rb"));
    if (!file) {
        logError(jcltext::kCannotRead);
        return false;
    }
    beginText(path);
    std::vector<char> buffer(kReadChunk);
    for (;;) {
        const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (!feedText(std::string_view(buffer.data(), count)))
            return false;
        if (count < buffer.size()) {
            if (std::ferror(file.get()))
                return stopText(jcltext::kReadError);
            break;
        }
    }
    file.reset();
    return endText();
}

bool JclReader::readJclText(const fs::path& path, std::string_view text) {
    beginText(path);
    const bool read = feedText(text) && endText();
    ++(read ? summary_.filesRead : summary_.filesFailed);
    return read;
}

void JclReader::beginText(const fs::path& path) {
    clearLists();
    pendingLabel_.clear();
    partNumber_ = 0;
    chunksOfFile_ = 0;
    chunkFull_ = false;
    path_ = path;
    line_.clear();
    line_.reserve(kMaxJclLineLength);
}

bool JclReader::feedText(std::string_view bytes) {
    for (const char c : bytes) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            if (!parseJclLine(line_))
                return stopText(nullptr);
            line_.clear();
        } else if (line_.size() == kMaxJclLineLength) {
            return stopText(jcltext::kNotCompatible);
        } else {
            line_.push_back(c);
        }
    }
    return true;
}

bool JclReader::endText() {
    // A last line without its line feed is a statement like any other.
    if (!line_.empty() && !parseJclLine(line_))
        return stopText(nullptr);
    line_.clear();
    if (!steps_.empty() || chunksOfFile_ == 0) {
        drawChunk();
    } else {
        // Only file statements after the last step of a drawn chunk remain.
        dropFilesWithoutStep();
        clearLists();
    }
    return true;
}

bool JclReader::stopText(const char* message) {
    // A chunk completed before the error was due to be drawn already.
    if (chunkFull_)
        drawChunk();
    if (message)
        logError(message);
    clearLists();
    chunkFull_ = false;
    line_.clear();
    return false;
}

bool JclReader::parseJclLine(std::string_view line) {
    if (line.size() > kMaxJclLineLength) {
        logError(jcltext::kNotCompatible);
        return false;
    }
    switch (jclStatementOf(line)) {
    case JclStatement::FileLabel:
        if (chunkFull_)
            drawChunk();
        return addFile(line);
    case JclStatement::Step:
        if (chunkFull_)
            drawChunk();
        addStep(line);
        chunkFull_ = stepCount() == kStepsPerChunk;
        return true;
    case JclStatement::DliParameter:
        renameDliStep(line);
        return true;
    case JclStatement::Label:
        pendingLabel_ = parseLabel(line);
        return true;
    case JclStatement::Ignored:
        return true;
    }
    return true;
}

bool JclReader::addFile(std::string_view line) {
    JclFileOperands operands = parseFileStatement(line);
    if (operands.ddName.empty() || (!operands.isTape && operands.fileId.empty())) {
        logError(jcltext::kReadError);
        return true;
    }
    if (operands.ddName.starts_with(kSortWorkPrefix))
        return true;
    if (fileCount() >= kMaxFilesPerChunk) {
        logError(jcltext::kNotCompatible);
        return false;
    }
    auto file = std::make_unique<JclFile>();
    file->ddName = std::move(operands.ddName);
    file->fileId = std::move(operands.fileId);
    file->isVsam = operands.isVsam;
    file->isTape = operands.isTape;
    files_.push_back(std::move(file));
    return true;
}

void JclReader::addStep(std::string_view line) {
    std::string program = parseStepProgram(line);
    if (program.empty()) {
        logError(jcltext::kReadError);
        return;
    }
    auto step = std::make_unique<JclStep>();
    step->programName = std::move(program);
    step->label = std::move(pendingLabel_);
    pendingLabel_.clear();
    // Files without a step are always the last ones of the list.
    for (auto file = files_.rbegin(); file != files_.rend() && !(*file)->step; ++file)
        (*file)->step = step.get();
    steps_.push_back(std::move(step));
}

void JclReader::renameDliStep(std::string_view line) {
    std::string parameter = parseDliParameter(line);
    if (parameter.empty()) {
        logError(jcltext::kReadError);
        return;
    }
    if (!steps_.empty() && steps_.back()->programName.starts_with(kDliControllerPrefix))
        steps_.back()->programName = std::move(parameter);
}

void JclReader::dropFilesWithoutStep() {
    for (const auto& file : files_)
        if (!file->step)
            logInfo(withArgument(jcltext::kFileWithoutStep, cp1252ToUtf8(file->ddName)));
    std::erase_if(files_, [](const std::unique_ptr<JclFile>& file) { return !file->step; });
}

void JclReader::drawChunk() {
    // With steps, files declared after the last of them cannot be drawn; a file
    // without any step goes to the drawing as it is, which reports it.
    if (!steps_.empty())
        dropFilesWithoutStep();
    ++chunksOfFile_;
    if (sink_ && sink_->drawJobChunk(*this, path_))
        ++summary_.foliosDrawn;
    clearLists();
    chunkFull_ = false;
}

std::string JclReader::takeFolioNumber() {
    ++partNumber_;
    return jclFolioNumber(path_, partNumber_);
}

void JclReader::clearLists() {
    files_.clear();
    steps_.clear();
}

std::string jclFolioNumber(const fs::path& path, int partNumber) {
    std::string name = utf8ToCp1252(path.filename().string());
    // A name written with Windows separators keeps only its last part.
    if (auto separator = name.find_last_of('\\'); separator != std::string::npos)
        name.erase(0, separator + 1);
    if (auto dot = name.find('.'); dot != std::string::npos)
        name.resize(dot);
    if (name.size() > kMaxFolioNumberLength)
        name.resize(kMaxFolioNumberLength);
    if (partNumber > 1) {
        name.push_back('/');
        name += std::to_string(partNumber);
        if (name.size() > kMaxFolioNumberLength)
            name.resize(kMaxFolioNumberLength);
    }
    return name;
}

std::vector<fs::path> listJclFiles(const fs::path& folder) {
    struct Entry {
        std::string key; // the name in capitals, as the Windows file system orders names
        std::string name;
        fs::path path;
    };
    std::vector<Entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError))
            continue;
        std::string name = it->path().filename().string();
        if (!hasJclExtension(name))
            continue;
        entries.push_back({upperAscii(name), name, it->path()});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.key != b.key ? a.key < b.key : a.name < b.name;
    });
    std::vector<fs::path> paths;
    paths.reserve(entries.size());
    for (Entry& entry : entries)
        paths.push_back(std::move(entry.path));
    return paths;
}

} // namespace plexo
