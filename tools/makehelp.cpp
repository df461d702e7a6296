// Writes the help documents that come with Plexo, "Documentation Plexo.dls" and
// "Lisezmoi.dls", as schémas: the help is read in the editor itself, folio by
// folio, and every tool is shown by a small drawing of what it makes.
// "makehelp LIBRARY_DIR OUTPUT_DIR JCL_FILE": the symbols and the title block
// come from the bundled libraries, the JCL folio from an example job.
#include "base/log.h"
#include "base/textcodec.h"
#include "jcl/jobflowchart.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/shape.h"
#include "shapes/symbollabels.h"
#include "shapes/symbolresolver.h"
#include "shapes/wires.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"
#include "tools/bundledlibraries.h"
#include "tools/helptexts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>

namespace {

using namespace plexo;

constexpr const char* kHelpDocumentFile = "Documentation Plexo.dls";
constexpr const char* kReadMeDocumentFile = "Lisezmoi.dls";
// The date written in the folios' identification: fixed, so that two builds of
// the same sources write the same documents.
constexpr const char* kHelpDate = "08/12/2026";

class ErrorsOnlyLog : public LogSink {
public:
    ErrorsOnlyLog() : previous_(logSink()) { setLogSink(this); }
    ~ErrorsOnlyLog() override { setLogSink(previous_); }
    void logMessage(int, int, int severity, std::string_view text, bool) override {
        if (severity != kInformation) {
            std::fprintf(stderr, "makehelp: %.*s\n", static_cast<int>(text.size()), text.data());
            failed = true;
        }
    }
    bool failed = false;

private:
    LogSink* previous_;
};

constexpr std::int32_t mm(double v) {
    return static_cast<std::int32_t>(v * 1000.0 * 360.0 / 127.0 + 0.5);
}

// The page's writing area (A4 portrait): the title block takes the bottom right.
constexpr double kLeft = 15, kRight = 195, kBottom = 258;
// Average width of a character and height of a line, in millimetres per point
// of text size: enough room is given to a paragraph that its last line shows.
constexpr double kCharWidthPerPoint = 0.17, kLineHeightPerPoint = 0.45;

// Lays out one folio from top to bottom: headings, paragraphs and drawings.
class Page {
public:
    explicit Page(Folio& folio) : folio_(folio) {}

    double y() const { return y_; }
    void skip(double millimetres) { y_ += millimetres; }

    Shape& text(double x0, double y0, double x1, double y1, const std::string& utf8, int size,
                std::uint8_t fontStyle = 0, int align = 0) {
        auto shape = std::make_unique<Shape>(kText, &folio_);
        shape->points = {{mm(x0), mm(y0)}, {mm(x1), mm(y1)}};
        shape->style = folio_.document->objectStyle;
        shape->style.set(kFontSize, size);
        shape->style.set(kFontStyle, fontStyle);
        shape->style.set(kTextAlign, align);
        shape->setApplicability();
        shape->setText(utf8ToCp1252(utf8));
        Folio::rebuildShape(*shape);
        return folio_.append(std::move(shape));
    }

    void heading(const std::string& utf8, int size = 14) {
        const double height = size * kLineHeightPerPoint + 2;
        text(kLeft, y_, kRight, y_ + height, utf8, size, kFontBold);
        y_ += height + 1;
    }

    // A paragraph across the width from x; its height follows its length.
    void paragraph(const std::string& utf8, double x = kLeft, int size = 9) {
        y_ += paragraphAt(x, y_, kRight, utf8, size) + 1.5;
    }

