#pragma once
// Picture output: a 24-bit bottom-up picture with rows padded to four bytes (blue, green, red
// per pixel), written as a JPEG file, and captures of windows.

#include <QImage>
#include <QString>

class QPainter;
class QWidget;

namespace bw {

class DibSection {
public:
    // Copies the picture to the clipboard; the device-independent form (asDib) is not offered
    // and gives false, as does an empty picture.
    bool CopyToClipboard(bool asDib = false) const;
    // A new picture of the size of `picture` holding it. False for a null picture.
    bool CreateFromPicture(const QImage& picture);
    // An empty (black) picture of width × height; any earlier picture is released first. False
    // (and empty) for a size that is not positive or cannot be allocated.
    bool Create(int width, int height);

    // (width × 3 + 3) with the two low bits cleared.
    int BytesPerScanLine() const { return (width() * 3 + 3) & ~3; }
    int Width() const { return width(); }
    int Height() const { return height(); }

    // Copies a part of `source` (from srcLeft, srcTop; a negative size means this picture's
    // own) into this picture at 0, 0.
    void LoadPictureBlt(const QImage& source, int srcLeft = 0, int srcTop = 0, int srcWidth = -1,
                        int srcHeight = -1);
    // Draws a part of this picture (from srcLeft, srcTop; a negative size means its own) at
    // destLeft, destTop.
    void PaintPicture(QPainter& painter, int destLeft = 0, int destTop = 0, int destWidth = -1,
                      int destHeight = -1, int srcLeft = 0, int srcTop = 0) const;

    // The pixel bytes, row by row from the top, BytesPerScanLine() bytes a row; null when empty.
    uchar* Bits();
    const uchar* Bits() const;

    // Random pixels: blue 0 with random green and red, or one random grey per pixel.
    void RandomiseBits(bool grey = false);
    // Releases the picture.
    void ClearUp() { image_ = QImage(); }
    // A new picture of the new size with this one scaled into it by bilinear interpolation
    // (the same size copies it unchanged).
    DibSection Resample(int newHeight, int newWidth) const;

    const QImage& Image() const { return image_; }

private:
    int width() const { return image_.isNull() ? 0 : image_.width(); }
    int height() const { return image_.isNull() ? 0 : image_.height(); }
    QImage image_;  // Format_BGR888: rows are 4-byte aligned, pixels blue, green, red
};

// Writes the picture as a JPEG file at the quality (0..100), whatever the file's extension
// says. The file is written under a temporary name beside the target, checked to hold every
// byte and flushed, and only then renamed over the target, so a failed write (a full disk)
// leaves an old file as it was and nothing half-written; a replaced file keeps its
// permissions and modification time. False on failure, with the reason in `error` when given
// (for a full disk "磁盘空间已满").
bool SaveJPG(const DibSection& dib, const QString& fileName, int quality, QString* error = nullptr);

// The window as it shows on the screen: the part from (left, top) of width × height of its
// client area (client) or of the whole window, and the whole window.
QImage CaptureWindow(QWidget* window, bool client, int left, int top, int width, int height);
QImage CaptureForm(QWidget* window);

}  // namespace bw
