#include "app/single_instance.h"

#include "app/frm_Start.h"
#include "app/outside_files.h"
#include "core/command_line.h"
#include "ui/forms.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// A running editor greets at once from its event loop; one that is still
// starting gets this long before the second start opens a window of its own.
constexpr int kAnswerMs = 5000;
constexpr int kConnectMs = 1000;

// Reads one list from socket before the deadline.
std::optional<QStringList> Read_List(QLocalSocket& socket, const QDeadlineTimer& deadline)
{
    handover::Reader reader;
    while (reader.feed(socket.readAll()) == handover::Reader::State::Incomplete) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
    }
    if (reader.state() != handover::Reader::State::Complete)
        return std::nullopt;
    return reader.paths();
}

void Bring_Main_Window_Forward()
{
    QWidget* w = forms::Start();
    w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    w->show();
    w->raise();
    w->activateWindow();
}

// One later start's connection: greeted, its list read, answered, and its
// files opened once the answer is on its way.
void Serve(QLocalSocket* socket)
{
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // A peer that never finishes its list is not kept for ever.
    QTimer::singleShot(10000, socket, [socket] { socket->abort(); });
    auto reader = std::make_shared<handover::Reader>();
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, reader] {
        if (reader->state() != handover::Reader::State::Incomplete)
            return;
        switch (reader->feed(socket->readAll())) {
        case handover::Reader::State::Incomplete:
            return;
        case handover::Reader::State::Bad:
            socket->abort();
            return;
        case handover::Reader::State::Complete:
            break;
        }
        socket->write(handover::Encode(Open_In_Editor()));
        socket->flush();
        socket->disconnectFromServer();
        const QStringList files = reader->paths();
        QTimer::singleShot(0, qApp, [files] {
            Bring_Main_Window_Forward();
            Open_Outside_Files(files);
        });
    });
    socket->write(handover::Encode({}));
    socket->flush();
}

} // namespace

QString Instance_Socket_Name(const QString& settingsFolder)
{
#ifdef Q_OS_UNIX
    const QString user = QString::number(::getuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
#else
    const QString user = qEnvironmentVariable("USERNAME");
    const QString runtime;
#endif
    return handover::Socket_Name(user, settingsFolder, runtime);
}

std::optional<QStringList> Hand_Over_Files(const QString& name, const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs))
        return std::nullopt;
    const QDeadlineTimer deadline(kAnswerMs);
    if (!Read_List(socket, deadline))
        return std::nullopt;
    socket.write(handover::Encode(files));
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return std::nullopt;
    return Read_List(socket, deadline);
}

bool Listen_For_Later_Starts(const QString& name)
{
    auto* server = new QLocalServer(qApp);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        // Someone answers: another editor of these settings runs already.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(kConnectMs)) {
            delete server;
            return false;
        }
        // No one: the socket of an editor that crashed.
        QLocalServer::removeServer(name);
        if (!server->listen(name)) {
            delete server;
            return false;
        }
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server] {
        while (QLocalSocket* socket = server->nextPendingConnection())
            Serve(socket);
    });
    return true;
}
