// Writes the bundled symbol libraries into a library folder and, when asked,
// the example document: "makelibraries LIBRARY_DIR [EXAMPLES_DIR JCL_DIR]".
// The build runs it so that the program finds its symbols beside itself.
#include "base/log.h"
#include "base/textcodec.h"
#include "jcl/jobflowchart.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/geometry.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"
#include "tools/bundledlibraries.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

using namespace plexo;

// Only the errors reach the build's output.
class ErrorsOnlyLog : public LogSink {
public:
    ErrorsOnlyLog() : previous_(logSink()) { setLogSink(this); }
    ~ErrorsOnlyLog() override { setLogSink(previous_); }
    void logMessage(int, int, int severity, std::string_view text, bool) override {
        if (severity != kInformation)
            std::fprintf(stderr, "makelibraries: %.*s\n", static_cast<int>(text.size()), text.data());
    }

private:
    LogSink* previous_;
};

constexpr std::int32_t mm(int v) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(v) * 1000 * 360 / 127);
}

Shape* placeSymbol(Folio& folio, const std::string& name, Point at, const std::string& text) {
    auto shape = std::make_unique<Shape>(kSymbol, &folio);
    shape->points = {at, at};
    shape->style = folio.document->symbolStyle;
    shape->createKindRecord();
    shape->infoSymbole->name = name;
    shape->setText(text);
    if (!resolveSymbolInstance(*shape) || !shape->infoSymbole->drawingAcquired) {
        std::fprintf(stderr, "makelibraries: symbole introuvable : %s\n", cp1252ToUtf8(name).c_str());
        return nullptr;
    }
    Folio::rebuildShape(*shape);
    return &folio.append(std::move(shape));
}

Shape* terminalOf(Shape* symbol, std::size_t index) {
    if (!symbol || symbol->infoSymbole->labels.size() <= index)
        return nullptr;
    return symbol->infoSymbole->labels[index].shape.get();
}

// A control wire joining two terminals, routed with horizontal and vertical segments.
void join(Folio& folio, Shape* from, Shape* to) {
    if (!from || !to)
        return;
    auto wire = std::make_unique<Shape>(kWire, &folio);
    wire->points = {placedPoint(*from), placedPoint(*to)};
    wire->style = folio.document->wireStyle;
    wire->style.set(kArrow2, 0);
    wire->createKindRecord();
    Shape& placed = folio.append(std::move(wire));
    linkEnd(placed, true, from);
    linkEnd(placed, false, to);
    followEnds(placed);
}

void electricalSchematic(Folio& folio) {
    folio.number = "E1";
    folio.titles[0] = utf8ToCp1252("Exemple : éclairage et ventilation");
    folio.titles[1] = utf8ToCp1252("Symboles de la librairie générale");
    folio.author = "Plexo";
    const std::int32_t top = mm(60), bottom = mm(140);
    Shape* feed = placeSymbol(folio, utf8ToCp1252("Interrupteur"), {mm(50), top}, "S1");
    Shape* fuse = placeSymbol(folio, utf8ToCp1252("Résistance"), {mm(80), top}, "R1");
    Shape* lamp = placeSymbol(folio, "Lampe", {mm(130), top + mm(30)}, "H1");
    Shape* motor = placeSymbol(folio, "Moteur", {mm(130), top + mm(60)}, "M1");
    Shape* capacitor = placeSymbol(folio, "Condensateur", {mm(80), top + mm(60)}, "C1");
    Shape* earth = placeSymbol(folio, "Terre", {mm(170), bottom}, "");
    join(folio, terminalOf(feed, 1), terminalOf(fuse, 0));
    join(folio, terminalOf(fuse, 1), terminalOf(lamp, 0));
    join(folio, terminalOf(fuse, 1), terminalOf(capacitor, 0));
    join(folio, terminalOf(capacitor, 1), terminalOf(motor, 0));
    join(folio, terminalOf(lamp, 1), terminalOf(earth, 0));
    join(folio, terminalOf(motor, 1), terminalOf(earth, 0));
}

void flowchart(Folio& folio) {
    folio.number = "O1";
    folio.titles[0] = utf8ToCp1252("Exemple : organigramme");
    folio.author = "Plexo";
    const std::int32_t x = mm(100);
    Shape* start = placeSymbol(folio, utf8ToCp1252("Début / fin"), {x, mm(40)}, utf8ToCp1252("Début"));
    Shape* read = placeSymbol(folio, "Traitement", {x, mm(70)}, "Lire une commande");
    Shape* test = placeSymbol(folio, utf8ToCp1252("Décision"), {x, mm(100)}, "En stock ?");
    Shape* invoice = placeSymbol(folio, "Document", {x, mm(135)}, "Facture");
    Shape* order = placeSymbol(folio, "Traitement", {x + mm(50), mm(100)}, "Commander");
    Shape* end = placeSymbol(folio, utf8ToCp1252("Début / fin"), {x, mm(170)}, "Fin");
    join(folio, terminalOf(start, 1), terminalOf(read, 0));
    join(folio, terminalOf(read, 1), terminalOf(test, 0));
    join(folio, terminalOf(test, 1), terminalOf(invoice, 0));
    join(folio, terminalOf(test, 3), terminalOf(order, 2));
    join(folio, terminalOf(invoice, 1), terminalOf(end, 0));
}

bool writeExamples(const std::filesystem::path& libraryDir, const std::filesystem::path& examplesDir,
                   const std::filesystem::path& jclDir) {
    std::error_code code;
    std::filesystem::create_directories(examplesDir, code);
    const std::filesystem::path output = examplesDir / "Exemples.dls";
    std::filesystem::remove(output, code);
    Lib lib(libraryDir.string());
    lib.scanLocation();
    installLibrary(&lib);
    bool ok = false;
    {
        saoDoc document;
        if (document.open({})) {
            document.titleBlockName = kBundledTitleBlock;
            document.titleBlockCorner = 3;
            document.loadTitleBlock();
            Folio& first = *document.folios.front();
            {
                FolioHolder hold(first, FolioHolder::OnRelease::Save);
                electricalSchematic(first);
            }
            Folio* second = document.addFolio([](Folio&, FolioDialogKind) { return true; });
            if (second) {
                FolioHolder hold(*second, FolioHolder::OnRelease::Save);
                flowchart(*second);
            }
            const JclImportSummary summary = importJclFolder(document, jclDir);
            document.changeFolioList(&first, kFolioResorted);
            document.setPath(output);
            ok = summary.foliosDrawn > 0 && document.commit(true);
            document.close();
        }
    }
    installLibrary(nullptr);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage : makelibraries DOSSIER_LIBRAIRIES [DOSSIER_EXEMPLES DOSSIER_JCL]\n");
        return 2;
    }
    ErrorsOnlyLog log;
    std::string error;
    if (!writeBundledLibraries(argv[1], error)) {
        std::fprintf(stderr, "makelibraries: %s\n", error.c_str());
        return 1;
    }
    if (argc == 4 && !writeExamples(argv[1], argv[2], argv[3])) {
        std::fprintf(stderr, "makelibraries: impossible d'écrire l'exemple dans %s\n", argv[2]);
        return 1;
    }
    return 0;
}
