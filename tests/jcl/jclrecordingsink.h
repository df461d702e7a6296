// A chunk sink that keeps a copy of every chunk the reader hands over, with
// the folio number the drawing would give it.
#pragma once

#include "jcl/jclreader.h"

#include <string>
#include <vector>

namespace plexo::test {

struct RecordedFile {
    std::string ddName;
    std::string fileId;
    bool isVsam = false;
    bool isTape = false;
    int step = -1; // index in the chunk's steps, -1 without step
};

struct RecordedChunk {
    std::string folioNumber;
    std::filesystem::path path;
    std::vector<std::string> programs;
    std::vector<std::string> labels;
    std::vector<RecordedFile> files;
};

class RecordingSink : public JclChunkSink {
public:
    bool drawJobChunk(JclReader& reader, const std::filesystem::path& path) override {
        RecordedChunk chunk;
        chunk.path = path;
        for (const auto& step : reader.steps()) {
            chunk.programs.push_back(step->programName);
            chunk.labels.push_back(step->label);
        }
        for (const auto& file : reader.files()) {
            int index = -1;
            for (int i = 0; i < reader.stepCount(); ++i)
                if (reader.steps()[i].get() == file->step)
                    index = i;
            chunk.files.push_back({file->ddName, file->fileId, file->isVsam, file->isTape, index});
        }
        if (reader.stepCount() == 0) {
            chunks.push_back(std::move(chunk));
            return false;
        }
        chunk.folioNumber = reader.takeFolioNumber();
        chunks.push_back(std::move(chunk));
        return true;
    }

    std::vector<RecordedChunk> chunks;
};

} // namespace plexo::test
