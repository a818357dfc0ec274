#include "platform/WebRoot.h"

#include <QUrl>

#include "platform/Settings.h"

namespace bw {

QString WebRoot() {
    QString root =
        ReadSetting(QString::fromLatin1(kWebRootApp), QString::fromLatin1(kWebRootSection),
                    QString::fromLatin1(kWebRootKey), QString())
            .trimmed();
    while (root.endsWith(u'/')) root.chop(1);
    if (root.isEmpty()) return {};
    const QUrl url(root, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty() ||
        url.hasQuery() || url.hasFragment() || !url.userInfo().isEmpty())
        return {};
    return root;
}

QString WebUrl(const QString& sitePath) {
    const QString root = WebRoot();
    const QString path = sitePath.trimmed();
    if (root.isEmpty() || path.isEmpty()) return {};
    return path.startsWith(u'/') ? root + path : root + u'/' + path;
}

}  // namespace bw
