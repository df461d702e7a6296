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

void Folio::connectLooseWireEnds(const Rect& area) {
    for (auto& object : objects) {
        Shape& wire = *object;
        if (!wire.alive || !wire.isWire() || !wire.infoFil || wire.points.empty())
            continue;
        const bool startLoose = !wire.infoFil->amont && area.contains(wire.points.front());
        const bool endLoose = !wire.infoFil->aval && area.contains(wire.points.back());
        if (startLoose || endLoose)
            connectLooseEnds(wire);
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
