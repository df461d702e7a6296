// Storage benchmark: builds a schéma of 100 folios × 1,000 mixed objects (lines,
// boxes, texts, polylines, wires, symbols with terminals, calendars), writes every
// folio to the working copy, saves the ".dls", reopens it and loads every folio;
// prints each step's time and throughput beside a plain copy of the same bytes.
//   store_bench [FOLIOS [OBJECTS]]
#include "base/buffer.h"
#include "base/log.h"
#include "base/objfile.h"
#include "library/lib.h"
#include "library/libsymbolresolver.h"
#include "shapes/shape.h"
#include "store/folio.h"
#include "store/folioholder.h"
#include "store/saodoc.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace plexo;
namespace fs = std::filesystem;

namespace {

struct QuietLog : LogSink {
    void logMessage(int, int, int severity, std::string_view text, bool) override {
        if (severity != kInformation)
            std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
};

// Wall time and the process's CPU time (the machine may be shared: both are shown).
struct Stamp {
    std::chrono::steady_clock::time_point wall;
    double cpu;
};
double cpuNow() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}
struct Clock {
    static Stamp now() { return {std::chrono::steady_clock::now(), cpuNow()}; }
};
double lastCpu = 0;
double seconds(Stamp from) {
    lastCpu = cpuNow() - from.cpu;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from.wall).count();
}

std::unique_ptr<Shape> shape(int kind, std::vector<Point> points, std::string text = {}) {
    auto s = std::make_unique<Shape>(kind);
    s->points = std::move(points);
    s->data = std::move(text);
    s->style = objectDefaultStyle();
    s->setApplicability();
    s->createKindRecord();
    Folio::rebuildShape(*s);
    return s;
}

// A library with one symbol "Relais": a box, two terminals and a text zone.
void makeLibrary(Lib& lib) {
    LibNode* library = lib.createNode(*lib.location, NodeKind::Library, "Bench");
    LibNode* relais = lib.createNode(*library, NodeKind::Symbol, "Relais");
    Folio page;
    page.append(shape(kRectangle, {{0, 0}, {20000, 10000}}));
    page.append(shape(kTerminal, {{0, 5000}}, "A1"));
    page.append(shape(kTerminal, {{20000, 5000}}, "A2"));
    page.append(shape(kTextZone, {{2000, 2000}, {18000, 8000}}, "K"));
    page.renumberObjects();
    Buffer buffer;
    page.writeObjects(buffer, WhichObjects::All);
    buffer.allocateMeasured();
    page.writeObjects(buffer, WhichObjects::All);
    library->file->writeRecord(kSymbolDrawingRecordType, relais->id, buffer);
}

void fill(Folio& folio, int count) {
    Shape* lastSymbol = nullptr;
    for (int i = 0; i < count; ++i) {
        const std::int32_t x = (i % 40) * 25000;
        const std::int32_t y = (i / 40) * 25000;
        switch (i % 10) {
        case 0:
            folio.append(shape(kLine, {{x, y}, {x + 20000, y + 5000}}));
            break;
        case 1:
            folio.append(shape(kRectangle, {{x, y}, {x + 20000, y + 15000}}, "Boîte"));
            break;
        case 2:
            folio.append(
                shape(kText, {{x, y}, {x + 20000, y + 8000}}, "Texte de repère " + std::to_string(i)));
            break;
        case 3:
            folio.append(
                shape(kPolygon, {{x, y}, {x + 5000, y + 9000}, {x + 12000, y}, {x + 20000, y + 7000}}));
            break;
        case 4:
            folio.append(shape(kOval, {{x, y}, {x + 10000, y + 10000}}));
            break;
        case 5: {
            auto s = std::make_unique<Shape>(kSymbol, &folio);
            s->points = {{x, y}, {x, y}};
            s->style = objectDefaultStyle();
            s->setApplicability();
            s->createKindRecord();
            s->infoSymbole->name = "Relais";
            resolveSymbolInstance(*s);
            lastSymbol = &folio.append(std::move(s));
            break;
        }
        case 6: {
            Shape& wire = folio.append(shape(kWire, {{x, y}, {x + 20000, y}}, "W"));
            if (lastSymbol && lastSymbol->infoSymbole->labels.size() >= 2) {
                wire.infoFil->amont = lastSymbol->infoSymbole->labels[0].shape.get();
                lastSymbol->infoSymbole->labels[0].shape->infoBorne->wire = &wire;
            }
            break;
        }
        case 7:
            folio.append(
                shape(kFreeHand, {{x, y}, {x + 100, y + 300}, {x + 900, y + 200}, {x + 1500, y + 800}}));
            break;
        case 8: {
            Shape& calendar = folio.append(shape(kCalendar, {{x, y}, {x + 20000, y + 20000}}));
            calendar.infoCalendrier->notes.push_back({3, 4, 2026, "Réunion", 1, 0, 0});
            break;
        }
        default:
            folio.append(shape(kCable, {{x, y}, {x + 10000, y + 10000}}));
            break;
        }
    }
}

