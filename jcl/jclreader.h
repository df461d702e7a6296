// Reads JCL files (one job per ".jcl" file) into the job model: the steps in
// statement order and the data sets they use. Every 50 steps, and at the end
// of each file, the reader hands the lists to a JclChunkSink, which draws them
// as one folio; the reader empties them afterwards.
#pragma once

#include "jcl/jclfile.h"
#include "jcl/jclstep.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plexo {

class JclReader;

// Where the chunks go: the flowchart drawing (editor or command line), or a
// test. Called with at most JclReader::kStepsPerChunk steps; with none when a
// file held no step at all, so that the drawing can report it.
class JclChunkSink {
public:
    virtual ~JclChunkSink() = default;
    // path: the JCL file being read. Returns true when a folio was added.
    virtual bool drawJobChunk(JclReader& reader, const std::filesystem::path& path) = 0;
};

// What an import did, for the command line's exit code and its summary.
struct JclImportSummary {
    int filesRead = 0;   // read to their end
    int filesFailed = 0; // could not be opened, or stopped by an error
    int foliosDrawn = 0; // chunks the sink reported as drawn
};

class JclReader {
public:
    static constexpr int kStepsPerChunk = 50;
    // More data sets than 50 steps can show (16 inputs and 16 outputs each)
    // cannot make a folio; a file declaring more in one chunk is refused
    // rather than kept in memory without bound.
    static constexpr int kMaxFilesPerChunk = kStepsPerChunk * 2 * 16;

    explicit JclReader(JclChunkSink* sink = nullptr) : sink_(sink) {}
    JclReader(const JclReader&) = delete;
    JclReader& operator=(const JclReader&) = delete;

    void setSink(JclChunkSink* sink) { sink_ = sink; }

    // Reads one JCL file and draws it (logs "Importation de ..." first).
    // Returns false when the file could not be opened or its reading stopped
    // on an error; chunks of 50 steps drawn before the error stay drawn.
    bool importJclFile(const std::filesystem::path& path);

    // Every "*.jcl" file of the folder in listJclFiles order, each read from
    // that folder (the process's current folder is left alone). An error in
    // one file does not stop the others.
    JclImportSummary importJclFolder(const std::filesystem::path& folder);

    // Files and folders as given on a command line.
    JclImportSummary importJclPaths(const std::vector<std::filesystem::path>& paths);

    // Reads text as the content of the JCL file at path (nothing is opened;
    // no "Importation de" line). Returns false when the reading stopped on an
    // error.
    bool readJclText(const std::filesystem::path& path, std::string_view text);

    // Totals since construction (or the last resetSummary).
    const JclImportSummary& summary() const { return summary_; }
    void resetSummary() { summary_ = {}; }

    // Interprets one line (without its line end) into the current lists.
    // Returns false when the file must not be read further.
    bool parseJclLine(std::string_view line);

    // The current chunk, in statement order. The drawing fills the counters,
    // directions and symbol pointers; the reader owns the objects.
    const std::vector<std::unique_ptr<JclStep>>& steps() const { return steps_; }
    const std::vector<std::unique_ptr<JclFile>>& files() const { return files_; }
    int stepCount() const { return static_cast<int>(steps_.size()); }
    int fileCount() const { return static_cast<int>(files_.size()); }
    const std::string& pendingLabel() const { return pendingLabel_; }

    // Folios already drawn from the current file.
    int partNumber() const { return partNumber_; }
    // Advances partNumber and gives the "N°" field of the folio being drawn
    // from the current file: the job name, then "/2", "/3"... from the second
    // folio on (Windows-1252, at most 19 characters).
    std::string takeFolioNumber();

    // Empties both lists (pendingLabel and partNumber are kept).
    void clearLists();

private:
    JclImportSummary summarySince(const JclImportSummary& before) const;
    bool readFile(const std::filesystem::path& path);
    void beginText(const std::filesystem::path& path);
    bool feedText(std::string_view bytes);
    bool endText();
    bool stopText(const char* message);
    bool addFile(std::string_view line);
    void addStep(std::string_view line);
    void renameDliStep(std::string_view line);
    void dropFilesWithoutStep();
    void drawChunk();

    JclChunkSink* sink_;
    std::vector<std::unique_ptr<JclStep>> steps_;
    std::vector<std::unique_ptr<JclFile>> files_;
    std::string pendingLabel_;
    int partNumber_ = 0;
    int chunksOfFile_ = 0; // chunks handed to the sink from the current file
    // Set when the chunk holds 50 steps: it is drawn before the next file or
    // step statement (or at the end of the file), so that the DL/I parameter
    // line that follows a 50th step still renames it.
    bool chunkFull_ = false;
    std::filesystem::path path_;
    std::string line_; // the line being read, without its CR characters
    JclImportSummary summary_;
};

// The "N°" field of a folio drawn from the JCL file at path: the file's own
// name (never its folder) up to its first ".", at most 19 characters; from the
// second folio on (partNumber > 1) "/partNumber" is appended and the whole cut
// to 19 characters. Windows-1252 bytes.
std::string jclFolioNumber(const std::filesystem::path& path, int partNumber);

// The "*.jcl" files of a folder (the extension in any case, regular files
// only), in the order a Windows directory listing gives them: by name,
// ignoring case. Empty when the folder cannot be listed.
std::vector<std::filesystem::path> listJclFiles(const std::filesystem::path& folder);

} // namespace plexo