    // Returns the height given to the text.
    double paragraphAt(double x0, double y0, double x1, const std::string& utf8, int size = 9) {
        const double perLine = (x1 - x0) / (size * kCharWidthPerPoint);
        int lines = 1;
        double run = 0;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            if (utf8[i] == '\n') {
                ++lines;
                run = 0;
            } else if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && ++run > perLine) {
                ++lines;
                run = 0;
            }
        }
        const double height = lines * size * kLineHeightPerPoint + 1.5;
        text(x0, y0, x1, y0 + height, utf8, size);
        return height;
    }

    Shape& shape(int kind, std::vector<Point> points, bool wire = false) {
        auto made = std::make_unique<Shape>(kind, &folio_);
        made->points = std::move(points);
        made->style = wire ? folio_.document->wireStyle : folio_.document->objectStyle;
        made->setApplicability();
        made->createKindRecord();
        Folio::rebuildShape(*made);
        return folio_.append(std::move(made));
    }

    Shape* symbol(const std::string& utf8Name, Point at, const std::string& label) {
        auto made = std::make_unique<Shape>(kSymbol, &folio_);
        made->points = {at, at};
        made->style = folio_.document->symbolStyle;
        made->createKindRecord();
        made->infoSymbole->name = utf8ToCp1252(utf8Name);
        made->setText(utf8ToCp1252(label));
        if (!resolveSymbolInstance(*made) || !made->infoSymbole->drawingAcquired) {
            std::fprintf(stderr, "makehelp: symbole introuvable : %s\n", utf8Name.c_str());
            missingSymbols = true;
            return nullptr;
        }
        Folio::rebuildShape(*made);
        return &folio_.append(std::move(made));
    }

    // A wire (control wire or cable) from one terminal of a symbol to another's.
    void join(Shape* from, std::size_t fromTerminal, Shape* to, std::size_t toTerminal, int kind = kWire) {
        Shape* a = terminalOf(from, fromTerminal);
        Shape* b = terminalOf(to, toTerminal);
        if (!a || !b)
            return;
        Shape& wire = shape(kind, {placedPoint(*a), placedPoint(*b)}, true);
        linkEnd(wire, true, a);
        linkEnd(wire, false, b);
        followEnds(wire);
    }

    bool missingSymbols = false;

private:
    Folio& folio_;
    double y_ = 15;

    static Shape* terminalOf(Shape* symbol, std::size_t index) {
        if (!symbol || symbol->infoSymbole->labels.size() <= index)
            return nullptr;
        return symbol->infoSymbole->labels[index].shape.get();
    }
};

// A drawing of a tool's object in a 30 mm cell, its name and what it does beside.
struct ToolCell {
    const char* name;
    const char* description;
    void (*draw)(Page& page, double x, double y); // the cell's top left, millimetres
    double height = 21;                           // millimetres
};

Point at(double x, double y) {
    return {mm(x), mm(y)};
}

void drawLine(Page& p, double x, double y) {
    p.shape(kLine, {at(x + 2, y + 16), at(x + 26, y + 2)});
}
void drawRectangle(Page& p, double x, double y) {
    p.shape(kRectangle, {at(x + 2, y + 3), at(x + 26, y + 16)});
}
void drawRoundRect(Page& p, double x, double y) {
    p.shape(kRoundRect, {at(x + 2, y + 3), at(x + 26, y + 16)});
}
void drawOval(Page& p, double x, double y) {
    p.shape(kOval, {at(x + 2, y + 3), at(x + 26, y + 16)});
}
void drawPolygon(Page& p, double x, double y) {
    p.shape(kPolygon, {at(x + 2, y + 16), at(x + 8, y + 2), at(x + 20, y + 6), at(x + 26, y + 16)});
}
void drawHalfOvalH(Page& p, double x, double y) {
    p.shape(kHalfOvalH, {at(x + 2, y + 3), at(x + 26, y + 16)});
}
void drawHalfOvalV(Page& p, double x, double y) {
    p.shape(kHalfOvalV, {at(x + 6, y + 2), at(x + 22, y + 17)});
}
void drawBezier(Page& p, double x, double y) {
    p.shape(kBezier, {at(x + 2, y + 16), at(x + 8, y + 0), at(x + 20, y + 18), at(x + 26, y + 3)});
}
void drawFreeHand(Page& p, double x, double y) {
    std::vector<Point> points;
    for (int i = 0; i <= 12; ++i)
        points.push_back(at(x + 2 + 2 * i, y + 9 + ((i % 4) - 1.5) * 3));
    p.shape(kFreeHand, std::move(points));
}
void drawText(Page& p, double x, double y) {
    p.text(x + 2, y + 5, x + 28, y + 14, "Texte libre", 10, kFontItalic);
}
void drawChordGrid(Page& p, double x, double y) {
    p.shape(kChordGrid, {at(x + 8, y + 1), at(x + 19, y + 12)});
}
void drawTablature(Page& p, double x, double y) {
    p.shape(kTablature, {at(x + 12, y + 0), at(x + 16, y + 18)});
}
void drawCalendar(Page& p, double x, double y) {
    // Its size follows its text size: 2 points make a month 14 mm wide and 35 mm high.
    Shape& calendar = p.shape(kCalendar, {at(x + 6, y), at(x + 20, y + 35)});
    calendar.style.set(kFontSize, 2);
    // A fixed month, so that two builds write the same document.
    *calendar.infoCalendrier = InfoCalendrier{};
    calendar.infoCalendrier->year = calendar.infoCalendrier->secondYear = 2026;
    calendar.infoCalendrier->month = calendar.infoCalendrier->secondMonth = 12;
    calendar.infoCalendrier->monthCount = 1;
}
void drawTerminal(Page& p, double x, double y) {
    p.shape(kRectangle, {at(x + 6, y + 5), at(x + 22, y + 15)});
    Shape& terminal = p.shape(kTerminal, {at(x + 14, y + 5)});
    terminal.setText("in1");
}
void drawTextZone(Page& p, double x, double y) {
    p.shape(kRectangle, {at(x + 2, y + 4), at(x + 26, y + 15)});
    Shape& zone = p.shape(kTextZone, {at(x + 14, y + 9), at(x + 14, y + 9)});
    zone.setText("#Nom");
}

