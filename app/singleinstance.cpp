#include "app/singleinstance.h"

#include "shell/appinfo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace plexo {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kWriteTimeoutMs = 5000;
constexpr const char* kBufferProperty = "plexoPending";

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName() {
    std::error_code ec;
    auto home = std::filesystem::weakly_canonical(std::filesystem::absolute(homeDir(), ec), ec);
    QByteArray key = QByteArray::number(static_cast<qulonglong>(::getuid())) + '\n' +
                     QByteArray::fromStdString(home.string());
    auto hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("plexo-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::handOver(const QStringList& paths) {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    QByteArray message;
    for (const auto& path : paths) {
        message += path.toUtf8();
        message += '\0';
    }
    socket.write(message);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kWriteTimeoutMs))
            break;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWriteTimeoutMs);
    return true;
}

bool SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_)) {
        // Nobody answered handOver, so a socket file left behind is stale.
        QLocalServer::removeServer(serverName_);
        if (!server_->listen(serverName_))
            return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            read(socket);
            socket->deleteLater();
            emit raiseRequested();
        });
        read(socket);
    }
}

void SingleInstance::read(QLocalSocket* socket) {
    QByteArray pending = socket->property(kBufferProperty).toByteArray() + socket->readAll();
    qsizetype end;
    while ((end = pending.indexOf('\0')) >= 0) {
        QString path = QString::fromUtf8(pending.left(end));
        pending.remove(0, end + 1);
        if (!path.isEmpty())
            emit pathReceived(path);
    }
    if (pending.size() > kMaxPathBytes) {
        pending.clear();
        socket->abort();
    }
    socket->setProperty(kBufferProperty, pending);
}

} // namespace plexo
