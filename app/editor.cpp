// The editor's entry point: builds the application object and runs it.
#include "app/appinfo.h"
#include "app/verbs.h"

#include <QApplication>
#include <QMainWindow>

namespace plexo {

int runEditor(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle(QString::fromUtf8(kAppCaption));
    frame.show();
    return application.exec();
}

} // namespace plexo