std::uintmax_t plainCopy(const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    std::vector<char> bytes(static_cast<std::size_t>(fs::file_size(from)));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return bytes.size();
}

void line(const char* step, double time, std::uintmax_t bytes) {
    const double cpu = lastCpu;
    std::printf("%-36s %8.3f s  %8.3f s CPU  %9.1f Mo/s (CPU)\n", step, time, cpu,
                cpu > 0 ? static_cast<double>(bytes) / 1e6 / cpu : 0.0);
}

} // namespace

int main(int argc, char** argv) {
    const int folioCount = argc > 1 ? std::atoi(argv[1]) : 100;
    const int objectCount = argc > 2 ? std::atoi(argv[2]) : 1000;
    QuietLog quiet;
    setLogSink(&quiet);
    const fs::path folder = fs::temp_directory_path() / ("plexo-store-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "lib");
    const fs::path path = folder / "bench.dls";
    {
        Lib lib((folder / "lib").string());
        makeLibrary(lib);
        installLibrary(&lib);

        auto start = Clock::now();
        std::uintmax_t workingBytes = 0;
        {
            saoDoc doc;
            doc.open({});
            doc.setPath(path);
            for (int f = 0; f < folioCount; ++f) {
                Folio* folio = f == 0 ? doc.folios.front().get() : nullptr;
                if (!folio) {
                    auto fresh = doc.newFolio();
                    fresh->serial = ++doc.nextSerial;
                    fresh->number = "F" + std::to_string(f + 1);
                    folio = &doc.insertFolio(std::move(fresh));
                }
                FolioHolder hold(*folio, FolioHolder::OnRelease::Save);
                fill(*folio, objectCount);
            }
            const double build = seconds(start);
            workingBytes = static_cast<std::uintmax_t>(doc.workingCopy()->fileSize());
            line("construire et écrire les folios", build, workingBytes);
            doc.setModified();
            start = Clock::now();
            if (!doc.commit(true)) {
                std::fprintf(stderr, "échec de l'enregistrement\n");
                return 1;
            }
            line("enregistrer (copie compacte)", seconds(start), fs::file_size(path));
            start = Clock::now();
        }
        line("fermer le document", seconds(start), 0);

        const std::uintmax_t size = fs::file_size(path);
        start = Clock::now();
        std::size_t objects = 0;
        {
            saoDoc doc;
            if (!doc.open(path)) {
                std::fprintf(stderr, "échec de la réouverture\n");
                return 1;
            }
            line("rouvrir (en-tête, copie de travail)", seconds(start), size);
            auto load = Clock::now();
            for (auto& folio : doc.folios) {
                FolioHolder hold(*folio);
                objects += folio->objects.size();
            }
            line("lire tous les folios", seconds(load), size);
        }
        line("rouvrir et tout lire", seconds(start), size);
        start = Clock::now();
        plainCopy(path, folder / "copie.bin");
        line("copie simple des mêmes octets", seconds(start), size);
        std::printf("%d folios, %zu objets relus, fichier de %.1f Mo\n", folioCount, objects, size / 1e6);
        installLibrary(nullptr);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