void toolGrid(Page& page, const std::vector<ToolCell>& cells) {
    for (const ToolCell& cell : cells) {
        const double y = page.y();
        cell.draw(page, kLeft, y);
        page.text(kLeft + 32, y + 1, kRight, y + 6, cell.name, 10, kFontBold);
        page.paragraphAt(kLeft + 32, y + 6, kRight, cell.description);
        page.skip(cell.height);
    }
}

// Fills the identification that the title block shows.
void identify(Folio& folio, const std::string& number, const std::string& title, const std::string& subtitle,
              const char* object) {
    folio.number = utf8ToCp1252(number);
    folio.titles[0] = utf8ToCp1252(title);
    folio.titles[1] = utf8ToCp1252(subtitle);
    folio.titles[2] = utf8ToCp1252("Plexo v1.0.5");
    folio.author = "Plexo";
    folio.object = utf8ToCp1252(object);
    folio.date = kHelpDate;
    folio.index = 'A';
}

// One folio of the document, written through the page.
struct FolioContent {
    std::string number;
    std::string title;
    std::string subtitle;
    std::function<void(Page&)> write;
};

void writeText(Page& page, const std::vector<helptexts::Block>& blocks) {
    for (const auto& block : blocks) {
        if (block.heading)
            page.heading(block.text, 12);
        else
            page.paragraph(block.text);
    }
}

void wiresExample(Page& page) {
    const double y = page.y();
    Shape* feed = page.symbol("Interrupteur", at(40, y + 10), "S1");
    Shape* resistor = page.symbol("Résistance", at(80, y + 10), "R1");
    Shape* lamp = page.symbol("Lampe", at(130, y + 25), "H1");
    Shape* earth = page.symbol("Terre", at(170, y + 45), "");
    page.join(feed, 1, resistor, 0);
    page.join(resistor, 1, lamp, 0);
    page.join(lamp, 1, earth, 0, kCable);
    page.skip(60);
}

bool writeDocument(const std::filesystem::path& output, const std::vector<FolioContent>& contents,
                   const char* object, const std::filesystem::path& jclExample) {
    std::error_code code;
    std::filesystem::remove(output, code);
    saoDoc document;
    if (!document.open({}))
        return false;
    document.titleBlockName = kBundledTitleBlock;
    document.titleBlockCorner = 3;
    document.loadTitleBlock();
    if (!document.titleBlock) {
        std::fprintf(stderr, "makehelp: cartouche introuvable : %s\n", kBundledTitleBlock);
        document.close();
        return false;
    }
    bool complete = true;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        Folio* folio = i == 0 ? document.folios.front().get()
                              : document.addFolio([](Folio&, FolioDialogKind) { return true; });
        if (!folio) {
            complete = false;
            break;
        }
        {
            FolioHolder hold(*folio, FolioHolder::OnRelease::Save);
            identify(*folio, contents[i].number, contents[i].title, contents[i].subtitle, object);
            Page page(*folio);
            contents[i].write(page);
            complete = complete && !page.missingSymbols;
        }
        document.changeFolioList(folio, kFolioResorted);
    }
    if (complete && !jclExample.empty()) {
        // The reverse-documentation's own result, on a folio of its own.
        std::vector<const Folio*> before;
        for (const auto& folio : document.folios)
            before.push_back(folio.get());
        const JclImportSummary summary = importJclFile(document, jclExample);
        complete = summary.foliosDrawn > 0 && document.folios.size() > before.size();
        // The drawn folio follows the folio that explains it.
        for (std::size_t i = 0; i < document.folios.size(); ++i) {
            Folio* folio = document.folios[i].get();
            if (std::find(before.begin(), before.end(), folio) != before.end())
                continue;
            const std::string job = cp1252ToUtf8(folio->number);
            {
                FolioHolder hold(*folio, FolioHolder::OnRelease::Save);
                identify(*folio, "07b", "Exemple de rétro-documentation", "Chaîne du travail " + job, object);
                Page page(*folio);
                page.text(kLeft, 197, kRight, 203, "Folio dessiné par la rétro-documentation du JCL " + job,
                          10, kFontItalic);
                page.paragraphAt(kLeft, 205, kRight, helptexts::jclLegend());
            }
            document.changeFolioList(folio, kFolioResorted);
            break;
        }
    }
    document.setPath(output);
    const bool ok = complete && document.commit(true);
    document.close();
    if (!ok)
        std::filesystem::remove(output, code);
    return ok;
}

