// The symbol resolver over the application's library set: how reading a symbol
// object (kind 16) finds its library symbol by name, borrows its drawing and
// builds the instance's labels from it.
#pragma once

#include "shapes/symbolresolver.h"

namespace plexo {

class Lib;
class Shape;

class LibSymbolResolver : public SymbolResolver {
public:
    explicit LibSymbolResolver(Lib& lib) : lib_(lib) {}
    LibNode* findSymbol(const std::string& name) override;
    bool acquireAndBuildLabels(Shape& instance, LibNode& node) override;
    void releaseSymbol(Shape& instance, LibNode& node) override;

private:
    Lib& lib_;
};

// Makes lib the application's library set (library()) and installs a resolver
// over it (symbolResolver()); nullptr removes both. The application calls it
// once at start, after Lib::scanLocation, and with nullptr before destroying it.
void installLibrary(Lib* lib);

// Appends to the instance's label list one label per terminal (kind 14) and per
// editable text zone (as kind 19) of its node's drawing, in drawing order, nested
// symbols of the drawing contributing theirs; the labels keep the drawing's
// coordinates (they are placed only while drawn, by the geometry code). Each label
// has an empty text and a shape with the drawing object's points, text, style
// (applied, applicability set) and angle, owned by the instance.
void buildLabelsFromDrawing(Shape& instance);

} // namespace plexo
