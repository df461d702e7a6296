// The folio operations on the links of its wires (shapes/wires.h does the work).
#include "shapes/shape.h"
#include "shapes/wires.h"
#include "store/folio.h"

namespace plexo {

void Folio::connectLooseWireEnds() {
    for (auto& object : objects) {
        if (object->alive && object->isWire())
            connectLooseEnds(*object);
    }
}

void Folio::dropDeadLinks() {
    for (auto& object : objects) {
        if (!object->alive)
            dropLinks(*object, false);
    }
}

void Folio::followWireSegment(std::int32_t dx, std::int32_t dy, Shape& wire, int pointIndex) {
    plexo::followWireSegment(*this, dx, dy, wire, pointIndex);
}

} // namespace plexo
