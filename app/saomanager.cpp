#include "app/saomanager.h"

#include "app/icons.h"
#include "app/strings.h"
#include "base/format.h"
#include "base/log.h"
#include "base/userinterface.h"
#include "shell/profilefile.h"
#include "store/saodoc.h"
#include "store/saodocrecovery.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace plexo {
namespace {

std::vector<std::shared_ptr<const DocumentKind>>& registry() {
    static std::vector<std::shared_ptr<const DocumentKind>> kinds = [] {
        // Known by name and extension before their document classes register.
        std::vector<std::shared_ptr<const DocumentKind>> known;
        for (auto [name, extension] : {std::pair{"Schéma", "dls"}, {"Séquence", "mid"}}) {
            auto kind = std::make_shared<DocumentKind>();
            kind->name = QString::fromUtf8(name);
            kind->extensions = QStringList{QString::fromLatin1(extension)};
            known.push_back(kind);
        }
        return known;
    }();
    return kinds;
}

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString pathText(const std::filesystem::path& path) {
    return utf8(path.string());
}

std::filesystem::path pathOf(const QString& text) {
    return std::filesystem::path(text.toStdString());
}

std::filesystem::path comparable(const std::filesystem::path& path) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    if (ec)
        return path.lexically_normal();
    auto resolved = std::filesystem::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal() : resolved;
}

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString modificationTime(const std::filesystem::path& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return QString();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(time).time_since_epoch());
    return QDateTime::fromSecsSinceEpoch(seconds.count()).toString("dd/MM/yyyy HH:mm:ss");
}

// "Récupérer" or "Ignorer", the first being the default button.
bool askRecoveryInDialog(const RecoveryCandidate& candidate) {
    const std::string text =
        candidate.document.empty()
            ? format(strings::kUntitledRecoveryQuestion, modificationTime(candidate.copy).toStdString())
            : format(strings::kRecoveryQuestion, candidate.document.string());
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(strings::kRecoveryCaption), utf8(text),
                    QMessageBox::NoButton, dialogParent());
    QPushButton* recover = box.addButton(QString::fromUtf8(strings::kRecover), QMessageBox::AcceptRole);
    box.addButton(QString::fromUtf8(strings::kIgnore), QMessageBox::RejectRole);
    box.setDefaultButton(recover);
    box.exec();
    return box.clickedButton() == recover;
}

// Whether a checkpoint may run now: not in the middle of a drag or of a dialog
// that edits a copy of something the document will take back on OK.
bool quietMoment() {
    return QGuiApplication::mouseButtons() == Qt::NoButton && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

} // namespace

void registerDocumentKind(DocumentKind kind) {
    auto& kinds = registry();
    auto shared = std::make_shared<const DocumentKind>(std::move(kind));
    for (auto& existing : kinds)
        if (existing->name == shared->name) {
            existing = shared;
            return;
        }
    kinds.push_back(shared);
}

std::vector<std::shared_ptr<const DocumentKind>> documentKinds() {
    return registry();
}

// ---------------------------------------------------------------------------

DocumentWindow::DocumentWindow(saoManager& manager, Document& document,
                               std::shared_ptr<const DocumentKind> kind, QWidget* view)
    : manager_(&manager), document_(document), kind_(std::move(kind)), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(documentIcon());
    setWidget(view_);
    setWindowTitle(utf8(document.title()));
}

