// What a document editing a library symbol asks of the symbol: where its
// records are kept, its key and name there, and the count of its editors. The
// library's node implements it.
#pragma once

#include <cstdint>
#include <string>

namespace plexo {

class ObjFile;

class EditedSymbol {
public:
    // The open container of the library holding the symbol; nullptr when none.
    virtual ObjFile* symbolStore() = 0;
    // The key of the symbol's records in that container.
    virtual std::int32_t symbolKey() const = 0;
    // The symbol's name, Windows-1252.
    virtual const std::string& symbolName() const = 0;
    // One more editor of the symbol; endEdit takes one away (never below none).
    virtual void beginEdit() = 0;
    virtual void endEdit() = 0;
    // Whether the symbol may be edited at all (not when its library is read-only);
    // when it may not, the user was told why.
    virtual bool mayEdit() { return true; }

protected:
    ~EditedSymbol() = default;
};

} // namespace plexo
