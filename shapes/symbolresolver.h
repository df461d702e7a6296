// How the shape reader reaches the symbol libraries: reading a symbol instance
// (kind 16) looks its symbol up by name, acquires the drawing for the instance's
// document and builds the instance's labels from it. The library installs the
// real resolver; without one, symbol instances are read with no node (and the
// folio rejects them).
#pragma once

#include <string>

namespace plexo {

class SymbolNode;
class Shape;

class SymbolResolver {
public:
    virtual ~SymbolResolver() = default;
    // The first symbol of the library set whose name is exactly `name`, or nullptr.
    virtual SymbolNode* findSymbol(const std::string& name) = 0;
    // Acquires the node's drawing for the document of instance.folio and builds the
    // instance's label list from it without placing the labels (one Etiquette per
    // terminal and editable text zone, in drawing order; instance.infoSymbole
    // exists). Returns false when the drawing could not be acquired; the instance
    // then has no labels and is not marked as holding the drawing.
    virtual bool acquireAndBuildLabels(Shape& instance, SymbolNode& node) = 0;
    // Lets go of a drawing acquired by acquireAndBuildLabels (called when the
    // instance's record is destroyed).
    virtual void releaseSymbol(Shape& instance, SymbolNode& node) = 0;
};

// The installed resolver (nullptr when none).
SymbolResolver* symbolResolver();
// Installs a resolver (nullptr removes it); returns the previous one.
SymbolResolver* setSymbolResolver(SymbolResolver* resolver);

// Looks a symbol instance's symbol up by its name (instance.infoSymbole exists)
// through the installed resolver; when found, sets infoSymbole->node, acquires
// the drawing and builds the labels (infoSymbole->drawingAcquired says whether
// that worked). Returns the node, or nullptr without a resolver or such a symbol.
SymbolNode* resolveSymbolInstance(Shape& instance);

} // namespace plexo
