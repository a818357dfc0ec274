#include "platform/PictureFile.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cmath>

#include "platform/PictureData.h"
#include "platform/RegularFile.h"

namespace bw {

namespace {

QString Cause(const QImageReader& reader, QSize own) {
    switch (reader.error()) {
        case QImageReader::FileNotFoundError:
            return QStringLiteral("文件不存在");
        case QImageReader::DeviceError:
            return QStringLiteral("文件打不开");
        case QImageReader::UnsupportedFormatError:
            return QStringLiteral("不是能识别的图片格式");
        case QImageReader::InvalidDataError:
            if (own.isValid() && qint64(own.width()) * own.height() > kMaxPicturePixels)
                return QStringLiteral("图片太大（%1×%2像素）").arg(own.width()).arg(own.height());
            return QStringLiteral("图片数据已损坏");
        default:
            return reader.errorString();
    }
}

}  // namespace

QSize PictureReadSize(QSize own, QSize fit) {
    if (!own.isValid() || own.isEmpty()) return own;
    double k = 1;
    if (fit.isValid() && !fit.isEmpty())
        k = std::min(
            1.0, std::max(double(fit.width()) / own.width(), double(fit.height()) / own.height()));
    // Covering `fit`, each side is rounded up (a side that is whole already stays).
    auto up = [k](int side) { return std::max(1, int(std::ceil(side * k - 1e-9))); };
    QSize size(up(own.width()), up(own.height()));
    if (qint64(size.width()) * size.height() <= kMaxPicturePixels) return size;
    // Within the bound, each side is rounded down, so that the bound is never passed.
    const double b = std::sqrt(double(kMaxPicturePixels) / (double(own.width()) * own.height()));
    int w = std::max(1, int(std::floor(own.width() * b)));
    int h = std::max(1, int(std::floor(own.height() * b)));
    if (qint64(w) * h > kMaxPicturePixels) {  // a picture one pixel across or down
        if (w >= h)
            w = std::max<qint64>(1, kMaxPicturePixels / h);
        else
            h = std::max<qint64>(1, kMaxPicturePixels / w);
    }
    return QSize(w, h);
}

PictureRead ReadPicture(const QString& path, QSize fit) {
    PictureRead out;
    // Only a regular file is opened, without waiting: a FIFO in the picture's place would
    // hold the program for good.
    QFile file;
    if (!OpenRegularFile(file, path, &out.cause)) return out;
    if (PictureCutOff(file)) {
        out.cause = QStringLiteral("图片文件不完整");
        return out;
    }
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    // The size as shown, once turned; the reader scales the picture as stored.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    QSize own = reader.size();
    if (turned) own.transpose();
    const QSize size = PictureReadSize(own, fit);
    if (size != own) {
        reader.setScaledSize(turned ? size.transposed() : size);
        out.reduced = true;
    }
    out.image = reader.read();
    if (out.image.isNull()) {
        out.reduced = false;
        out.cause = Cause(reader, own);
    }
    return out;
}

}  // namespace bw
