#include "platform/Http.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/HttpTransfer.h"
#include "platform/LoadableModule.h"
#include "platform/SafeFiles.h"
#include "platform/TextCodec.h"

namespace bw {

namespace {

HttpLimits& limitsRef() {
    static HttpLimits limits;
    return limits;
}

int& runningRef(HttpKind kind) {
    static int page = 0;
    static int file = 0;
    return kind == HttpKind::Page ? page : file;
}

// Counts a call of one kind as running for the life of the call.
class Running {
public:
    explicit Running(HttpKind kind) : count_(runningRef(kind)) { ++count_; }
    ~Running() { --count_; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    int& count_;
};

QUrl httpUrl(const QString& url) {
    if (url.trimmed().isEmpty()) return {};
    QUrl u(AddCacheBuster(url.trimmed(), QTime::currentTime()), QUrl::TolerantMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || (scheme != u"http" && scheme != u"https") || u.host().isEmpty()) return {};
    return u;
}

HttpStatus transfer(const QUrl& url, int timeoutSec, const HttpCancelHook& cancelled, qint64 limit,
                    const HttpSink& sink) {
    return HttpTransfer(url, timeoutSec, cancelled, limit, limitsRef().cancelPollMs, sink);
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
    if (s != HttpStatus::Ok) RemoveTemporary(tmp);
    return s;
}

}  // namespace

HttpStatus HttpTransfer(const QUrl& url, int timeoutSec, const HttpCancelHook& cancelled,
                        qint64 limit, int cancelPollMs, const HttpSink& sink) {
    static const auto entry =
        reinterpret_cast<HttpTransferEntry>(ModuleSymbol("network", kHttpTransferSymbol));
    if (!entry) return HttpStatus::Failed;
    return entry(url, timeoutSec, cancelled, limit, cancelPollMs, sink);
}

HttpLimits CurrentHttpLimits() {
    return limitsRef();
}

void SetHttpLimits(const HttpLimits& limits) {
    limitsRef() = limits;
}

bool HttpBusy(HttpKind kind) {
    return runningRef(kind) > 0;
}

QString HttpGet(const QString& url, QString& reply, const QString& mustContain, int timeoutSec,
                const QString& saveFile, const HttpCancelHook& cancelled, HttpStatus* status) {
    HttpStatus s = HttpStatus::Ok;
    QString result = HttpErrorText();
    const Running running(HttpKind::Page);
    const QUrl u = httpUrl(url);
    if (u.isEmpty()) {
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
        if (result.isEmpty() || s == HttpStatus::Cancelled || s == HttpStatus::BadUrl) break;
    }
    if (status) *status = s;
    return result;
}

bool HttpDownloadFile(const QString& url, const QString& targetFile, int timeoutSec,
                      const HttpCancelHook& cancelled, HttpStatus* status) {
    HttpStatus s = HttpStatus::Ok;
    const Running running(HttpKind::File);
    const QUrl u = httpUrl(url);
    if (u.isEmpty()) {
        s = HttpStatus::BadUrl;
    } else {
        s = downloadInto(u, targetFile, timeoutSec, cancelled);
    }
    if (status) *status = s;
    return s == HttpStatus::Ok;
}

}  // namespace bw
