// A running application object on a temporary home folder, and a document
// kind made of plain fakes, for the frame and document manager tests.
#pragma once

#include "app/saoapp.h"
#include "app/saoframe.h"
#include "app/saomanager.h"
#include "shell/commandids.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace plexo::test {

// Saves to its path; refuses to open a file whose name starts with "refus".
class FakeDocument : public Document {
public:
    FakeDocument(std::string type, int* closeCounter) : type_(std::move(type)), closeCounter_(closeCounter) {}

    bool open(const std::filesystem::path& path) override {
        opened.push_back(path);
        if (path.filename().string().starts_with("refus"))
            return false;
        setPath(path);
        return true;
    }
    bool commit(bool) override {
        ++commits;
        std::ofstream(path()) << "saved";
        return !path().empty();
    }
    void close() override {
        ++closes;
        if (closeCounter_)
            ++*closeCounter_;
    }
    std::string title() const override {
        return path().empty() ? "Sans titre" : path().filename().string() + " (" + type_ + ")";
    }
    std::string typeName() const override { return type_; }
    bool canSaveAs() const override { return saveAsAllowed; }

    bool saveAsAllowed = true; // false: a symbol bound to its library

    std::vector<std::filesystem::path> opened;
    int commits = 0;
    int closes = 0;

private:
    std::string type_;
    int* closeCounter_;
};

// Keeps the document kinds of the process (the built-in ones registered
// first, so that fakes registered later are not replaced) and puts them back
// at the end.
class KindsSnapshot {
public:
    KindsSnapshot() : saved_((registerBuiltinDocumentKinds(), documentKinds())) {}
    ~KindsSnapshot() {
        for (const auto& kind : saved_)
            registerDocumentKind(*kind);
    }

private:
    std::vector<std::shared_ptr<const DocumentKind>> saved_;
};

// What the fake kinds did, shared by the kind's functions.
struct FakeKindRecord {
    std::vector<FakeDocument*> documents; // every one made; valid until closed
    int closes = 0;
    std::vector<int> commandsRun;
    std::vector<int> commandsEnabled; // ids the view enables
    ViewStatus status;
    bool withStatus = false;
};

inline DocumentKind fakeKind(const QString& name, const QString& extension, FakeKindRecord& record) {
    DocumentKind kind;
    kind.name = name;
    kind.extensions = {extension};
    kind.createDocument = [&record, name]() -> std::unique_ptr<Document> {
        auto document = std::make_unique<FakeDocument>(name.toStdString(), &record.closes);
        record.documents.push_back(document.get());
        return document;
    };
    kind.updateCommand = [&record](QWidget*, int id, CommandState& state) {
        for (int enabled : record.commandsEnabled)
            if (enabled == id) {
                state.enabled = true;
                return true;
            }
        return false;
    };
    kind.runCommand = [&record](QWidget*, int id) {
        record.commandsRun.push_back(id);
        return true;
    };
    kind.viewStatus = [&record](Document&, QWidget*) {
        return record.withStatus ? record.status : ViewStatus{};
    };
    return kind;
}

inline LogTime fixedTime() {
    return {5, 3, 2026, 9, 7, 3};
}

inline void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The application with its frame shown; the scripted interface answers the
// message boxes (installed after the application, so it wins).
class RunningApp {
public:
    explicit RunningApp(const std::string& iniText = {}, bool start = true) {
        if (!iniText.empty())
            std::ofstream(home / "Plexo.ini", std::ios::binary) << iniText;
        app = std::make_unique<saoApp>(home.path(), fixedTime);
        ui = std::make_unique<ScriptedUserInterface>();
        app->initMainWindow();
        if (start)
            app->initInstance({});
    }
    ~RunningApp() {
        ui.reset();
        app.reset();
        processDeferredDeletes();
    }

    saoFrame& frame() const { return *app->frame(); }
    saoManager& manager() const { return *app->manager(); }
    QAction& action(int id) const { return *frame().action(id); }

    TemporaryFolder home;
    std::unique_ptr<saoApp> app;
    std::unique_ptr<ScriptedUserInterface> ui;
};

} // namespace plexo::test
