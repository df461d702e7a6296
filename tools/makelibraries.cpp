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
#include <vector>

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

// A control wire from one end to the other, each a terminal or another control
// wire (a junction), through the given points, routed with horizontal and vertical
// segments. A terminal end starts or ends the wire on the terminal; a wire end on
// the given first or last point, which lies on that wire. nullptr, with a line on
// the build's output, when an end is missing or refused (a terminal carries one
// wire only).
Shape* wire(Folio& folio, Shape* from, std::vector<Point> points, Shape* to) {
    if (!from || !to)
        return nullptr;
    auto shape = std::make_unique<Shape>(kWire, &folio);
    if (from->infoBorne)
        points.insert(points.begin(), placedPoint(*from));
    if (to->infoBorne)
        points.push_back(placedPoint(*to));
    shape->points = std::move(points);
    shape->style = folio.document->wireStyle;
    shape->style.set(kArrow2, 0);
    shape->createKindRecord();
    Shape& placed = folio.append(std::move(shape));
    if (!linkEnd(placed, true, from) || !linkEnd(placed, false, to)) {
        std::fprintf(stderr, "makelibraries: fil refusé sur le folio %s\n", folio.number.c_str());
        return nullptr;
    }
    followEnds(placed);
    return &placed;
}

// A control wire joining two terminals.
Shape* join(Folio& folio, Shape* from, Shape* to) {
    return wire(folio, from, {}, to);
}

bool electricalSchematic(Folio& folio) {
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
    Shape* toFuse = join(folio, terminalOf(feed, 1), terminalOf(fuse, 0));
    // R1 feeds the lamp; the capacitor's branch leaves that wire at a junction (a
    // terminal carries one wire), goes down and round the capacitor's left side.
    Shape* toLamp = join(folio, terminalOf(fuse, 1), terminalOf(lamp, 0));
    Shape* toCapacitor =
        wire(folio, toLamp,
             {{mm(100), top}, {mm(100), top + mm(45)}, {mm(60), top + mm(45)}, {mm(60), top + mm(60)}},
             terminalOf(capacitor, 0));
    Shape* toMotor = join(folio, terminalOf(capacitor, 1), terminalOf(motor, 0));
    // The lamp is earthed; the motor's return joins the lamp's earth wire.
    Shape* toEarth = join(folio, terminalOf(lamp, 1), terminalOf(earth, 0));
    Shape* motorReturn = nullptr;
    if (Shape* motorEnd = terminalOf(motor, 1); motorEnd && toEarth)
        motorReturn = wire(folio, motorEnd, {{toEarth->points.back().x, placedPoint(*motorEnd).y}}, toEarth);
    return toFuse && toLamp && toCapacitor && toMotor && toEarth && motorReturn;
}

bool flowchart(Folio& folio) {
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
    bool ok = join(folio, terminalOf(start, 1), terminalOf(read, 0));
    ok = join(folio, terminalOf(read, 1), terminalOf(test, 0)) && ok;
    ok = join(folio, terminalOf(test, 1), terminalOf(invoice, 0)) && ok;
    ok = join(folio, terminalOf(test, 3), terminalOf(order, 2)) && ok;
    ok = join(folio, terminalOf(invoice, 1), terminalOf(end, 0)) && ok;
    return ok;
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
            bool drawn = false;
            {
                FolioHolder hold(first, FolioHolder::OnRelease::Save);
                drawn = electricalSchematic(first);
            }
            Folio* second = document.addFolio([](Folio&, FolioDialogKind) { return true; });
            if (second) {
                FolioHolder hold(*second, FolioHolder::OnRelease::Save);
                drawn = flowchart(*second) && drawn;
            }
            const JclImportSummary summary = importJclFolder(document, jclDir);
            document.changeFolioList(&first, kFolioResorted);
            document.setPath(output);
            ok = drawn && second && summary.foliosDrawn > 0 && document.commit(true);
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
