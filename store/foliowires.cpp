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

void Folio::followDisplacedWireEnds(std::size_t first) {
    // A wire following its ends may take a junction of another wire off its
    // segment: that wire follows in the next pass. Junctions on junctions are
    // rare and short, and a loop of wires joined to each other must not spin.
    constexpr int kPasses = 4;
    for (int pass = 0; pass < kPasses; ++pass) {
        bool moved = false;
        for (std::size_t i = first; i < objects.size(); ++i) {
            Shape& wire = *objects[i];
            if (wire.isWire() && endsOutOfPlace(wire)) {
                followEnds(wire);
                moved = true;
            }
        }
        if (!moved)
            return;
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
