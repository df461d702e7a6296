// A schéma view context for the style tests: a document and a folio, and
// scripted answers to the size and font dialogs (recording what they were
// opened on).
#pragma once

#include "edit/schemaviewcontext.h"
#include "store/selection.h"
#include "support/drawingfixture.h"

#include <initializer_list>
#include <optional>
#include <vector>

namespace plexo::test {

class FakeStyleView : public SchemaViewContext {
public:
    FakeStyleView(saoDoc& document, Folio* folio) : document_(document), folio_(folio) {}

    saoDoc& document() const override { return document_; }
    Folio* folio() const override { return folio_; }
    bool isEditable() const override { return true; }
    bool tabsShown() const override { return true; }
    bool rulersShown() const override { return true; }
    bool gridShown() const override { return true; }
    void setTabsShown(bool) override {}
    void setRulersShown(bool) override {}
    void setGridShown(bool) override {}
    void zoomCommand(int) override {}
    void addFolio() override {}
    void folioInformation() override {}
    void deleteFolio() override {}
    void copyFolioUnderAnotherName() override {}
    void folioList() override {}
    void showFolio(int) override {}
    bool editSearch() override { return false; }
    void centreOn(const Rect&) override {}
    std::optional<std::filesystem::path> chooseJclFile(bool) override { return std::nullopt; }
    std::optional<std::filesystem::path> choosePasteFile() override { return std::nullopt; }
    void openProperties() override {}
    Point pasteOrigin() const override { return {}; }

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

private:
    saoDoc& document_;
    Folio* folio_;
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
