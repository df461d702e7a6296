#include "tools/bundledlibraries.h"

#include "base/buffer.h"
#include "base/objfile.h"
#include "library/lib.h"
#include "shapes/shape.h"
#include "shapes/style.h"
#include "store/folio.h"
#include "store/saodoc.h"

#include <cmath>
#include <functional>
#include <memory>
#include <system_error>

namespace plexo {
namespace {

// Millimetres (tenths) to document units.
constexpr std::int32_t mm(double v) {
    return static_cast<std::int32_t>(v * 1000.0 * 360.0 / 127.0 + (v < 0 ? -0.5 : 0.5));
}

// The grid step of a new document (10 mm): the flowchart places its symbols on it.
constexpr std::int32_t kStep = 28346;

using Drawing = std::vector<std::unique_ptr<Shape>>;

std::unique_ptr<Shape> object(int kind, std::vector<Point> points, std::string text = {}) {
    auto shape = std::make_unique<Shape>(kind);
    shape->points = std::move(points);
    shape->data = std::move(text);
    shape->style = objectDefaultStyle();
    shape->setApplicability();
    shape->createKindRecord();
    Folio::rebuildShape(*shape);
    return shape;
}

void line(Drawing& d, Point a, Point b) {
    d.push_back(object(kLine, {a, b}));
}
void box(Drawing& d, int kind, Point a, Point b) {
    d.push_back(object(kind, {a, b}));
}
// A terminal; its label (the instance's text for it) is written by align, 7 points.
void terminal(Drawing& d, Point p, std::string name, int align = 0) {
    auto shape = object(kTerminal, {p}, std::move(name));
    shape->style.set(kFontSize, 7);
    shape->style.set(kTextAlign, align);
    d.push_back(std::move(shape));
}

// An editable text zone (the instance's name for "#Nom", a title-block field...).
// A zone is anchored at a point: align 2 centres the text on it, 1 starts the
// text just right of it. The box given is where the text is meant to sit.
void textZone(Drawing& d, Point a, Point b, std::string field, int size = 8, int align = 2) {
    const Point anchor = align == 1 ? Point{a.x, (a.y + b.y) / 2} : Point{(a.x + b.x) / 2, (a.y + b.y) / 2};
    auto zone = object(kTextZone, {anchor, anchor}, std::move(field));
    zone->style.set(kFontSize, size);
    zone->style.set(kTextAlign, align);
    d.push_back(std::move(zone));
}

void caption(Drawing& d, Point a, Point b, std::string text) {
    auto shape = object(kText, {a, b}, std::move(text));
    shape->style.set(kFontSize, 6);
    d.push_back(std::move(shape));
}

// Points of an elliptic arc about c with radii (rx, ry) from angle a0 to a1 (degrees,
// y downward: 0 is right, 90 is down).
std::vector<Point> arc(Point c, std::int32_t rx, std::int32_t ry, double a0, double a1, int steps = 16) {
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * 3.14159265358979323846 / 180.0;
        points.push_back({c.x + static_cast<std::int32_t>(std::lround(rx * std::cos(a))),
                          c.y + static_cast<std::int32_t>(std::lround(ry * std::sin(a)))});
    }
    return points;
}

// ---- the flowchart symbols ---------------------------------------------------------

// A program box with `inputs` terminals "in1".. on its top edge and `outputs`
// terminals "out1".. on its bottom edge, two grid steps apart, and the program
// name in the middle.
Drawing programBox(int inputs, int outputs) {
    const int sides = std::max(inputs, outputs);
    const std::int32_t w = sides * 2 * kStep, h = kStep, inset = mm(2);
    Drawing d;
    for (int k = 1; k <= inputs; ++k)
        terminal(d, {static_cast<std::int32_t>(static_cast<std::int64_t>(w) * (2 * k - 1) / (2 * inputs)), 0},
                 "in" + std::to_string(k), 6); // the DD name above the edge, right of the wire
    for (int k = 1; k <= outputs; ++k)
        terminal(d,
                 {static_cast<std::int32_t>(static_cast<std::int64_t>(w) * (2 * k - 1) / (2 * outputs)), h},
                 "out" + std::to_string(k), 8); // below the edge, right of the wire
    box(d, kRectangle, {0, 0}, {w, h});
    line(d, {inset, 0}, {inset, h});
    line(d, {w - inset, 0}, {w - inset, h});
    textZone(d, {inset + mm(1), mm(1)}, {w - inset - mm(1), h - mm(1)}, "#Nom");
    return d;
}

// File symbols: 16 mm by one grid step, upper terminal first, lower second.
constexpr std::int32_t kFileWidth = 45354;

void fileTerminals(Drawing& d) {
    terminal(d, {kFileWidth / 2, 0}, "haut");
    terminal(d, {kFileWidth / 2, kStep}, "bas");
}

Drawing diskFile() {
    const std::int32_t w = kFileWidth, h = kStep, e = mm(3);
    Drawing d;
    fileTerminals(d);
    box(d, kOval, {0, 0}, {w, e});
    line(d, {0, e / 2}, {0, h - e / 2});
    line(d, {w, e / 2}, {w, h - e / 2});
    d.push_back(object(kFreeHand, arc({w / 2, h - e / 2}, w / 2, e / 2, 0, 180)));
    textZone(d, {mm(1), e + mm(0.5)}, {w - mm(1), h - mm(1)}, "#Nom", 7);
    return d;
}

Drawing vsamFile() {
    const std::int32_t w = kFileWidth, h = kStep;
    Drawing d;
    fileTerminals(d);
    box(d, kRoundRect, {0, 0}, {w, h});
    line(d, {0, mm(2.5)}, {w, mm(2.5)});
    line(d, {mm(4), 0}, {mm(4), mm(2.5)});
    caption(d, {mm(5), mm(0.3)}, {w - mm(1), mm(2.4)}, "VSAM");
    textZone(d, {mm(1), mm(3)}, {w - mm(1), h - mm(1)}, "#Nom", 7);
    return d;
}

Drawing tapeFile() {
    const std::int32_t w = kFileWidth, h = kStep, r = h / 2;
    Drawing d;
    fileTerminals(d);
    box(d, kOval, {w / 2 - r, 0}, {w / 2 + r, h});
    box(d, kOval, {w / 2 - mm(1), r - mm(1)}, {w / 2 + mm(1), r + mm(1)});
    line(d, {0, h}, {w, h}); // the tape, under the reel
    textZone(d, {w / 2 - r + mm(1.5), mm(1.5)}, {w / 2 + r - mm(1.5), r - mm(1.2)}, "#Nom", 6);
    return d;
}

// The step label: a thin tag, so that it fits between the wires that reach the
// program above it (they turn V/2 above the files' lower terminals).
Drawing stepTag() {
    const std::int32_t w = mm(18), h = mm(2.6);
    Drawing d;
    d.push_back(object(kPolygon, {{0, 0}, {w - h / 2, 0}, {w, h / 2}, {w - h / 2, h}, {0, h}}));
    box(d, kOval, {mm(0.8), h / 2 - mm(0.5)}, {mm(1.8), h / 2 + mm(0.5)});
    textZone(d, {mm(2.5), mm(0.2)}, {w - h / 2, h - mm(0.2)}, "#Nom", 6);
    return d;
}

// ---- the title block -------------------------------------------------------------------

Drawing titleBlock() {
    const std::int32_t row = mm(7), w = mm(180), h = 4 * row;
    const std::int32_t split = mm(110), label = mm(128);
    Drawing d;
    box(d, kRectangle, {0, 0}, {w, h});
    line(d, {split, 0}, {split, h});
    line(d, {label, 0}, {label, h});
    for (int r = 1; r < 4; ++r)
        line(d, {r == 3 ? 0 : split, r * row}, {w, r * row});
    const char* titles[3] = {"#Titre1", "#Titre2", "#Titre3"};
    for (int r = 0; r < 3; ++r)
        textZone(d, {mm(2), r * row + mm(1)}, {split - mm(2), (r + 1) * row - mm(1)}, titles[r],
                 r == 0 ? 10 : 8, 1);
    caption(d, {mm(2), 3 * row + mm(0.5)}, {mm(20), 3 * row + mm(3)}, "Document");
    textZone(d, {mm(20), 3 * row + mm(1)}, {split - mm(2), h - mm(1)}, "#Document", 8, 1);
    const char* captions[4] = {"Folio", "Date", "Auteur", "Page"};
    const char* fields[4] = {"#Folio", "#Date", "#Auteur", "#TPages"};
    for (int r = 0; r < 4; ++r) {
        caption(d, {split + mm(1), r * row + mm(0.5)}, {label - mm(1), r * row + mm(3)}, captions[r]);
        textZone(d, {label + mm(2), r * row + mm(1)}, {w - mm(2), (r + 1) * row - mm(1)}, fields[r], 8, 1);
    }
    return d;
}

// ---- general symbols ---------------------------------------------------------------------

Drawing process() {
    const std::int32_t w = mm(24), h = mm(12);
    Drawing d;
    terminal(d, {w / 2, 0}, "1");
    terminal(d, {w / 2, h}, "2");
    terminal(d, {0, h / 2}, "3");
    terminal(d, {w, h / 2}, "4");
    box(d, kRectangle, {0, 0}, {w, h});
    textZone(d, {mm(1), mm(1)}, {w - mm(1), h - mm(1)}, "#Nom");
    return d;
}

Drawing decision() {
    const std::int32_t w = mm(24), h = mm(14);
    Drawing d;
    terminal(d, {w / 2, 0}, "1");
    terminal(d, {w / 2, h}, "2");
    terminal(d, {0, h / 2}, "3");
    terminal(d, {w, h / 2}, "4");
    d.push_back(object(kPolygon, {{w / 2, 0}, {w, h / 2}, {w / 2, h}, {0, h / 2}}));
    textZone(d, {w / 4, h / 4}, {w - w / 4, h - h / 4}, "#Nom", 7);
    return d;
}

Drawing terminator() {
    const std::int32_t w = mm(24), h = mm(9);
    Drawing d;
    terminal(d, {w / 2, 0}, "1");
    terminal(d, {w / 2, h}, "2");
    box(d, kRoundRect, {0, 0}, {w, h});
    textZone(d, {mm(2), mm(1)}, {w - mm(2), h - mm(1)}, "#Nom");
    return d;
}

Drawing document() {
    const std::int32_t w = mm(24), h = mm(14), wave = mm(1.5);
    Drawing d;
    terminal(d, {w / 2, 0}, "1");
    terminal(d, {w / 2, h - wave}, "2");
    std::vector<Point> outline = {{0, 0}, {w, 0}};
    std::vector<Point> right = arc({w * 3 / 4, h - wave}, w / 4, wave, 0, 180, 8);
    std::vector<Point> left = arc({w / 4, h - wave}, w / 4, wave, 0, -180, 8);
    outline.insert(outline.end(), right.begin(), right.end());
    outline.insert(outline.end(), left.begin() + 1, left.end());
    d.push_back(object(kPolygon, std::move(outline)));
    textZone(d, {mm(1), mm(1)}, {w - mm(1), h - 2 * wave - mm(0.5)}, "#Nom");
    return d;
}

// Electrical symbols lie horizontally between two terminals 20 mm apart.
constexpr std::int32_t kLead = 56692; // 20 mm

void leads(Drawing& d, std::int32_t gap) {
    const std::int32_t y = 0;
    terminal(d, {0, y}, "1");
    terminal(d, {kLead, y}, "2");
    line(d, {0, y}, {kLead / 2 - gap / 2, y});
    line(d, {kLead / 2 + gap / 2, y}, {kLead, y});
}

void nameAbove(Drawing& d, std::int32_t height) {
    textZone(d, {mm(2), -height / 2 - mm(4)}, {kLead - mm(2), -height / 2 - mm(0.5)}, "#Nom", 7);
}

Drawing resistor() {
    Drawing d;
    leads(d, mm(10));
    box(d, kRectangle, {kLead / 2 - mm(5), -mm(2)}, {kLead / 2 + mm(5), mm(2)});
    nameAbove(d, mm(4));
    return d;
}

Drawing capacitor() {
    Drawing d;
    leads(d, mm(2));
    line(d, {kLead / 2 - mm(1), -mm(3)}, {kLead / 2 - mm(1), mm(3)});
    line(d, {kLead / 2 + mm(1), -mm(3)}, {kLead / 2 + mm(1), mm(3)});
    nameAbove(d, mm(6));
    return d;
}

Drawing switchContact() {
    Drawing d;
    leads(d, mm(8));
    line(d, {kLead / 2 - mm(4), 0}, {kLead / 2 + mm(4), -mm(3.5)});
    nameAbove(d, mm(7));
    return d;
}

Drawing lamp() {
    Drawing d;
    const std::int32_t r = mm(4), c = kLead / 2, k = mm(2.83);
    leads(d, 2 * r);
    box(d, kOval, {c - r, -r}, {c + r, r});
    line(d, {c - k, -k}, {c + k, k});
    line(d, {c - k, k}, {c + k, -k});
    nameAbove(d, 2 * r);
    return d;
}

Drawing motor() {
    Drawing d;
    const std::int32_t r = mm(5), c = kLead / 2;
    leads(d, 2 * r);
    box(d, kOval, {c - r, -r}, {c + r, r});
    auto m = object(kText, {{c - mm(2), -mm(2.5)}, {c + mm(2.5), mm(2.5)}}, "M");
    m->style.set(kFontSize, 12);
    d.push_back(std::move(m));
    nameAbove(d, 2 * r);
    return d;
}

Drawing ground() {
    Drawing d;
    terminal(d, {mm(5), 0}, "1");
    line(d, {mm(5), 0}, {mm(5), mm(5)});
    line(d, {0, mm(5)}, {mm(10), mm(5)});
    line(d, {mm(2), mm(6.5)}, {mm(8), mm(6.5)});
    line(d, {mm(3.8), mm(8)}, {mm(6.2), mm(8)});
    return d;
}

// ---- writing -----------------------------------------------------------------------------

struct SymbolSource {
    const char* folder; // in the library, or nullptr
    std::string name;   // Windows-1252
    std::function<Drawing()> draw;
    std::uint8_t type = kSymbole;
};

std::vector<SymbolSource> jclSymbols() {
    std::vector<SymbolSource> s;
    for (int n = 1; n <= 16; ++n)
        s.push_back({"Programmes", "Pgm " + std::to_string(n) + "/" + std::to_string(n),
                     [n] { return programBox(n, n); }});
    const int unbalanced[4][2] = {{2, 1}, {3, 1}, {1, 2}, {1, 3}};
    for (const auto& io : unbalanced) {
        const int i = io[0], o = io[1];
        s.push_back({"Programmes", "Pgm " + std::to_string(i) + "/" + std::to_string(o),
                     [i, o] { return programBox(i, o); }});
    }
    s.push_back({"Fichiers", "SAM", diskFile});
    s.push_back({"Fichiers", "VSAM", vsamFile});
    s.push_back({"Fichiers", "Sauvegarde", tapeFile});
    s.push_back({nullptr, "Etiquette", stepTag});
    return s;
}

std::vector<SymbolSource> generalSymbols() {
    return {
        {"Organigrammes", "Traitement", process},
        {"Organigrammes",
         "D\xE9"
         "cision",
         decision},
        {"Organigrammes",
         "D\xE9"
         "but / fin",
         terminator},
        {"Organigrammes", "Document", document},
        {"Electricit\xE9", "R\xE9sistance", resistor},
        {"Electricit\xE9", "Condensateur", capacitor},
        {"Electricit\xE9", "Interrupteur", switchContact},
        {"Electricit\xE9", "Lampe", lamp},
        {"Electricit\xE9", "Moteur", motor},
        {"Electricit\xE9", "Terre", ground},
    };
}

bool storeDrawing(LibNode& symbol, Drawing drawing) {
    Folio page;
    for (auto& shape : drawing)
        page.append(std::move(shape));
    page.renumberObjects();
    Buffer buffer;
    page.writeObjects(buffer, WhichObjects::All);
    buffer.allocateMeasured();
    page.writeObjects(buffer, WhichObjects::All);
    LibNode* library = symbol.owningLibrary();
    return !buffer.failed() && library &&
           library->file->writeRecord(kSymbolDrawingRecordType, symbol.id, buffer);
}

bool writeLibrary(Lib& lib, const std::filesystem::path& folder, const char* fileName,
                  const std::vector<SymbolSource>& symbols, std::string& error) {
    std::error_code ignored;
    std::filesystem::remove(folder / fileName, ignored);
    std::string name = fileName;
    name.resize(name.size() - 4); // without ".dly"
    LibNode* library = lib.createNode(*lib.location, NodeKind::Library, name);
    if (!library) {
        error = "Impossible de créer la librairie " + (folder / fileName).string() + ".";
        return false;
    }
    for (const SymbolSource& source : symbols) {
        LibNode* parent = library;
        if (source.folder) {
            parent = nullptr;
            for (const auto& child : library->children)
                if (child->kind == NodeKind::Folder && child->name == source.folder)
                    parent = child.get();
            if (!parent)
                parent = lib.createNode(*library, NodeKind::Folder, source.folder);
        }
        LibNode* symbol =
            parent ? lib.createNode(*parent, NodeKind::Symbol, source.name, source.type) : nullptr;
        if (!symbol || !storeDrawing(*symbol, source.draw())) {
            error = "Impossible d'écrire le symbole " + source.name + " dans " +
                    (folder / fileName).string() + ".";
            return false;
        }
    }
    library->expanded = 1;
    for (const auto& child : library->children)
        child->expanded = 1;
    return library->saveTree();
}

std::vector<std::string> namesOf(const std::vector<SymbolSource>& symbols) {
    std::vector<std::string> names;
    for (const auto& s : symbols)
        names.push_back(s.name);
    return names;
}

} // namespace

std::vector<std::string> jclSymbolNames() {
    return namesOf(jclSymbols());
}
std::vector<std::string> generalSymbolNames() {
    return namesOf(generalSymbols());
}

bool writeBundledLibraries(const std::filesystem::path& folder, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    Lib lib(folder.string());
    bool ok = writeLibrary(lib, folder, kJclLibraryFile, jclSymbols(), error) &&
              writeLibrary(lib, folder, kTitleBlockLibraryFile,
                           {{nullptr, kBundledTitleBlock, titleBlock, kCartouche}}, error) &&
              writeLibrary(lib, folder, kGeneralLibraryFile, generalSymbols(), error);
    lib.closeAll();
    return ok;
}

} // namespace plexo
