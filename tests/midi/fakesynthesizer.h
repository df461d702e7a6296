// A MIDI service for the tests: it keeps the file it was asked to play and
// answers as told. Installed as the desktop services for its lifetime.
#pragma once

#include "base/desktopservices.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace plexo::test {

struct FakeSynthesizer : DesktopServices {
    FakeSynthesizer() { setDesktopServices(this); }
    ~FakeSynthesizer() override { setDesktopServices(nullptr); }
    bool hasMidiService() override { return available; }
    MediaResult openMidi(const std::filesystem::path& file) override {
        opened = file;
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
        return openResult;
    }
    MediaResult playMidi() override {
        ++plays;
        return playResult;
    }
    void stopMidi() override { ++stops; }

    bool available = true;
    MediaResult openResult{true, {}};
    MediaResult playResult{true, {}};
    std::filesystem::path opened;
    std::vector<std::uint8_t> bytes;
    int plays = 0;
    int stops = 0;
};

} // namespace plexo::test
