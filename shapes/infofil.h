// Wire record of control wires (kind 17) and cables (kind 18).
#pragma once

#include <cstdint>
#include <vector>

namespace plexo {

class Shape;

struct InfoFil {
    Shape* amont = nullptr;            // upstream end (at the first point): a terminal, a wire or none
    Shape* aval = nullptr;             // downstream end (at the last point)
    std::vector<Shape*> attachedWires; // wires and cables whose own ends lie on this one; not owned
    std::int32_t amontId = 0;          // ids of the end objects, only while saving and loading
    std::int32_t avalId = 0;
};

} // namespace plexo
