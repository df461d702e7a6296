// The editor's entry point: hands the files over to an editor already
// running, or builds the application object and runs it.
#include "app/saoapp.h"
#include "app/saoframe.h"
#include "app/saomanager.h"
#include "app/singleinstance.h"
#include "app/strings.h"
#include "app/verbs.h"
#include "base/log.h"
#include "shell/appinfo.h"
#include "shell/documentpaths.h"
#include "views/qttextmeasurer.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace plexo {

int runEditor(int argc, char** argv) {
    QApplication application(argc, argv);
    QtTextMeasurerInstaller textMeasurer; // outlines and text layout measure with Qt's fonts
    QApplication::setApplicationName("Plexo");
    QApplication::setApplicationVersion(kAppCaption);
    // Qt's own dialogs (print, page setup, files, fonts) in French, when Qt's
    // translations are installed.
    QTranslator qtFrench;
    if (qtFrench.load(QLocale(QLocale::French), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);

    // QApplication took its own options out of argv.
    std::vector<std::string> paths;
    QStringList handed;
    for (int i = 1; i < argc; ++i) {
        paths.push_back(longPathOf(argv[i]));
        handed << QString::fromStdString(paths.back());
    }

    SingleInstance instance;
    if (instance.handOver(handed)) {
        setShuttingDown(true);
        return 0;
    }

    saoApp app(homeDir());
    app.initMainWindow();
    instance.listen();
    QObject::connect(&instance, &SingleInstance::pathReceived, &app, [&app](const QString& path) {
        logInfo(std::string(strings::kHandedOver) + path.toStdString());
        // Opened from the event loop, not from inside the socket's signal.
        QTimer::singleShot(0, &app, [&app, path] { app.openDocumentByPath(path); });
    });
    QObject::connect(&instance, &SingleInstance::raiseRequested, &app, [&app] {
        saoFrame* frame = app.frame();
        if (!frame)
            return;
        frame->setWindowState((frame->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        frame->show();
        frame->raise();
        frame->activateWindow();
    });
    app.initInstance(paths);
    // Untitled documents' work left behind by an editor that stopped is offered
    // once the window is up (the documents of this editor hold their own copies).
    QTimer::singleShot(0, &app, [&app] {
        if (saoManager* documents = app.manager())
            documents->offerUntitledRecoveries();
    });
    return application.exec();
}

} // namespace plexo
