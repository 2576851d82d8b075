#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace tessary {

// The socket lives in the user's own runtime folder, which nobody else can
// write to; the user id in the name keeps users apart where that folder is
// the shared temporary one.
SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent),
      name_(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                .filePath(QStringLiteral("Tessary-%1.instance").arg(::getuid()))) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            socket->deleteLater();
            emit activationRequested();
        }
    });
}

bool SingleInstance::AnotherIsRunning() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(500)) return false;
    socket.write("activate");
    socket.waitForBytesWritten(500);
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
