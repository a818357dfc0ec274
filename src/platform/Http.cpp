#include "platform/Http.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <climits>

#include "platform/SafeFiles.h"
#include "platform/TextCodec.h"

namespace bw {

namespace {

HttpLimits& limitsRef() {
    static HttpLimits limits;
    return limits;
}

bool& busyRef(HttpKind kind) {
    static bool page = false;
    static bool file = false;
    return kind == HttpKind::Page ? page : file;
}

// Holds the busy flag of one kind for the life of a call; `taken()` is false when another
// call of that kind already held it.
class BusyGuard {
public:
    explicit BusyGuard(HttpKind kind) : flag_(busyRef(kind)), taken_(!flag_) {
        if (taken_) flag_ = true;
    }
    ~BusyGuard() {
        if (taken_) flag_ = false;
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    bool taken() const { return taken_; }

private:
    bool& flag_;
    bool taken_;
};

QUrl httpUrl(const QString& url) {
    if (url.trimmed().isEmpty()) return {};
    QUrl u(AddCacheBuster(url.trimmed(), QTime::currentTime()), QUrl::TolerantMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || (scheme != u"http" && scheme != u"https") || u.host().isEmpty()) return {};
    return u;
}

// Sends the GET and waits for it. Every piece of the body goes to `sink` (false: the piece
// could not be stored) as it arrives; the body is capped at `limit` bytes.
HttpStatus transfer(const QUrl& url, int timeoutSec, const HttpCancelHook& cancelled, qint64 limit,
                    const std::function<bool(const QByteArray&)>& sink) {
    if (cancelled && cancelled()) return HttpStatus::Cancelled;
    const HttpLimits limits = limitsRef();

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
    poll.setInterval(qMax(1, limits.cancelPollMs));
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

// The body written to a temporary file beside `target`, checked on the disk (every byte
// received is there) and only then renamed over the target; on any failure the temporary
// file goes and the target stays as it was.
HttpStatus downloadInto(const QUrl& url, const QString& target, int timeoutSec,
                        const HttpCancelHook& cancelled) {
    if (target.isEmpty()) return HttpStatus::WriteFailed;
    const QString tmp = CreateTemporaryBeside(target);
    if (tmp.isEmpty()) return HttpStatus::WriteFailed;
    QFile out(tmp);
    qint64 written = 0;
    HttpStatus s = HttpStatus::WriteFailed;
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        s = transfer(url, timeoutSec, cancelled, limitsRef().fileBytes,
                     [&](const QByteArray& piece) {
                         const qint64 n = out.write(piece);
                         written += qMax<qint64>(0, n);
                         return n == piece.size();
                     });
        const bool flushed = out.flush() && out.error() == QFileDevice::NoError;
        out.close();
        if (s == HttpStatus::Ok &&
            (!flushed || out.error() != QFileDevice::NoError || QFileInfo(tmp).size() != written ||
             !SyncFile(tmp) || !ReplaceFile(tmp, target)))
            s = HttpStatus::WriteFailed;
    }
    if (s != HttpStatus::Ok) QFile::remove(tmp);
    return s;
}

}  // namespace

HttpLimits CurrentHttpLimits() {
    return limitsRef();
}

void SetHttpLimits(const HttpLimits& limits) {
    limitsRef() = limits;
}

bool HttpBusy(HttpKind kind) {
    return busyRef(kind);
}

QString HttpGet(const QString& url, QString& reply, const QString& mustContain, int timeoutSec,
                const QString& saveFile, const HttpCancelHook& cancelled, HttpStatus* status) {
    HttpStatus s = HttpStatus::Ok;
    QString result = HttpErrorText();
    BusyGuard guard(HttpKind::Page);
    const QUrl u = httpUrl(url);
    if (!guard.taken()) {
        s = HttpStatus::Busy;
    } else if (u.isEmpty()) {
        s = HttpStatus::BadUrl;
    } else {
        QByteArray body;
        s = transfer(u, timeoutSec, cancelled, limitsRef().pageBytes, [&](const QByteArray& piece) {
            body += piece;
            return true;
        });
        if (s == HttpStatus::Ok) {
            reply = FromAnsi(body);
            if (!saveFile.isEmpty() && !WriteFileSafely(saveFile, body))
                s = HttpStatus::WriteFailed;
        }
        if (s == HttpStatus::Ok) {
            if (ApplyReplyMarker(reply, mustContain))
                result.clear();
            else
                s = HttpStatus::NoMarker;
        }
    }
    if (status) *status = s;
    return result;
}

QString HttpGetRetry(const QString& url, QString& reply, const QString& mustContain, int timeoutSec,
                     const QString& saveFile, const HttpCancelHook& cancelled, HttpStatus* status) {
    QString result;
    HttpStatus s = HttpStatus::Ok;
    for (int attempt = 1; attempt <= 5; ++attempt) {
        result = HttpGet(url, reply, mustContain, timeoutSec, saveFile, cancelled, &s);
        if (result.isEmpty() || s == HttpStatus::Busy || s == HttpStatus::Cancelled ||
            s == HttpStatus::BadUrl)
            break;
    }
    if (status) *status = s;
    return result;
}

bool HttpDownloadFile(const QString& url, const QString& targetFile, int timeoutSec,
                      const HttpCancelHook& cancelled, HttpStatus* status) {
    HttpStatus s = HttpStatus::Ok;
    BusyGuard guard(HttpKind::File);
    const QUrl u = httpUrl(url);
    if (!guard.taken()) {
        s = HttpStatus::Busy;
    } else if (u.isEmpty()) {
        s = HttpStatus::BadUrl;
    } else {
        s = downloadInto(u, targetFile, timeoutSec, cancelled);
    }
    if (status) *status = s;
    return s == HttpStatus::Ok;
}

}  // namespace bw
