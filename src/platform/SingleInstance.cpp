#include "platform/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
// How long a later copy waits for the first one; together well under a second.
constexpr int ConnectTimeoutMs = 300;
constexpr int WriteTimeoutMs = 300;
} // namespace

QString TJustOne::DefaultName() {
    return QStringLiteral("pentavo-%1").arg(ulong(getuid()));
}

TJustOne::TJustOne(const QString& name, QObject* parent)
    : QObject(parent), FName(name.isEmpty() ? DefaultName() : name) {
    FServer = new QLocalServer(this);
    connect(FServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = FServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // A request may arrive in pieces; act once the whole line is there.
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == RaiseRequest)
                    emit ActivationRequested();
                socket->disconnectFromServer();
            });
        }
    });
    // No socket options: with them the server replaces a name in use instead of failing.
    if (FServer->listen(FName))
        return;
    // Any other failure leaves this copy running unguarded rather than not at all.
    if (FServer->serverError() != QAbstractSocket::AddressInUseError)
        return;
    // The name is taken: either a copy is running, or one ended without cleaning up.
    if (AskRunningCopy()) {
        FAnotherRunning = true;
        return;
    }
    QLocalServer::removeServer(FName);
    FServer->listen(FName);
}

TJustOne::~TJustOne() {
    FServer->close();
}

bool TJustOne::AskRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(FName);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(RaiseRequest);
    socket.waitForBytesWritten(WriteTimeoutMs);
    socket.disconnectFromServer();
    return true;
}
