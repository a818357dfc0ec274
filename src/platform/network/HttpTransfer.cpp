// The network module: the HTTP client's GET over Qt Network (see platform/HttpTransfer.h).

#include "platform/HttpTransfer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <climits>
#include <type_traits>

namespace bw {

// Sends the GET and waits for it. Every piece of the body goes to `sink` (false: the piece
// could not be stored) as it arrives; the body is capped at `limit` bytes.
extern "C" __attribute__((visibility("default"))) HttpStatus BwHttpTransfer(
    const QUrl& url, int timeoutSec, const HttpCancelHook& cancelled, qint64 limit,
    int cancelPollMs, const HttpSink& sink) {
    if (cancelled && cancelled()) return HttpStatus::Cancelled;

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml"));

    QEventLoop loop;
    // Left as Cancelled when the loop ends for another reason (the application quitting).
    HttpStatus outcome = HttpStatus::Cancelled;
    bool ended = false;
    auto finish = [&](HttpStatus s) {
        if (ended) return;
        ended = true;
        outcome = s;
        loop.quit();
    };

    QNetworkReply* reply = manager.get(request);
    qint64 received = 0;
    auto drain = [&] {
        if (ended) return;
        const QByteArray piece = reply->readAll();
        if (piece.isEmpty()) return;
        received += piece.size();
        if (received > limit) {
            finish(HttpStatus::TooLarge);
        } else if (!sink(piece)) {
            finish(HttpStatus::WriteFailed);
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, [&] {
        drain();
        if (ended) return;
        const int code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // A connection that closes before the announced length may still end without an
        // error: only all the announced bytes make a whole reply.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        const bool whole = !length.isValid() || length.toLongLong() == received;
        if (reply->error() != QNetworkReply::NoError || code < 200 || code > 299 || !whole)
            finish(HttpStatus::Failed);
        else
            finish(HttpStatus::Ok);
    });

    QTimer deadline;
    deadline.setSingleShot(true);
    const qint64 ms = qMax<qint64>(0, timeoutSec) * 1000;
    deadline.setInterval(static_cast<int>(qMin<qint64>(ms, INT_MAX)));
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { finish(HttpStatus::TimedOut); });

    QTimer poll;
    poll.setInterval(qMax(1, cancelPollMs));
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (cancelled && cancelled()) finish(HttpStatus::Cancelled);
    });

    deadline.start();
    if (cancelled) poll.start();
    loop.exec();

    deadline.stop();
    poll.stop();
    reply->disconnect();
    reply->abort();
    delete reply;
    return outcome;
}

static_assert(std::is_same_v<decltype(&BwHttpTransfer), HttpTransferEntry>);

}  // namespace bw
