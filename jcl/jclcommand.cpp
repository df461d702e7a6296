#include "jcl/jclcommand.h"

#include "base/log.h"
#include "jcl/jobflowchart.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <cstdio>
#include <cstring>
#include <system_error>

namespace plexo {
namespace {

constexpr const char* kUsage =
    "Utilisation : plexo jcl [--library DOSSIER] [-o SORTIE.dls] FICHIER.jcl|DOSSIER ...";

// The message window of the command line: every line on standard error.
class StandardErrorLog : public LogSink {
public:
    StandardErrorLog() : previous_(logSink()) { setLogSink(this); }
    ~StandardErrorLog() override { setLogSink(previous_); }
    void logMessage(int, int, int, std::string_view text, bool) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }

private:
    LogSink* previous_;
};

std::filesystem::path defaultOutput(const std::filesystem::path& input) {
    std::filesystem::path base = input;
    while (!base.empty() && !base.has_filename())
        base = base.parent_path(); // "jobs/" gives "jobs"
    std::filesystem::path output = base;
    output.replace_extension(".dls");
    return output;
}

// Installs the symbol library of the folder for the command's time.
class LibraryInstall {
public:
    explicit LibraryInstall(const std::filesystem::path& folder) : lib_(folder.string()) {
        lib_.scanLocation();
        installLibrary(&lib_);
    }
    ~LibraryInstall() { installLibrary(nullptr); }
    Lib& lib() { return lib_; }

private:
    Lib lib_;
};

} // namespace

bool parseJclArguments(int argc, char** argv, JclCommandRequest& request, std::string& error) {
    request = {};
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-o" || argument == "--library") {
            if (i + 1 >= argc) {
                error = "L'option " + argument + " attend un chemin.";
                return false;
            }
            std::filesystem::path& target = argument == "-o" ? request.output : request.library;
            if (!target.empty()) {
                error = "L'option " + argument + " est donnée deux fois.";
                return false;
            }
            target = argv[++i];
        } else if (!argument.empty() && argument[0] == '-') {
            error = "Option inconnue : " + argument;
            return false;
        } else {
            request.inputs.emplace_back(argument);
        }
    }
    if (request.inputs.empty()) {
        error = "Aucun fichier JCL ni dossier donné.";
        return false;
    }
    if (request.output.empty())
        request.output = defaultOutput(request.inputs.front());
    return true;
}

int runJclCommand(const JclCommandRequest& request) {
    StandardErrorLog log;
    LibraryInstall library(request.library);
    std::error_code code;
    const bool appending = std::filesystem::exists(request.output, code);
    saoDoc document;
    if (!document.open(appending ? request.output : std::filesystem::path())) {
        std::fprintf(stderr, "Impossible d'ouvrir le document %s.\n", request.output.string().c_str());
        return 1;
    }
    // A new document starts with one empty folio; the drawings replace it.
    Folio* empty = appending || document.folios.empty() ? nullptr : document.folios.front().get();

    JobFlowchart drawing(document);
    JclReader reader(&drawing);
    const JclImportSummary summary = reader.importJclPaths(request.inputs);
    // A drawing stopped part-way (too many files on a step, a missing symbol)
    // keeps its folio with what was placed: it is written, so it is counted. The
    // document is written when at least one drawing went through whole.
    const int foliosAdded = static_cast<int>(drawing.folios().size());
    int status = 0;
    if (summary.foliosDrawn == 0) {
        std::fprintf(stderr, "Aucun folio n'a pu être dessiné.\n");
        status = 1;
    } else {
        if (empty && empty->objects.empty() && document.folios.size() > 1)
            document.takeFolio(empty);
        document.setPath(request.output);
        if (!document.commit(true)) {
            std::fprintf(stderr, "Impossible d'écrire le document %s.\n", request.output.string().c_str());
            status = 1;
        } else {
            std::printf("%s : %d folio(s) dessiné(s) depuis %d fichier(s) JCL%s.\n",
                        request.output.string().c_str(), foliosAdded, summary.filesRead + summary.filesFailed,
                        summary.filesFailed ? " (avec des erreurs)" : "");
        }
    }
    document.close();
    return status;
}

int runJclCommand(int argc, char** argv, const std::filesystem::path& usualLibrary) {
    JclCommandRequest request;
    std::string error;
    if (!parseJclArguments(argc, argv, request, error)) {
        std::fprintf(stderr, "%s\n%s\n", error.c_str(), kUsage);
        return 2;
    }
    if (request.library.empty())
        request.library = usualLibrary;
    return runJclCommand(request);
}

} // namespace plexo
