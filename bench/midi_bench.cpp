// Times the Standard MIDI File reader and writer on a generated 10 MB file of
// 16 tracks (notes under running status, controllers, pitch bends, texts,
// system exclusive), in memory and through the séquence document's files.
#include "base/log.h"
#include "midi/midireader.h"
#include "midi/midiwriter.h"
#include "midi/seqdoc.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kTargetSize = 10u << 20;
constexpr int kTracks = 16;
constexpr int kRepetitions = 5;

void putQuantity(Bytes& out, std::uint32_t value) {
    plexo::appendVariableLength(out, value);
}

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

Bytes generateTrack(int index, std::size_t size, std::mt19937& random) {
    Bytes t;
    const std::string name = "Piste " + std::to_string(index);
    putQuantity(t, 0);
    t.insert(t.end(), {0xFF, 0x03, static_cast<std::uint8_t>(name.size())});
    t.insert(t.end(), name.begin(), name.end());
    const std::uint8_t channel = static_cast<std::uint8_t>(index % 16);
    std::uniform_int_distribution<int> key(36, 96), velocity(1, 127), gap(0, 60), choice(0, 99);
    std::uint8_t status = 0;
    auto channelEvent = [&](std::uint32_t delta, std::uint8_t s, std::initializer_list<std::uint8_t> data) {
        putQuantity(t, delta);
        if (s != status)
            t.push_back(s);
        status = s;
        t.insert(t.end(), data);
    };
    while (t.size() + 64 < size) {
        const int c = choice(random);
        if (c < 80) {
            const auto k = static_cast<std::uint8_t>(key(random));
            channelEvent(static_cast<std::uint32_t>(gap(random)), 0x90 | channel,
                         {k, static_cast<std::uint8_t>(velocity(random))});
            channelEvent(static_cast<std::uint32_t>(gap(random) + 1), 0x90 | channel, {k, 0});
        } else if (c < 90) {
            channelEvent(0, 0xB0 | channel, {7, static_cast<std::uint8_t>(velocity(random))});
        } else if (c < 96) {
            channelEvent(1, 0xE0 | channel, {0x00, static_cast<std::uint8_t>(velocity(random))});
        } else if (c < 98) {
            putQuantity(t, 0);
            t.insert(t.end(), {0xFF, 0x06, 7, 'R', 'e', 'f', 'r', 'a', 'i', 'n'});
            status = 0;
        } else {
            putQuantity(t, 0);
            t.push_back(0xF0);
            putQuantity(t, 20);
            for (int i = 0; i < 19; ++i)
                t.push_back(static_cast<std::uint8_t>(i));
            t.push_back(0xF7);
            status = 0;
        }
    }
    putQuantity(t, 0);
    t.insert(t.end(), {0xFF, 0x2F, 0x00});
    return t;
}

Bytes generateFile() {
    std::mt19937 random(7);
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, kTracks, 0x01, 0xE0};
    for (int i = 0; i < kTracks; ++i) {
        const Bytes track = generateTrack(i, kTargetSize / kTracks, random);
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        put32(file, static_cast<std::uint32_t>(track.size()));
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

class QuietLog : public plexo::LogSink {
    void logMessage(int, int, int, std::string_view, bool) override {}
};

} // namespace

int main() {
    using clock = std::chrono::steady_clock;
    const Bytes file = generateFile();
    const double megabytes = static_cast<double>(file.size()) / (1 << 20);

    double bestRead = 1e9, bestWrite = 1e9;
    std::size_t events = 0;
    Bytes written;
    for (int i = 0; i < kRepetitions; ++i) {
        plexo::seqDoc doc;
        auto start = clock::now();
        const auto result = plexo::readStandardMidiFile(file, doc);
        for (auto& track : doc.tracks)
            track.linkNoteEnds();
        bestRead = std::min(bestRead, seconds(clock::now() - start));
        if (!result.ok) {
            std::fprintf(stderr, "lecture impossible : %s\n", result.problem.c_str());
            return 1;
        }
        events = 0;
        for (const auto& track : doc.tracks)
            events += track.events.size();
        start = clock::now();
        auto encoded = plexo::encodeStandardMidiFile(doc);
        bestWrite = std::min(bestWrite, seconds(clock::now() - start));
        if (!encoded.ok)
            return 1;
        written = std::move(encoded.bytes);
    }
    std::printf("fichier : %.1f Mo, %d pistes, %zu événements\n", megabytes, kTracks, events);
    std::printf("lecture en mémoire  : %7.1f Mo/s (%.3f s)\n", megabytes / bestRead, bestRead);
    std::printf("écriture en mémoire : %7.1f Mo/s (%.3f s)\n",
                static_cast<double>(written.size()) / (1 << 20) / bestWrite, bestWrite);

    // Through the document: open and save with the disk in between.
    QuietLog quiet;
    plexo::setLogSink(&quiet);
    const auto folder = std::filesystem::temp_directory_path() / "plexo_midi_bench";
    std::filesystem::create_directories(folder);
    const auto in = folder / "bench.mid", out = folder / "bench-copie.mid";
    {
        std::ofstream stream(in, std::ios::binary);
        stream.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    plexo::seqDoc doc;
    auto start = clock::now();
    const bool opened = doc.open(in);
    const double open = seconds(clock::now() - start);
    doc.setPath(out);
    start = clock::now();
    const bool saved = doc.commit(true);
    const double save = seconds(clock::now() - start);
    plexo::setLogSink(nullptr);
    std::filesystem::remove_all(folder);
    if (!opened || !saved)
        return 1;
    std::printf("ouverture du fichier : %7.1f Mo/s (%.3f s)\n", megabytes / open, open);
    std::printf("sauvegarde           : %7.1f Mo/s (%.3f s)\n", megabytes / save, save);
    return 0;
}
