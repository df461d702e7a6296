// Terminal link record of editable text zones (10), terminals (14) and instance texts (19).
#pragma once

namespace plexo {

class Shape;

struct InfoBorneSymbole {
    Shape* owner = nullptr; // the symbol instance owning this label; none inside a library drawing
    Shape* wire = nullptr;  // the wire or cable attached to this terminal; none when free
};

} // namespace plexo
