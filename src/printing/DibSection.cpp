#include "printing/DibSection.h"

#include <QBuffer>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <random>

#include "platform/SafeFiles.h"

namespace bw {

namespace {

std::mt19937& generator() {
    static std::mt19937 g(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    return g;
}

}  // namespace

bool DibSection::CopyToClipboard(bool asDib) const {
    if (asDib || image_.isNull()) return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setImage(image_);
    return true;
}

bool DibSection::Create(int width, int height) {
    ClearUp();
    if (width <= 0 || height <= 0) return false;
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull()) return false;
    image.fill(Qt::black);
    image_ = image;
    return true;
}

bool DibSection::CreateFromPicture(const QImage& picture) {
    if (picture.isNull() || !Create(picture.width(), picture.height())) return false;
    LoadPictureBlt(picture);
    return true;
}

void DibSection::LoadPictureBlt(const QImage& source, int srcLeft, int srcTop, int srcWidth,
                                int srcHeight) {
    if (image_.isNull() || source.isNull()) return;
    if (srcWidth < 0) srcWidth = width();
    if (srcHeight < 0) srcHeight = height();
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), source, QRect(srcLeft, srcTop, srcWidth, srcHeight));
}

void DibSection::PaintPicture(QPainter& painter, int destLeft, int destTop, int destWidth,
                              int destHeight, int srcLeft, int srcTop) const {
    if (image_.isNull()) return;
    if (destWidth < 0) destWidth = width();
    if (destHeight < 0) destHeight = height();
    painter.drawImage(QPoint(destLeft, destTop), image_,
                      QRect(srcLeft, srcTop, destWidth, destHeight));
}

uchar* DibSection::Bits() {
    return image_.isNull() ? nullptr : image_.bits();
}
const uchar* DibSection::Bits() const {
    return image_.isNull() ? nullptr : image_.constBits();
}

void DibSection::RandomiseBits(bool grey) {
    if (image_.isNull()) return;
    std::uniform_int_distribution<int> byte(0, 255);
    for (int y = 0; y < height(); ++y) {
        uchar* row = image_.scanLine(y);
        for (int x = 0; x < width(); ++x) {
            uchar* px = row + 3 * x;
            if (grey) {
                px[0] = px[1] = px[2] = static_cast<uchar>(byte(generator()));
            } else {
                px[0] = 0;
                px[1] = static_cast<uchar>(byte(generator()));
                px[2] = static_cast<uchar>(byte(generator()));
            }
        }
    }
}

DibSection DibSection::Resample(int newHeight, int newWidth) const {
    DibSection out;
    if (!out.Create(newWidth, newHeight) || image_.isNull()) return out;
    if (newWidth == width() && newHeight == height()) {
        out.LoadPictureBlt(image_);
        return out;
    }
    // The last source pixel read is always inside the old picture.
    const float xScale = float(width() - 1) / float(newWidth);
    const float yScale = float(height() - 1) / float(newHeight);
    auto at = [this](int x, int y, int c) {
        x = std::min(x, width() - 1);
        y = std::min(y, height() - 1);
        return float(image_.constScanLine(y)[3 * x + c]);
    };
    for (int y = 0; y < newHeight; ++y) {
        uchar* row = out.image_.scanLine(y);
        const float sy = y * yScale;
        const int iy = int(sy);
        const float fy = sy - iy;
        for (int x = 0; x < newWidth; ++x) {
            const float sx = x * xScale;
            const int ix = int(sx);
            const float fx = sx - ix;
            for (int c = 0; c < 3; ++c) {
                const float top = std::round((1 - fx) * at(ix, iy, c) + fx * at(ix + 1, iy, c));
                const float bottom =
                    std::round((1 - fx) * at(ix, iy + 1, c) + fx * at(ix + 1, iy + 1, c));
                row[3 * x + c] = static_cast<uchar>(std::lround((1 - fy) * top + fy * bottom));
            }
        }
    }
    return out;
}

bool SaveJPG(const DibSection& dib, const QString& fileName, int quality, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (dib.Image().isNull()) return fail(QStringLiteral("没有可保存的图片"));
    const QFileInfo old(fileName);
    const bool existed = old.isFile();
    const QFileDevice::Permissions permissions =
        existed ? old.permissions() : QFileDevice::Permissions();
    const QDateTime modified = existed ? old.lastModified() : QDateTime();

    // The picture is encoded in memory, then written under a temporary name beside the
    // target and checked on the disk (every byte there, flushed) before one rename puts it in
    // place: a disk that fills up costs neither the old file nor leaves a cut-off one.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpg");
        writer.setQuality(quality);
        if (!writer.write(dib.Image())) return fail(writer.errorString());
    }
    QString why;
    if (!WriteFileSafely(fileName, bytes, &why)) return fail(why);
    if (existed) {
        QFile f(fileName);
        f.setPermissions(permissions);
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(modified, QFileDevice::FileModificationTime);
    }
    return true;
}

QImage CaptureWindow(QWidget* window, bool client, int left, int top, int width, int height) {
    if (!window || width <= 0 || height <= 0) return QImage();
    QImage whole = window->grab().toImage();
    if (!client) {
        // The frame is drawn by the window system: the grab of the window is what it shows.
        return whole.copy(left, top, width, height);
    }
    return whole.copy(QRect(left, top, width, height).intersected(window->rect()));
}

QImage CaptureForm(QWidget* window) {
    if (!window) return QImage();
    return CaptureWindow(window, false, 0, 0, window->width(), window->height());
}

}  // namespace bw