std::vector<FolioContent> helpFolios() {
    using namespace helptexts;
    return {
        {"01", "Documentation de Plexo", "Présentation", [](Page& p) { writeText(p, presentation()); }},
        {"02", "Les outils de dessin", "Barre « Outils » (1/2)",
         [](Page& p) {
             p.heading("Les outils de dessin");
             p.paragraph(toolsIntroduction());
             toolGrid(p, {
                             {"Ligne", toolText(104), drawLine},
                             {"Rectangle", toolText(105), drawRectangle},
                             {"Rectangle à coins arrondis", toolText(106), drawRoundRect},
                             {"Ovale", toolText(107), drawOval},
                             {"Polygone", toolText(108), drawPolygon},
                             {"Demi-ovale horizontal", toolText(109), drawHalfOvalH},
                             {"Demi-ovale vertical", toolText(110), drawHalfOvalV},
                             {"Courbe de Bézier", toolText(111), drawBezier},
                             {"Dessin au trait", toolText(112), drawFreeHand},
                             {"Texte", toolText(113), drawText},
                         });
         }},
        {"03", "Les outils de dessin", "Barre « Outils » (2/2)",
         [](Page& p) {
             p.heading("Les autres outils");
             p.paragraph(otherToolsIntroduction());
             toolGrid(p, {
                             {"Borne (symboles)", toolText(114), drawTerminal},
                             {"Texte éditable (symboles)", toolText(117), drawTextZone},
                             {"Grille d'accord", toolText(118), drawChordGrid},
                             {"Tablature", toolText(119), drawTablature},
                             {"Calendrier", toolText(120), drawCalendar, 39},
                         });
             writeText(p, selectionTools());
         }},
        {"04", "Fils et bornes", "Relier les symboles",
         [](Page& p) {
             writeText(p, wiresBefore());
             wiresExample(p);
             writeText(p, wiresAfter());
         }},
        {"05", "Les menus", "Fichier, Edition, Document...", [](Page& p) { writeText(p, menus()); }},
        {"06", "Impression et présentation", "Imprimer, présenter",
         [](Page& p) { writeText(p, printing()); }},
        {"07", "Rétro-documentation JCL", "Chaînes de traitement", [](Page& p) { writeText(p, jcl()); }},
        {"08", "Ligne de commande", "Les verbes de plexo", [](Page& p) { writeText(p, commandLine()); }},
    };
}

std::vector<FolioContent> readMeFolios() {
    using namespace helptexts;
    return {
        {"1", "Lisez-moi", "Informations utiles", [](Page& p) { writeText(p, readMe()); }},
        {"2", "Lisez-moi", "Fichiers et récupération", [](Page& p) { writeText(p, readMeFiles()); }},
    };
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage : makehelp DOSSIER_LIBRAIRIES DOSSIER_SORTIE FICHIER.jcl\n");
        return 2;
    }
    ErrorsOnlyLog log;
    const std::filesystem::path outputDir = argv[2];
    std::error_code code;
    std::filesystem::create_directories(outputDir, code);
    Lib lib(argv[1]);
    lib.scanLocation();
    installLibrary(&lib);
    bool ok = writeDocument(outputDir / kHelpDocumentFile, helpFolios(), "Documentation", argv[3]);
    if (!ok)
        std::fprintf(stderr, "makehelp: impossible d'écrire %s\n", kHelpDocumentFile);
    else if (!writeDocument(outputDir / kReadMeDocumentFile, readMeFolios(), "Lisez-moi", {})) {
        std::fprintf(stderr, "makehelp: impossible d'écrire %s\n", kReadMeDocumentFile);
        ok = false;
    }
    installLibrary(nullptr);
    return ok && !log.failed ? 0 : 1;
}
