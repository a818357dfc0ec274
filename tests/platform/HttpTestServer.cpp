#include "HttpTestServer.h"

#include <QTcpSocket>
#include <QTimer>

namespace bw::test {

HttpTestServer::HttpTestServer(std::function<TestReply(const QByteArray&)> handler)
    : handler_(std::move(handler)) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) serve(socket);
    });
}

QString HttpTestServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
}

void HttpTestServer::serve(QTcpSocket* socket) {
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
        *buffer += socket->readAll();
        const qsizetype headEnd = buffer->indexOf("\r\n\r\n");
        if (headEnd < 0) return;
        const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
        buffer->clear();
        const QByteArray target = requestLine.value(1);
        targets_.append(target);
        const TestReply r = handler_(target);
        const QByteArray status = "HTTP/1.1 " + QByteArray::number(r.status) + " X\r\n";
        switch (r.mode) {
            case TestReply::Mode::Silent:
                return;
            case TestReply::Mode::Normal:
            case TestReply::Mode::CutShort:
            case TestReply::Mode::Half: {
                const qsizetype length =
                    r.body.size() + (r.mode == TestReply::Mode::CutShort ? 1000 : 0);
                const QByteArray sent =
                    r.mode == TestReply::Mode::Half ? r.body.left(r.body.size() / 2) : r.body;
                socket->write(status + "Content-Length: " + QByteArray::number(length) +
                              "\r\nConnection: close\r\n\r\n" + sent);
                socket->disconnectFromHost();
                return;
            }
            case TestReply::Mode::Endless: {
                socket->write(status + "Connection: close\r\n\r\n");
                auto* pump = new QTimer(socket);
                const QByteArray chunk(64 * 1024, 'x');
                connect(pump, &QTimer::timeout, socket, [socket, chunk] {
                    if (socket->bytesToWrite() < 4 * chunk.size()) socket->write(chunk);
                });
                pump->start(1);
                return;
            }
        }
    });
}

}  // namespace bw::test
