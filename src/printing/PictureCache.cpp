#include "printing/PictureCache.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>

#include "platform/PictureFile.h"

namespace bw {

namespace {

struct Entry {
    QDateTime modified;
    qint64 size = 0;
    QImage image;
};

QCache<QString, Entry>& Cache() {
    static QCache<QString, Entry> cache(kPictureCacheBytes);
    return cache;
}

}  // namespace

QImage CachedPicture(const QString& path, QSize pixels, bool opaque) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) return QImage();
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(opaque ? 1 : 0)
                            .arg(info.absoluteFilePath());
    QCache<QString, Entry>& cache = Cache();
    if (const Entry* e = cache.object(key);
        e && e->modified == info.lastModified() && e->size == info.size())
        return e->image;
    QImage image = ReadPicture(path, pixels).image;
    // A label lays its picture opaque, whatever transparency the file has.
    if (opaque && image.hasAlphaChannel()) image = image.convertToFormat(QImage::Format_RGB32);
    // One larger than the whole bound is not kept (the cache drops it at once).
    cache.insert(key, new Entry{info.lastModified(), info.size(), image},
                 std::max<qsizetype>(1, image.sizeInBytes()));
    return image;
}

}  // namespace bw
