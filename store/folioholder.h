// Holds a folio's objects in memory for as long as it lives: acquires the
// folio when made and releases it when destroyed (writing the objects back to
// the document's store first when asked to).
#pragma once

#include "store/folio.h"

namespace plexo {

class FolioHolder {
public:
    enum class OnRelease { Discard, Save };

    explicit FolioHolder(Folio& folio, OnRelease onRelease = OnRelease::Discard)
        : folio_(folio), save_(onRelease == OnRelease::Save) {
        folio_.acquire();
    }
    ~FolioHolder() { folio_.release(save_); }
    FolioHolder(const FolioHolder&) = delete;
    FolioHolder& operator=(const FolioHolder&) = delete;

    Folio& folio() const { return folio_; }

private:
    Folio& folio_;
    bool save_;
};

} // namespace plexo
