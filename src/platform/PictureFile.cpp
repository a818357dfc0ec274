#include "platform/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace bw {

namespace {

QString Cause(const QImageReader& reader, const QString& path, QSize own) {
    if (!QFileInfo(path).isFile()) return QStringLiteral("文件不存在");
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

PictureRead ReadPicture(const QString& path, QSize fit) {
    PictureRead out;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // The size as shown, once turned; the reader scales the picture as stored.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    QSize own = reader.size();
    if (turned) own.transpose();
    if (own.isValid() && !own.isEmpty()) {
        double k = 1;
        if (fit.isValid() && !fit.isEmpty())
            k = std::min(1.0, std::max(double(fit.width()) / own.width(),
                                       double(fit.height()) / own.height()));
        const double pixels = double(own.width()) * own.height() * k * k;
        if (pixels > double(kMaxPicturePixels)) k *= std::sqrt(double(kMaxPicturePixels) / pixels);
        if (k < 1) {
            QSize scaled(std::max(1, int(std::ceil(own.width() * k))),
                         std::max(1, int(std::ceil(own.height() * k))));
            if (turned) scaled.transpose();
            reader.setScaledSize(scaled);
            out.reduced = true;
        }
    }
    out.image = reader.read();
    if (out.image.isNull()) {
        out.reduced = false;
        out.cause = Cause(reader, path, own);
    }
    return out;
}

}  // namespace bw
