#include "midi/midicommand.h"

#include "base/textcodec.h"
#include "midi/seqdoc.h"

#include <cstdio>
#include <cstring>

namespace plexo {
namespace {

constexpr const char* kKindNames[kMidiKindCount] = {
    "numéro de séquence",
    "texte",
    "copyright",
    "nom de piste",
    "nom d'instrument",
    "paroles",
    "marqueur",
    "repère",
    "préfixe de canal",
    "port",
    "fin de piste",
    "tempo",
    "décalage SMPTE",
    "mesure",
    "tonalité",
    "spécifique séquenceur",
    "note off",
    "note on",
    "pression polyphonique",
    "contrôleur",
    "programme",
    "pression canal",
    "pitch bend",
    "système exclusif",
    "position",
    "choix de morceau",
    "demande d'accord",
    "horloge",
    "départ",
    "reprise",
    "arrêt",
    "paquet exclusif",
};

// Number of fixed bytes shown for each kind (channel events: channel and data bytes).
constexpr int kFixedBytes[kMidiKindCount] = {2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 3, 5, 4, 2, 0,
                                             3, 3, 3, 3, 2, 2, 3, 0, 2, 1, 0, 0, 0, 0, 0, 0};

void appendHex(std::string& out, const std::uint8_t* bytes, std::size_t count) {
    char text[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(text, sizeof text, i == 0 ? "%02X" : " %02X", bytes[i]);
        out += text;
    }
}

bool isText(int kind) {
    return (kind >= kMidiText && kind <= kMidiCuePoint);
}

const char* const kUsage = "Utilisation : plexo midi FICHIER.mid [-o SORTIE.mid]\n";

} // namespace

const char* midiKindName(int kind) {
    return kind >= 0 && kind < kMidiKindCount ? kKindNames[kind] : "?";
}

std::string dumpSequence(const seqDoc& doc) {
    std::string out;
    char line[160];
    std::snprintf(line, sizeof line, "MThd format %u, %u pistes annoncées, %zu lues, division %02X %02X\n",
                  doc.format, doc.trackCount, doc.tracks.size(), doc.divisionHigh, doc.divisionLow);
    out += line;
    for (std::size_t t = 0; t < doc.tracks.size(); ++t) {
        const auto& track = doc.tracks[t];
        std::snprintf(line, sizeof line, "MTrk %zu : %zu événements, longueur %d, nom \"", t,
                      track.events.size(), track.trackLength());
        out += line;
        out += cp1252ToUtf8(track.trackName());
        out += "\"\n";
        for (const auto& event : track.events) {
            std::snprintf(line, sizeof line, "%d\t%d\t%s\t", event.time, event.kind,
                          midiKindName(event.kind));
            out += line;
            if (event.isChannelEvent()) {
                std::snprintf(line, sizeof line, "canal %d ", event.bytes[0]);
                out += line;
                appendHex(out, event.bytes.data() + 1, static_cast<std::size_t>(kFixedBytes[event.kind] - 1));
            } else if (isText(event.kind)) {
                out += '"';
                out += cp1252ToUtf8(std::string(event.data.begin(), event.data.end()));
                out += '"';
            } else if (!event.data.empty()) {
                appendHex(out, event.data.data(), event.data.size());
            } else if (event.kind >= 0 && event.kind < kMidiKindCount) {
                appendHex(out, event.bytes.data(), static_cast<std::size_t>(kFixedBytes[event.kind]));
            }
            out += '\n';
        }
    }
    return out;
}

int runMidiCommand(int argc, char** argv) {
    const char* input = nullptr;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc && !output) {
            output = argv[++i];
        } else if (argv[i][0] != '-' && !input) {
            input = argv[i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (!input) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    seqDoc doc;
    if (!doc.open(input))
        return 1;
    const std::string dump = dumpSequence(doc);
    std::fwrite(dump.data(), 1, dump.size(), stdout);
    if (output) {
        doc.setPath(output);
        if (!doc.commit(true))
            return 1;
    }
    return 0;
}

} // namespace plexo
