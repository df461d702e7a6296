// What the shape code asks of the library symbol a symbol instance (kind 16)
// shows: the objects of its drawing and their extent. The library's node
// implements it; a shape reaches its node only through this interface.
#pragma once

#include "shapes/point.h"

#include <memory>
#include <vector>

namespace plexo {

class Shape;

class SymbolNode {
public:
    // The objects of the loaded drawing in drawing order; nullptr while the
    // drawing is not loaded.
    virtual const std::vector<std::unique_ptr<Shape>>* drawingObjects() const = 0;
    // The extent of the loaded drawing (terminals and text zones excluded).
    virtual Rect drawingBounds() const = 0;

protected:
    ~SymbolNode() = default;
};

} // namespace plexo
