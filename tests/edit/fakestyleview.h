// A schéma view context for the style tests: a document and a folio, and
// scripted answers to the size and font dialogs (recording what they were
// opened on).
#pragma once

#include "edit/schemaviewcontext.h"
#include "fakeschemaview.h"
#include "store/selection.h"
#include "support/drawingfixture.h"

#include <initializer_list>
#include <optional>
#include <vector>

namespace plexo::test {

class FakeStyleView : public FakeSchemaView {
public:
    FakeStyleView(saoDoc& document, Folio* folio) : FakeSchemaView(document, folio) {}

    std::optional<int> askOtherSize(OtherSizeKind kind, int initial) override {
        asked.push_back({kind, initial});
        return sizeAnswer;
    }
    std::optional<FontChoice> askFont(const FontChoice& initial) override {
        fontAsked = initial;
        return fontAnswer;
    }

    struct SizeQuestion {
        OtherSizeKind kind;
        int initial;
    };
    std::vector<SizeQuestion> asked;
    std::optional<int> sizeAnswer;
    std::optional<FontChoice> fontAsked;
    std::optional<FontChoice> fontAnswer;

};

// Selects exactly the shapes given on their folio and refreshes the summary.
inline void selectOnly(DrawingFixture& f, std::initializer_list<Shape*> shapes) {
    for (auto& folio : f.document.folios)
        for (auto& object : folio->objects)
            object->selected = false;
    for (Shape* shape : shapes)
        shape->selected = true;
    refreshSelectionSummary(f.document);
}

} // namespace plexo::test
