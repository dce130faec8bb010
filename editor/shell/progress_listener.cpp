#include "editor/shell/progress_listener.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

namespace zor::editor {

ProgressListener::ProgressListener(std::function<void(const QByteArray&)> handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &ProgressListener::accept);
}

quint16 ProgressListener::listen() {
    if (!server_->isListening()) server_->listen(QHostAddress::LocalHost, 0);
    return port();
}

quint16 ProgressListener::port() const {
    return server_->isListening() ? server_->serverPort() : 0;
}

void ProgressListener::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        readFrom(socket);
    }
}

void ProgressListener::readFrom(QTcpSocket* socket) {
    QPointer<QTcpSocket> guard(socket);
    // Bytes of a frame wait in the socket until the whole frame is there.
    while (guard && socket->bytesAvailable() >= 4) {
        QByteArray head = socket->peek(4);
        quint32 length = qFromBigEndian<quint32>(head.constData());
        if (length > kMaxMessage) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < 4 + static_cast<qint64>(length)) return;
        socket->read(4);
        QByteArray message = socket->read(length);
        ++handled_;
        // The handler may run a nested event loop (a message box); the
        // sender waits for the acknowledgement, so nothing new arrives.
        handler_(message);
        if (!guard) return;
        socket->write("\x01", 1);
        socket->flush();
    }
}

}  // namespace zor::editor
