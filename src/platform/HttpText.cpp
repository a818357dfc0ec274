#include "platform/HttpText.h"

namespace bw {

QString HttpErrorText() {
    return QStringLiteral("网络错误！");
}

QString AddCacheBuster(const QString& url, const QTime& time) {
    const QChar joiner = url.contains(u'?') ? u'&' : u'?';
    return url + joiner + QStringLiteral("Time=") + time.toString(QStringLiteral("HH:mm:ss"));
}

bool ApplyReplyMarker(QString& reply, const QString& mustContain) {
    if (!reply.contains(mustContain, Qt::CaseSensitive)) return false;
    const qsizetype cut = reply.lastIndexOf(QStringLiteral("<BR>"), -1, Qt::CaseSensitive);
    if (cut >= 0) reply.truncate(cut);
    reply.replace(QStringLiteral("<+>"), QStringLiteral("\r\n"), Qt::CaseSensitive);
    return true;
}

}  // namespace bw
