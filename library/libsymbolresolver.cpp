#include "library/libsymbolresolver.h"

#include "library/lib.h"
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"

#include <memory>

namespace plexo {

namespace {

std::unique_ptr<LibSymbolResolver> installedResolver;

} // namespace

SymbolNode* LibSymbolResolver::findSymbol(const std::string& name) {
    return lib_.findSymbol(name);
}

namespace {
// The document the instance's folio belongs to (the drawing is acquired for it).
saoDoc* documentOf(const Shape& instance) {
    const auto* folio = dynamic_cast<const Folio*>(instance.folio);
    return folio ? folio->document : nullptr;
}
} // namespace

bool LibSymbolResolver::acquireAndBuildLabels(Shape& instance, SymbolNode& symbol) {
    // Every node this resolver hands out is one of the library's.
    LibNode& node = static_cast<LibNode&>(symbol);
    saoDoc* document = documentOf(instance);
    if (!node.acquireDrawing(document)) {
        // A symbol being edited lends the drawing it already has without counting
        // the user: the instance keeps its labels (and their texts) all the same.
        if (node.editCount > 0)
            buildLabels(instance);
        return false;
    }
    instance.infoSymbole->drawingAcquired = true;
    buildLabels(instance);
    return true;
}

void LibSymbolResolver::releaseSymbol(Shape& instance, SymbolNode& symbol) {
    static_cast<LibNode&>(symbol).releaseDrawing(documentOf(instance));
}

void installLibrary(Lib* lib) {
    setLibrary(lib);
    if (!lib) {
        if (symbolResolver() == installedResolver.get())
            setSymbolResolver(nullptr);
        installedResolver.reset();
        return;
    }
    installedResolver = std::make_unique<LibSymbolResolver>(*lib);
    setSymbolResolver(installedResolver.get());
}

} // namespace plexo
