#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace tessary {

namespace {
// A path, not a document: anything longer is cut.
constexpr qsizetype kLongestCommandLine = 64 * 1024;
}  // namespace

// The socket lives in the user's own runtime folder, which nobody else can
// write to; the user id in the name keeps users apart where that folder is
// the shared temporary one.
SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent),
      name_(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                .filePath(QStringLiteral("Tessary-%1.instance").arg(::getuid()))) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            // The later copy sends its command line and hangs up; a copy that
            // hangs up at once has nothing to open.
            auto* received = new QByteArray;
            connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
                if (received->size() < kLongestCommandLine) received->append(socket->readAll());
            });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket, received] {
                received->append(socket->readAll());
                const QString commandLine = QString::fromUtf8(received->left(kLongestCommandLine));
                delete received;
                socket->deleteLater();
                emit activationRequested(commandLine);
            });
        }
    });
}

bool SingleInstance::AnotherIsRunning(const QString& commandLine) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(500)) return false;
    socket.write(commandLine.toUtf8());
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
    return true;
}

void SingleInstance::Listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name_)) {
        // A copy that ended without closing its socket left the name behind.
        QLocalServer::removeServer(name_);
        server_.listen(name_);
    }
}

}  // namespace tessary
