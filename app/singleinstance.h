// One editor per user and home folder: a second "plexo file.dls" hands its
// converted paths to the editor already running, which opens them and comes
// to the front, and stops without creating a window.
//
// The first instance listens on a local socket named after the user and the
// home folder (so that editors working on different PLEXO_HOME folders, as
// the tests do, stay apart). A second instance connects and sends each path
// as UTF-8 followed by a NUL byte, then closes; on the close the first one
// raises its frame.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace plexo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxPathBytes = 4096; // a longer "path" ends the connection

    explicit SingleInstance(QString serverName = defaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString defaultServerName();

    // When an editor is listening: sends it the paths and returns true.
    bool handOver(const QStringList& paths);
    // Starts listening (replacing a socket left by an editor that died).
    bool listen();

signals:
    void pathReceived(const QString& path);
    void raiseRequested();

private:
    void accept();
    void read(QLocalSocket* socket);

    QString serverName_;
    QLocalServer* server_ = nullptr;
};

} // namespace plexo
