#include "app/SingleInstance.h"

#include <QLocalSocket>
#include <unistd.h>

namespace tessary {

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent), name_(QStringLiteral("Tessary-%1").arg(::getuid())) {
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