DocumentWindow::~DocumentWindow() {
    const bool maximised = isMaximized();
    // The view observes the document: it goes first, while the document lives.
    delete view_;
    view_ = nullptr;
    if (manager_)
        manager_->windowDestroyed(this, maximised);
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (manager_ && !manager_->canCloseWindow(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------

saoManager::saoManager(QMdiArea* area, QObject* parent) : QObject(parent), area_(area) {
    askRecovery = askRecoveryInDialog;
    checkpointTimer_ = new QTimer(this);
    checkpointTimer_->setInterval(kCheckpointInterval);
    connect(checkpointTimer_, &QTimer::timeout, this, [this] {
        // Put off by a drag or a dialog: tried again soon rather than a minute later.
        const bool quiet = quietMoment();
        if (quiet)
            checkpointDocuments();
        checkpointTimer_->setInterval(quiet ? kCheckpointInterval : kCheckpointRetryInterval);
    });
    checkpointTimer_->start();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && quietMoment())
            checkpointDocuments();
    });
    chooseOpenPath = [](const QString& filter) {
        return QFileDialog::getOpenFileName(dialogParent(), "Ouvrir", QString(), filter);
    };
    chooseSavePath = [](const DocumentKind& kind, const QString& current) {
        QString filter = QStringLiteral("%1 (*.%2)").arg(kind.name, kind.extensions.value(0, "*"));
        return QFileDialog::getSaveFileName(dialogParent(), "Sauver sous", current, filter);
    };
    chooseNewKind = [](const std::vector<std::shared_ptr<const DocumentKind>>& kinds)
        -> std::shared_ptr<const DocumentKind> {
        QStringList names;
        for (const auto& kind : kinds)
            names << kind->name;
        bool ok = false;
        QString chosen =
            QInputDialog::getItem(dialogParent(), "Nouveau", "Type de document :", names, 0, false, &ok);
        if (!ok)
            return nullptr;
        for (const auto& kind : kinds)
            if (kind->name == chosen)
                return kind;
        return nullptr;
    };
}

saoManager::~saoManager() {
    skipQuestion_ = true;
    while (!windows_.empty())
        delete windows_.back();
    while (!documents_.empty())
        destroyDocument(*documents_.back().document);
}

std::shared_ptr<const DocumentKind> saoManager::kindForPath(const std::filesystem::path& path) const {
    std::string extension = path.extension().string();
    if (extension.size() < 2)
        return nullptr;
    extension.erase(0, 1);
    for (const auto& kind : registry())
        for (const auto& candidate : kind->extensions)
            if (equalsIgnoringCase(candidate.toStdString(), extension))
                return kind;
    return nullptr;
}

std::shared_ptr<const DocumentKind> saoManager::kindByName(const QString& name) const {
    for (const auto& kind : registry())
        if (kind->name == name)
            return kind;
    return nullptr;
}

Document* saoManager::findDocument(const std::filesystem::path& path) const {
    if (path.empty())
        return nullptr;
    auto wanted = comparable(path);
    for (const auto& open : documents_)
        if (!open.document->path().empty() && comparable(open.document->path()) == wanted)
            return open.document.get();
    return nullptr;
}

Document* saoManager::openDocumentFile(const std::filesystem::path& path) {
    auto kind = kindForPath(path);
    std::unique_ptr<Document> document;
    if (kind && kind->createDocument)
        document = kind->createDocument();
    if (!document) {
        userInterface().messageBox(strings::kUnknownDocumentKind, path.string(), MessageIcon::Warning);
        return nullptr;
    }
    bool opened;
    {
        BusyCursor busy;
        opened = openOrRecover(*document, path);
    }
    if (!opened) {
        document->close();
        return nullptr;
    }
    if (document->path().empty())
        document->setPath(path);
    documents_.push_back({std::move(document), kind});
    Document* result = documents_.back().document.get();
    if (!createWindow(documents_.back())) {
        logMessage(0, 0, kError, strings::kNotEnoughMemoryToOpen, true);
        destroyDocument(*result);
        return nullptr;
    }
    emit documentFileUsed(pathText(result->path()));
    return result;
}

Document* saoManager::newDocument(const DocumentKind& kind) {
    auto shared = kindByName(kind.name);
    if (!shared || !shared->createDocument)
        return nullptr;
    return addDocument(shared->createDocument(), kind.name);
}

Document* saoManager::addDocument(std::unique_ptr<Document> document, const QString& kindName) {
    auto shared = kindByName(kindName);
    if (!shared || !document)
        return nullptr;
    if (!document->open({})) {
        document->close();
        return nullptr;
    }
    documents_.push_back({std::move(document), shared});
    Document* result = documents_.back().document.get();
    if (!createWindow(documents_.back())) {
        logMessage(0, 0, kError, strings::kNotEnoughMemoryToOpen, true);
        destroyDocument(*result);
        return nullptr;
    }
    return result;
}

