// The document manager: the registered document kinds, the open documents and
// their windows in the frame's document area, and the file commands
// ("&Nouveau", "&Ouvrir...", "&Fermer", "&Sauver", "S&auver sous...").
//
// Document kinds register themselves with registerDocumentKind(), one call
// each in registerBuiltinDocumentKinds() (app/builtinkinds.cpp). Until a kind
// of a name is registered, the manager knows "Schéma" (".dls") and "Séquence"
// (".mid") by name only: opening such a file reports "Type de document inconnu.".
#pragma once

#include "app/documentkind.h"

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QMdiArea;
class QTimer;

namespace plexo {

struct RecoveryCandidate;

// Adds a kind, or replaces the kind of the same name. The first extension of
// kind.extensions is the default one of "S&auver sous...".
void registerDocumentKind(DocumentKind kind);
// Every kind registered so far (the two built-in names first).
std::vector<std::shared_ptr<const DocumentKind>> documentKinds();
// Registers the kinds the program is built with (once; later calls do nothing).
void registerBuiltinDocumentKinds();

class saoManager;

// A document's window in the frame: holds the view made by the kind.
class DocumentWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    DocumentWindow(saoManager& manager, Document& document, std::shared_ptr<const DocumentKind> kind,
                   QWidget* view);
    ~DocumentWindow() override;

    Document& document() const { return document_; }
    const DocumentKind& kind() const { return *kind_; }
    QWidget* view() const { return view_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<saoManager> manager_;
    Document& document_;
    std::shared_ptr<const DocumentKind> kind_;
    QWidget* view_;
};

class saoManager : public QObject {
    Q_OBJECT
public:
    explicit saoManager(QMdiArea* area, QObject* parent = nullptr);
    ~saoManager() override;

    // The kind whose extensions hold the path's (without regard to case), or nullptr.
    std::shared_ptr<const DocumentKind> kindForPath(const std::filesystem::path& path) const;
    std::shared_ptr<const DocumentKind> kindByName(const QString& name) const;

    Document* findDocument(const std::filesystem::path& path) const;
    // Opens the file with its kind and shows it in a new window. nullptr when
    // no kind with a document class accepts the path ("Type de document
    // inconnu." is shown, with the path as caption) or when the document could
    // not open (the document reported why).
    Document* openDocumentFile(const std::filesystem::path& path);
    // A new, untitled document of the kind, in a new window.
    Document* newDocument(const DocumentKind& kind);
    // A document made elsewhere (a symbol opened from the library browser),
    // opened without a path and shown with the kind's view in a new window.
    // nullptr when it does not open or the kind is not registered.
    Document* addDocument(std::unique_ptr<Document> document, const QString& kindName);

    // The file commands on the active document.
    void fileNew();
    // The "&Ouvrir..." dialog; an empty path when cancelled.
    QString askOpenPath();
    bool fileSave(Document& document);
    bool fileSaveAs(Document& document);
    void fileClose(Document& document);
    // Another window on the document.
    DocumentWindow* newWindow(Document& document);

    // For a modified document: "Le document a été modifié..." with Yes, No and
    // Cancel. Yes saves. True when the document may close.
    bool saveModified(Document& document);
    // Asks every document in turn; false (nothing closed) as soon as one refuses.
    bool closeAllDocuments();

    DocumentWindow* activeWindow() const;
    Document* activeDocument() const;
    std::vector<Document*> documents() const;
    std::vector<DocumentWindow*> windows(const Document* document = nullptr) const;
    std::shared_ptr<const DocumentKind> kindOf(const Document& document) const;

    // Window titles follow the documents' titles (called while idle).
    void refreshTitles();

    // Crash recovery. Opening a schéma whose working copy holds unsaved work
    // left by an editor that stopped asks askRecovery; so does each untitled
    // document's copy offered at start. The working copies of the modified
    // schémas are brought up to date each kCheckpointInterval milliseconds and
    // whenever the application loses the focus.
    static constexpr int kCheckpointInterval = 60 * 1000;
    static constexpr int kCheckpointRetryInterval = 5 * 1000; // after one put off by a drag or a dialog
    // The untitled copies of folder (empty: the private folder of working copies).
    void offerUntitledRecoveries(const std::filesystem::path& folder = {});
    void checkpointDocuments();

    // Dialogs, replaced by tests. Each returns an empty result when cancelled.
    std::function<QString(const QString& filter)> chooseOpenPath;
    std::function<QString(const DocumentKind& kind, const QString& current)> chooseSavePath;
    std::function<std::shared_ptr<const DocumentKind>(
        const std::vector<std::shared_ptr<const DocumentKind>>&)>
        chooseNewKind;
    // "Récupérer" (true) or "Ignorer" (false) for a working copy left behind.
    std::function<bool(const RecoveryCandidate& candidate)> askRecovery;

signals:
    // A document was opened from, or saved under, path (for the recent files).
    void documentFileUsed(const QString& path);
    // A view asked for one of the frame's popup menus ("MenuFolio", "MenuEdition") at a
    // screen position: views that offer one have the signal
    // popupRequested(QString name, QPoint globalPosition).
    void popupRequested(const QString& name, const QPoint& globalPosition);

private:
    friend class DocumentWindow;
    struct OpenDocument {
        std::unique_ptr<Document> document;
        std::shared_ptr<const DocumentKind> kind;
    };

    DocumentWindow* createWindow(OpenDocument& open);
    bool canCloseWindow(DocumentWindow& window);
    void windowDestroyed(DocumentWindow* window, bool maximised);
    void destroyDocument(Document& document);
    QString fileFilter() const;
    bool openOrRecover(Document& document, const std::filesystem::path& path);

    QMdiArea* area_;
    std::vector<OpenDocument> documents_;
    std::vector<DocumentWindow*> windows_;
    bool skipQuestion_ = false; // the user already answered for the windows being closed
    QTimer* checkpointTimer_ = nullptr;
};

} // namespace plexo
