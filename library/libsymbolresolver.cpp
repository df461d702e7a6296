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

LibNode* LibSymbolResolver::findSymbol(const std::string& name) { return lib_.findSymbol(name); }

bool LibSymbolResolver::acquireAndBuildLabels(Shape& instance, LibNode& node) {
    saoDoc* document = instance.folio ? instance.folio->document : nullptr;
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

void LibSymbolResolver::releaseSymbol(Shape& instance, LibNode& node) {
    node.releaseDrawing(instance.folio ? instance.folio->document : nullptr);
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
