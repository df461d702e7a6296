// Symbol instance record (kind 16) and its labels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plexo {

class Shape;
class SymbolNode;

// One label of a symbol instance: the instance's text for it and the label shape,
// a copy of a terminal (kind 14) or of an editable text zone (as kind 19) of the
// symbol drawing, in drawing coordinates.
struct Etiquette {
    Etiquette();
    Etiquette(std::string text, std::unique_ptr<Shape> shape);
    ~Etiquette();
    Etiquette(Etiquette&&) noexcept;
    Etiquette& operator=(Etiquette&&) noexcept;

    std::string text;             // Windows-1252
    std::unique_ptr<Shape> shape; // owned
};

struct InfoSymbole {
    std::string name;           // the library symbol's name
    std::string block;          // private block, kept and stored byte for byte
    SymbolNode* node = nullptr; // the library node found by name; not owned; none when missing
    // The node's drawing was acquired for this instance and must be released when
    // the instance goes (through the installed SymbolResolver).
    bool drawingAcquired = false;
    std::vector<Etiquette> labels; // owned, in drawing order
};

} // namespace plexo
