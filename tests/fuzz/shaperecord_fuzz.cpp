// Reads shape records one after the other from arbitrary bytes, as a folio's
// object list would be read, and checks that every accepted record writes back
// to bytes that read and write again identically.
#include "base/buffer.h"
#include "fuzzsupport.h"
#include "shapes/shape.h"
#include "shapes/shaperecord.h"
#include "shapes/symbolresolver.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>

namespace {

// Every symbol whose name starts with 'S' exists; its drawing has as many
// terminals as the name's length modulo 4.
class FakeLibrary : public plexo::SymbolResolver {
public:
    plexo::SymbolNode* findSymbol(const std::string& name) override {
        if (name.empty() || name[0] != 'S')
            return nullptr;
        return reinterpret_cast<plexo::SymbolNode*>(&nodes_[name.size() % 4]);
    }
    bool acquireAndBuildLabels(plexo::Shape& instance, plexo::SymbolNode& node) override {
        const auto* n = reinterpret_cast<int*>(&node);
        for (const auto& [count, storage] : nodes_) {
            if (&storage != n)
                continue;
            for (std::size_t i = 0; i < count; ++i)
                instance.infoSymbole->labels.emplace_back("",
                                                          std::make_unique<plexo::Shape>(plexo::kTerminal));
        }
        ++held;
        return true;
    }
    void releaseSymbol(plexo::Shape&, plexo::SymbolNode&) override { --held; }
    int held = 0;

private:
    std::map<std::size_t, int> nodes_{{0, 0}, {1, 0}, {2, 0}, {3, 0}};
};

plexo::Buffer::Block written(const plexo::Shape& shape) {
    plexo::Buffer b;
    plexo::writeShape(shape, b);
    b.allocateMeasured();
    plexo::writeShape(shape, b);
    if (b.failed() || b.writePos() != b.capacity())
        std::abort();
    return b.detachBlock();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FakeLibrary library;
    plexo::setSymbolResolver(&library);
    plexo::fuzz::resetFontList();

    plexo::Buffer input(plexo::Buffer::Block(data, data + size));
    while (!input.failed() && input.remaining() > 0) {
        plexo::Shape shape;
        if (!plexo::readShape(shape, input))
            break;
        const plexo::Buffer::Block first = written(shape);
        plexo::Shape again;
        plexo::Buffer copy(first);
        if (!plexo::readShape(again, copy) || copy.remaining() != 0)
            std::abort();
        if (written(again) != first)
            std::abort();
    }
    if (library.held != 0)
        std::abort();
    return 0;
}