DocumentWindow* saoManager::createWindow(OpenDocument& open) {
    QWidget* view = nullptr;
    if (open.kind->createView) {
        view = open.kind->createView(*open.document, nullptr);
        if (!view)
            return nullptr;
    } else {
        // A kind whose view is not built yet: the document can still be saved and closed.
        auto* label = new QLabel(QString::fromUtf8(strings::kNoView));
        label->setAlignment(Qt::AlignCenter);
        view = label;
    }
    if (view->metaObject()->indexOfSignal("popupRequested(QString,QPoint)") >= 0)
        connect(view, SIGNAL(popupRequested(QString, QPoint)), this, SIGNAL(popupRequested(QString, QPoint)));
    auto* window = new DocumentWindow(*this, *open.document, open.kind, view);
    windows_.push_back(window);
    area_->addSubWindow(window);
    // A view that keeps a placement in its document takes it at its first resize.
    window->showMaximized();
    area_->setActiveSubWindow(window);
    refreshTitles();
    return window;
}

DocumentWindow* saoManager::newWindow(Document& document) {
    for (auto& open : documents_)
        if (open.document.get() == &document)
            return createWindow(open);
    return nullptr;
}

bool saoManager::canCloseWindow(DocumentWindow& window) {
    if (skipQuestion_ || windows(&window.document()).size() > 1)
        return true;
    return saveModified(window.document());
}

void saoManager::windowDestroyed(DocumentWindow* window, bool maximised) {
    std::erase(windows_, window);
    // The window that comes to the front takes the place of a maximised one:
    // windows open maximised, so shown as they are they would have no size of
    // their own. Done once the closed window has left the area.
    if (maximised)
        QTimer::singleShot(0, area_, [area = area_] {
            QMdiSubWindow* next = area->activeSubWindow();
            if (!next && !area->subWindowList().isEmpty())
                next = area->subWindowList().last();
            if (next && !next->isMaximized() && !next->isMinimized())
                next->showMaximized();
        });
    Document& document = window->document();
    if (windows(&document).empty())
        destroyDocument(document);
    else
        refreshTitles();
}

void saoManager::destroyDocument(Document& document) {
    auto found = std::find_if(documents_.begin(), documents_.end(),
                              [&](const OpenDocument& open) { return open.document.get() == &document; });
    if (found == documents_.end())
        return;
    auto owned = std::move(found->document);
    documents_.erase(found);
    owned->close();
}

bool saoManager::saveModified(Document& document) {
    if (!document.isModified())
        return true;
    auto answer = userInterface().messageBox(strings::kDocumentModified, document.title(),
                                             MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Cancel)
        return false;
    if (answer == MessageAnswer::No)
        return true;
    return fileSave(document);
}

bool saoManager::closeAllDocuments() {
    for (Document* document : documents())
        if (!saveModified(*document))
            return false;
    skipQuestion_ = true;
    while (!windows_.empty())
        delete windows_.back();
    skipQuestion_ = false;
    return true;
}

void saoManager::fileClose(Document& document) {
    if (!saveModified(document))
        return;
    skipQuestion_ = true;
    for (auto* window : windows(&document))
        delete window;
    skipQuestion_ = false;
}

void saoManager::fileNew() {
    std::vector<std::shared_ptr<const DocumentKind>> creatable;
    for (const auto& kind : registry())
        if (kind->createDocument)
            creatable.push_back(kind);
    if (creatable.empty()) {
        userInterface().messageBox(strings::kUnknownDocumentKind, "Nouveau", MessageIcon::Warning);
        return;
    }
    auto kind = creatable.size() == 1 ? creatable.front() : chooseNewKind(creatable);
    if (kind)
        newDocument(*kind);
}

QString saoManager::fileFilter() const {
    QStringList patterns, filters;
    for (const auto& kind : registry()) {
        QStringList kindPatterns;
        for (const auto& extension : kind->extensions)
            kindPatterns << "*." + extension;
        patterns << kindPatterns;
        filters << QStringLiteral("%1 (%2)").arg(kind->name, kindPatterns.join(' '));
    }
    filters.prepend(QStringLiteral("Documents Plexo (%1)").arg(patterns.join(' ')));
    filters << "Tous les fichiers (*)";
    return filters.join(";;");
}

QString saoManager::askOpenPath() {
    return chooseOpenPath ? chooseOpenPath(fileFilter()) : QString();
}

