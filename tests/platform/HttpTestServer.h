#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the HTTP client's tests. It runs on the test's own
// thread: the client's local event loop serves it while a request waits.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <functional>

namespace bw::test {

// What the server does with one request.
struct TestReply {
    enum class Mode {
        Normal,    // status line, Content-Length, body, close
        Silent,    // never answers
        Endless,   // 200 without a length, then body bytes until the client goes away
        CutShort,  // announces 1000 bytes more than it sends, then closes
        Half,      // announces the whole body, sends its first half, then closes
    };
    int status = 200;
    QByteArray body;
    Mode mode = Mode::Normal;
};

class HttpTestServer : public QObject {
public:
    // Listens on a free port of 127.0.0.1; every request gets `handler`'s answer to its
    // target (path and query as sent).
    explicit HttpTestServer(std::function<TestReply(const QByteArray& target)> handler);
    // "http://127.0.0.1:<port>" followed by `path`.
    QString url(const QString& path) const;
    // The targets of the requests received so far, in order.
    const QList<QByteArray>& targets() const { return targets_; }

private:
    void serve(class QTcpSocket* socket);
    QTcpServer server_;
    std::function<TestReply(const QByteArray&)> handler_;
    QList<QByteArray> targets_;
};

}  // namespace bw::test
