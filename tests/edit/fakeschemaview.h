// A schéma view context for the command tests: a document and a folio, and a
// neutral answer to every other question of the view (no dialog answers, no
// switch changes). Each test derives from it and scripts what it looks at.
#pragma once

#include "edit/schemacommands.h"
#include "edit/schemaviewcontext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace plexo::test {

class FakeSchemaView : public SchemaViewContext {
public:
    explicit FakeSchemaView(saoDoc& document, Folio* folio = nullptr) : document_(document), folio_(folio) {}

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

protected:
    saoDoc& document_;
    Folio* folio_;
};

// Whether the view's command table enables the command for this view.
inline bool commandEnabled(int id, const SchemaViewContext& view) {
    CommandStatus status;
    EXPECT_TRUE(schemaCommands().status(id, view, status)) << id;
    return status.enabled;
}

} // namespace plexo::test