bool saoManager::fileSave(Document& document) {
    // A symbol bound to its library has no file of its own: it commits into the library.
    if (document.path().empty() && document.canSaveAs())
        return fileSaveAs(document);
    bool saved;
    {
        BusyCursor busy;
        saved = document.commit(true);
    }
    if (saved)
        document.setModified(false);
    return saved;
}

bool saoManager::fileSaveAs(Document& document) {
    auto kind = kindOf(document);
    if (!document.canSaveAs() || !kind || !chooseSavePath)
        return false;
    QString current = document.path().empty() ? utf8(document.title()) : pathText(document.path());
    QString chosen = chooseSavePath(*kind, current);
    if (chosen.isEmpty())
        return false;
    auto path = pathOf(chosen);
    if (!path.has_extension() && !kind->extensions.isEmpty())
        path += "." + kind->extensions.front().toStdString();
    auto previous = document.path();
    document.setPath(path);
    bool saved;
    {
        BusyCursor busy;
        saved = document.commit(true);
    }
    if (!saved) {
        document.setPath(previous);
        return false;
    }
    document.setModified(false);
    refreshTitles();
    emit documentFileUsed(pathText(path));
    return true;
}

DocumentWindow* saoManager::activeWindow() const {
    return qobject_cast<DocumentWindow*>(area_->currentSubWindow());
}

Document* saoManager::activeDocument() const {
    auto* window = activeWindow();
    return window ? &window->document() : nullptr;
}

std::vector<Document*> saoManager::documents() const {
    std::vector<Document*> all;
    for (const auto& open : documents_)
        all.push_back(open.document.get());
    return all;
}

std::vector<DocumentWindow*> saoManager::windows(const Document* document) const {
    std::vector<DocumentWindow*> found;
    for (auto* window : windows_)
        if (!document || &window->document() == document)
            found.push_back(window);
    return found;
}

std::shared_ptr<const DocumentKind> saoManager::kindOf(const Document& document) const {
    for (const auto& open : documents_)
        if (open.document.get() == &document)
            return open.kind;
    return nullptr;
}

void saoManager::refreshTitles() {
    for (const auto& open : documents_) {
        auto shown = windows(open.document.get());
        QString title = utf8(open.document->title());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            QString text = shown.size() == 1 ? title : QStringLiteral("%1:%2").arg(title).arg(i + 1);
            if (shown[i]->windowTitle() != text)
                shown[i]->setWindowTitle(text);
        }
    }
}

// ---- crash recovery ---------------------------------------------------------------

bool saoManager::openOrRecover(Document& document, const std::filesystem::path& path) {
    auto* schema = dynamic_cast<saoDoc*>(&document);
    if (!schema || schema->isSymbolDocument())
        return document.open(path);
    RecoveryCandidate candidate = findRecoverableCopy(path);
    if (candidate) {
        if (askRecovery && askRecovery(candidate))
            return schema->openRecovered(path, std::move(candidate));
        logInfo(strings::kRecoveryIgnored + candidate.copy.string());
        // Deleted before the document makes its own copy under the same name.
        discardRecoverableCopy(candidate);
    }
    return document.open(path);
}

void saoManager::offerUntitledRecoveries(const std::filesystem::path& folder) {
    auto kind = kindForPath("document.dls");
    if (!kind || !kind->createDocument)
        return;
    for (RecoveryCandidate& candidate : folder.empty() ? findUntitledCopies() : findUntitledCopies(folder)) {
        if (!askRecovery || !askRecovery(candidate)) {
            logInfo(strings::kRecoveryIgnored + candidate.copy.string());
            discardRecoverableCopy(candidate);
            continue;
        }
        std::unique_ptr<Document> document = kind->createDocument();
        auto* schema = dynamic_cast<saoDoc*>(document.get());
        if (!schema || !schema->openRecovered({}, std::move(candidate)))
            continue; // the copy stays for another time
        documents_.push_back({std::move(document), kind});
        Document* result = documents_.back().document.get();
        if (!createWindow(documents_.back())) {
            logMessage(0, 0, kError, strings::kNotEnoughMemoryToOpen, true);
            destroyDocument(*result);
        }
    }
}

void saoManager::checkpointDocuments() {
    for (const auto& open : documents_)
        if (auto* schema = dynamic_cast<saoDoc*>(open.document.get()))
            schema->checkpoint();
}

} // namespace plexo
