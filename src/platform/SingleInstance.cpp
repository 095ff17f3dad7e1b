#include "platform/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>

#include <unistd.h>

namespace {
// One request line: "raise" or "open " + the percent-encoded path (so any name fits one line).
const QByteArray RaiseRequest = QByteArrayLiteral("raise");
const QByteArray OpenRequest = QByteArrayLiteral("open ");
// A longer line is no request of ours; the connection is dropped unread.
constexpr qint64 MaxRequestBytes = 64 * 1024;
// How long a later copy waits for the first one; together well under a second.
constexpr int ConnectTimeoutMs = 300;
constexpr int WriteTimeoutMs = 300;
} // namespace

QString TJustOne::DefaultName(const QProcessEnvironment& environment) {
    // A copy on another display (another X session, a remote one) is one this user may not
    // see: each display gets its copy. An X display's screen number (":0.1") is the same
    // display; without any display the login session tells sessions apart.
    QString display = environment.value(QStringLiteral("DISPLAY"));
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon)
        display.truncate(dot);
    QString where =
        display + QLatin1Char('|') + environment.value(QStringLiteral("WAYLAND_DISPLAY"));
    if (where == QLatin1String("|"))
        where += environment.value(QStringLiteral("XDG_SESSION_ID"));
    // The socket's name must stay a plain file name.
    for (QChar& c : where)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    return QStringLiteral("pentavo-%1-%2").arg(ulong(getuid())).arg(where);
}

TJustOne::TJustOne(const QString& name, const QString& openPath, QObject* parent)
    : QObject(parent), FName(name.isEmpty() ? DefaultName() : name) {
    FServer = new QLocalServer(this);
    connect(FServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = FServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                // A request may arrive in pieces; act once the whole line is there.
                if (socket->canReadLine()) {
                    const QByteArray line = socket->readLine(MaxRequestBytes + 1);
                    if (line.endsWith('\n'))
                        HandleRequest(line.chopped(1));
                } else if (socket->bytesAvailable() <= MaxRequestBytes) {
                    return;
                }
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
    if (AskRunningCopy(openPath)) {
        FAnotherRunning = true;
        return;
    }
    QLocalServer::removeServer(FName);
    FServer->listen(FName);
}

TJustOne::~TJustOne() {
    FServer->close();
}

void TJustOne::HandleRequest(const QByteArray& line) {
    if (line == RaiseRequest) {
        emit ActivationRequested();
    } else if (line.startsWith(OpenRequest)) {
        const QString path = QUrl::fromPercentEncoding(line.mid(OpenRequest.size()));
        emit ActivationRequested();
        if (!path.isEmpty())
            emit OpenRequested(path);
    }
}

bool TJustOne::AskRunningCopy(const QString& openPath) {
    QLocalSocket socket;
    socket.connectToServer(FName);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    const QByteArray request =
        openPath.isEmpty() ? RaiseRequest : OpenRequest + QUrl::toPercentEncoding(openPath);
    socket.write(request + '\n');
    socket.waitForBytesWritten(WriteTimeoutMs);
    socket.disconnectFromServer();
    return true;
}
