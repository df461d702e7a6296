#include "library/libsymbolresolver.h"

#include "library/lib.h"
#include "shapes/shape.h"
#include "store/folio.h"

#include <memory>

namespace plexo {

namespace {

// Nested symbols deeper than this add no labels (a drawing may, through a
// hostile file, contain itself indirectly).
constexpr int kMaxNesting = 16;

std::unique_ptr<LibSymbolResolver> installedResolver;

void addLabels(Shape& instance, const Folio& drawing, int depth) {
    for (const auto& object : drawing.objects) {
        const Shape& d = *object;
        if (d.kind == kTerminal || d.kind == kTextZone) {
            auto label = std::make_unique<Shape>(d.kind == kTerminal ? kTerminal : kSymbolText, instance.folio);
            label->points = d.points;
            label->data = d.data;
            label->style = Style();
            applyStyle(label->style, d.style);
            label->setApplicability();
            label->angle = d.angle;
            label->createKindRecord();
            label->infoBorne->owner = &instance;
            Folio::rebuildShape(*label);
            instance.infoSymbole->labels.emplace_back(std::string(), std::move(label));
        } else if (d.kind == kSymbol && d.infoSymbole && d.infoSymbole->node && d.infoSymbole->node->drawing &&
                   depth < kMaxNesting) {
            // Placing the nested symbol first is only needed when the labels are
            // built for drawing (the geometry code's buildLabels); read labels keep
            // the drawing's coordinates.
            addLabels(instance, *d.infoSymbole->node->drawing, depth + 1);
        }
    }
}

} // namespace

LibNode* LibSymbolResolver::findSymbol(const std::string& name) { return lib_.findSymbol(name); }

bool LibSymbolResolver::acquireAndBuildLabels(Shape& instance, LibNode& node) {
    saoDoc* document = instance.folio ? instance.folio->document : nullptr;
    if (!node.acquireDrawing(document)) {
        // A symbol being edited lends the drawing it already has without counting
        // the user: the instance keeps its labels (and their texts) all the same.
        if (node.editCount > 0)
            buildLabelsFromDrawing(instance);
        return false;
    }
    instance.infoSymbole->drawingAcquired = true;
    buildLabelsFromDrawing(instance);
    return true;
}

void LibSymbolResolver::releaseSymbol(Shape& instance, LibNode& node) {
    node.releaseDrawing(instance.folio ? instance.folio->document : nullptr);
}

void buildLabelsFromDrawing(Shape& instance) {
    if (!instance.infoSymbole || !instance.infoSymbole->node || !instance.infoSymbole->node->drawing)
        return;
    addLabels(instance, *instance.infoSymbole->node->drawing, 0);
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
