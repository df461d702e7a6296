#include "edit/diagnostics.h"

#include "base/objfile.h"
#include "base/textcodec.h"
#include "base/userinterface.h"
#include "shapes/shape.h"
#include "shapes/units.h"
#include "shell/commandids.h"
#include "store/folio.h"
#include "store/saodoc.h"
#include "store/selection.h"

#include <array>
#include <cstdio>
#include <thread>

#include <sys/utsname.h>

namespace plexo {

namespace {

constexpr const char* kDiagnosticCaption = "Diagnostic";

const std::array<const char*, kShapeKindCount> kKindNames = {
    "Ligne",
    "Rectangle",
    "Rectangle arrondi",
    "Ovale",
    "Polygone",
    "Demi-ovale horizontal",
    "Demi-ovale vertical",
    "Courbe de Bézier",
    "Main levée",
    "Texte",
    "Zone de texte",
    "Image",
    "Métafichier",
    "Image bitmap",
    "Borne",
    "Inutilisé",
    "Symbole",
    "Fil",
    "Câble",
    "Texte de symbole",
    "Grille d'accord",
    "Tablature",
    "Calendrier",
    "Fichier Midi",
    "Séquence",
};

std::string line(const std::string& label, long long value) {
    return label + " : " + std::to_string(value) + "\n";
}

// Bytes an object takes in memory, its records and their texts included.
std::size_t memoryOf(const Shape& shape) {
    std::size_t bytes = sizeof(Shape) + shape.points.capacity() * sizeof(Point) + shape.data.capacity() +
                        shape.undo.points.capacity() * sizeof(Point) + shape.undo.data.capacity();
    if (shape.infoSymbole) {
        bytes += sizeof(InfoSymbole) + shape.infoSymbole->block.capacity();
        for (const Etiquette& label : shape.infoSymbole->labels)
            bytes += sizeof(Etiquette) + label.text.capacity() + (label.shape ? memoryOf(*label.shape) : 0);
    }
    if (shape.infoFil)
        bytes += sizeof(InfoFil) + shape.infoFil->attachedWires.capacity() * sizeof(Shape*);
    if (shape.infoCalendrier) {
        bytes += sizeof(InfoCalendrier);
        for (const RDV& note : shape.infoCalendrier->notes)
            bytes += sizeof(RDV) + note.text.capacity();
    }
    if (shape.dib)
        bytes += sizeof(saoDib) + static_cast<std::size_t>(std::max(0, shape.dib->blockSize()));
    if (shape.picture)
        bytes += sizeof(ShapePicture) + shape.picture->rgba.capacity();
    return bytes;
}

std::string rectText(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + ")";
}

void show(const std::string& text) {
    userInterface().messageBox(text, kDiagnosticCaption, MessageIcon::Information);
}

} // namespace

std::string kindName(int kind) {
    if (kind < 0 || kind >= kShapeKindCount)
        return "Type " + std::to_string(kind);
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::string folioObjectCounts(const Folio& folio) {
    std::array<int, kShapeKindCount> alive{}, dead{};
    int unknown = 0, total = 0;
    for (const auto& object : folio.objects) {
        ++total;
        if (object->kind < 0 || object->kind >= kShapeKindCount)
            ++unknown;
        else
            ++(object->alive ? alive : dead)[static_cast<std::size_t>(object->kind)];
    }
    std::string text = "Folio " + cp1252ToUtf8(folio.number) + "\n" + line("Objets", total);
    for (int kind = 0; kind < kShapeKindCount; ++kind) {
        const auto k = static_cast<std::size_t>(kind);
        if (alive[k] || dead[k])
            text += kindName(kind) + " : " + std::to_string(alive[k]) +
                    (dead[k] ? " (+" + std::to_string(dead[k]) + " supprimés)" : std::string()) + "\n";
    }
    if (unknown)
        text += line("Types inconnus", unknown);
    return text;
}

std::string folioMemory(const Folio& folio) {
    std::size_t bytes = 0;
    for (const auto& object : folio.objects)
        bytes += memoryOf(*object);
    std::string text = "Folio " + cp1252ToUtf8(folio.number) + "\n";
    text += line("Objets en mémoire", static_cast<long long>(folio.objects.size()));
    text += line("Mémoire occupée (octets)", static_cast<long long>(bytes));
    return text;
}

std::string systemInformation() {
    std::string text;
    utsname name{};
    if (uname(&name) == 0)
        text += std::string("Système : ") + name.sysname + " " + name.release + " (" + name.machine + ")\n";
    else
        text += "Système : inconnu\n";
    text += line("Processeurs", std::thread::hardware_concurrency());
    text += line("Taille d'un objet (octets)", static_cast<long long>(sizeof(Shape)));
    return text;
}

std::string workingFileStatistics(const saoDoc& document) {
    const ObjFile* file = document.workingCopy();
    if (!file || !file->isOpen())
        return "Aucun fichier de travail n'est ouvert pour ce document.";
    const ObjFileStatistics s = file->statistics();
    std::string text = "Fichier de travail : " + file->path() + "\n";
    text += line("Taille du fichier (octets)", file->fileSize());
    text += line("Enregistrements", s.records);
    text += line("Enregistrements utilisés", s.liveRecords);
    text += line("Octets des enregistrements", s.bytes);
    text += line("Octets utilisés", s.liveBytes);
    text += line("Octets libres", s.bytes - s.liveBytes);
    text += line("Plus grand enregistrement", s.largestLive);
    return text;
}

std::string objectAnalysis(const Shape& shape) {
    std::string text = "Type : " + kindName(shape.kind) + " (" + std::to_string(shape.kind) + ")\n";
    text += line("Numéro", shape.id);
    text += "Contour : " + rectText(shape.outline) + "\n";
    text += line("Angle", shape.angle);
    text += line("Points", static_cast<long long>(shape.points.size()));
    for (std::size_t i = 0; i < shape.points.size() && i < 8; ++i)
        text += "  (" + std::to_string(shape.points[i].x) + ", " + std::to_string(shape.points[i].y) + ")\n";
    if (shape.points.size() > 8)
        text += "  ...\n";
    text += line("Texte (octets)", shape.size());
    text +=
        "Epaisseur : " +
        formatDecimal(static_cast<std::int32_t>(std::min<std::uint32_t>(shape.style.lineWidth, 0x7fffffff))) +
        " pt\n";
    if (shape.epx || shape.epy)
        text += "Etirement : " + std::to_string(shape.epx) + ", " + std::to_string(shape.epy) + "\n";
    if (shape.infoSymbole) {
        text += "Symbole : " + cp1252ToUtf8(shape.infoSymbole->name) +
                (shape.infoSymbole->node ? "" : " (introuvable dans la bibliothèque)") + "\n";
        text += line("Libellés", static_cast<long long>(shape.infoSymbole->labels.size()));
    }
    if (shape.infoFil) {
        text += std::string("Extrémité amont : ") + (shape.infoFil->amont ? "reliée" : "libre") + "\n";
        text += std::string("Extrémité aval : ") + (shape.infoFil->aval ? "reliée" : "libre") + "\n";
        text += line("Fils raccordés", static_cast<long long>(shape.infoFil->attachedWires.size()));
    }
    if (shape.infoCalendrier)
        text += line("Notes", static_cast<long long>(shape.infoCalendrier->notes.size()));
    if (shape.dib)
        text += "Image : " + std::to_string(shape.dib->width()) + " x " +
                std::to_string(shape.dib->height()) + "\n";
    return text;
}

void addDiagnosticCommands(CommandTable<SchemaViewContext>& table,
                           const std::function<CommandRow<SchemaViewContext>&(int)>& add) {
    (void)table;
    using Context = SchemaViewContext;
    add(cmd::kDiagnosticFirst).does([](Context& view) {
        if (const Folio* folio = view.folio())
            show(folioObjectCounts(*folio));
    });
    add(cmd::kDiagnosticFirst + 1).does([](Context& view) {
        if (const Folio* folio = view.folio())
            show(folioMemory(*folio));
    });
    add(cmd::kDiagnosticFirst + 2).does([](Context&) { show(systemInformation()); });
    add(cmd::kDiagnosticFirst + 3).does([](Context& view) { show(workingFileStatistics(view.document())); });
    // 754 needs a single selection on this folio.
    add(cmd::kDiagnosticLast)
        .enabledWhen([](const Context& view) {
            const SelectionSummary& selection = view.document().selection;
            return selection.single && view.folio() && selection.folio == view.folio();
        })
        .does([](Context& view) {
            const SelectionSummary& selection = view.document().selection;
            if (selection.single && selection.folio == view.folio())
                show(objectAnalysis(*selection.single));
        });
}

} // namespace plexo
