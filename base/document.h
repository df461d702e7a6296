// The base of every document kind (the schéma, the séquence): a file with a
// path, a title, a modified flag and the views that show it. The document
// manager of the application opens, saves and closes documents only through
// this interface; documents tell their views about changes through numbered
// notifications (a schéma document through typed calls that a view which only
// knows the numbers receives as numbers: store/schemaobserver.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plexo {

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // code: the notification number (for a schéma: 100 area changed, 101
    // selection changed, 102 folio list changed, 103 save view state, 104
    // release folio); detail: what the code says it carries.
    virtual void documentChanged(int code, std::intptr_t detail) = 0;
};

class Document {
public:
    virtual ~Document() = default;

    // Opens the document from path, or makes a new one when path is empty.
    // Returns false when it could not (the reason has been shown to the user).
    virtual bool open(const std::filesystem::path& path) = 0;

    // Saves to path(); force saves even when not modified. False on failure
    // (the document stays modified and nothing saved before is lost).
    virtual bool commit(bool force) = 0;

    // Called once before the document is destroyed.
    virtual void close() {}

    // Whether "S&auver sous..." is offered (not for a symbol bound to a library).
    virtual bool canSaveAs() const { return true; }

    // The window title, UTF-8 (for a schéma: file title + " (Schéma)").
    virtual std::string title() const = 0;

    // The kind's type name, as the frame asks the active view: "Schéma" or "Séquence".
    virtual std::string typeName() const = 0;

    const std::filesystem::path& path() const { return path_; }
    void setPath(const std::filesystem::path& path) { path_ = path; }

    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

    void addObserver(DocumentObserver* observer) { observers_.push_back(observer); }
    void removeObserver(DocumentObserver* observer) { std::erase(observers_, observer); }
    const std::vector<DocumentObserver*>& observers() const { return observers_; }

protected:
    // Sends a notification to every view (a copy of the list, so that a view
    // may remove itself while notified).
    void notifyViews(int code, std::intptr_t detail = 0) {
        auto observers = observers_;
        for (auto* observer : observers)
            observer->documentChanged(code, detail);
    }

private:
    std::filesystem::path path_;
    bool modified_ = false;
    std::vector<DocumentObserver*> observers_;
};

} // namespace plexo
