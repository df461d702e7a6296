// The symbol resolver over the application's library set: how reading a symbol
// object (kind 16) finds its library symbol by name, borrows its drawing and
// builds the instance's labels from it (shapes/wires.h, buildLabels).
#pragma once

#include "shapes/symbolresolver.h"

namespace plexo {

class Lib;
class Shape;

class LibSymbolResolver : public SymbolResolver {
public:
    explicit LibSymbolResolver(Lib& lib) : lib_(lib) {}
    SymbolNode* findSymbol(const std::string& name) override;
    bool acquireAndBuildLabels(Shape& instance, SymbolNode& node) override;
    void releaseSymbol(Shape& instance, SymbolNode& node) override;

private:
    Lib& lib_;
};

// Makes lib the application's library set (library()) and installs a resolver
// over it (symbolResolver()); nullptr removes both. The application calls it
// once at start, after Lib::scanLocation, and with nullptr before destroying it.
void installLibrary(Lib* lib);

} // namespace plexo
