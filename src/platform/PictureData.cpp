#include "platform/PictureData.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <vector>

namespace bw {

namespace {

// The file read forward a block at a time.
class Bytes {
public:
    explicit Bytes(QIODevice& file) : file_(file), block_(256 * 1024) {}

    // The next byte, or -1 at the end of the file.
    int get() {
        if (at_ == size_ && !fill()) return -1;
        return static_cast<unsigned char>(block_[at_++]);
    }
    // Skips `n` bytes; false when the file ends first.
    bool skip(qint64 n) {
        while (n > 0) {
            if (at_ == size_ && !fill()) return false;
            const qint64 step = std::min<qint64>(n, size_ - at_);
            at_ += step;
            n -= step;
        }
        return true;
    }
    // Moves past the next byte 0xFF; false when the file ends first.
    bool pastNextFF() {
        for (;;) {
            if (at_ == size_ && !fill()) return false;
            const void* ff = std::memchr(block_.data() + at_, 0xFF, size_t(size_ - at_));
            if (ff) {
                at_ = qint64(static_cast<const char*>(ff) - block_.data()) + 1;
                return true;
            }
            at_ = size_;
        }
    }
    // A number of two bytes, big-endian (JPEG) or little-endian; -1 at the end.
    int word(bool bigEndian) {
        const int a = get(), b = get();
        if (a < 0 || b < 0) return -1;
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    }
    qint64 dword() {
        qint64 v = 0;
        for (int i = 0; i < 4; ++i) {
            const int b = get();
            if (b < 0) return -1;
            v |= qint64(b) << (8 * i);
        }
        return v;
    }

private:
    bool fill() {
        const qint64 n = file_.read(block_.data(), qint64(block_.size()));
        at_ = 0;
        size_ = n > 0 ? n : 0;
        return size_ > 0;
    }
    QIODevice& file_;
    std::vector<char> block_;
    qint64 at_ = 0, size_ = 0;
};

// A JPEG file (after its start marker): true when a scan begins and the file ends before the
// end marker. Markers are read as they come; between them, within a scan, every 0xFF of the
// data is followed by 0 (a stuffed byte), a restart marker or fill bytes.
bool jpegCutOff(Bytes& in) {
    bool inScan = false;
    for (;;) {
        int marker;
        if (inScan) {
            if (!in.pastNextFF()) return true;
            marker = in.get();
            while (marker == 0xFF) marker = in.get();
            if (marker < 0) return true;
            if (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        } else {
            if (in.get() != 0xFF) return false;  // no marker where one belongs: the decoder judges
            marker = in.get();
            while (marker == 0xFF) marker = in.get();
            if (marker < 0) return false;
        }
        if (marker == 0xD9) return false;  // the end: the picture is whole
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
        const int length = in.word(true);
        if (length < 2 || !in.skip(length - 2)) return inScan;
        if (marker == 0xDA) inScan = true;
    }
}

// A GIF file (after its six-byte signature): true when the first image's data does not end
// within the file.
bool gifCutOff(Bytes& in) {
    auto colourTable = [](int flags) { return (flags & 0x80) ? 3 * (2 << (flags & 7)) : 0; };
    auto subBlocks = [&in]() {  // false when the file ends before their terminator
        for (;;) {
            const int n = in.get();
            if (n < 0) return false;
            if (n == 0) return true;
            if (!in.skip(n)) return false;
        }
    };
    if (!in.skip(4)) return true;
    const int flags = in.get();
    if (flags < 0 || !in.skip(2 + colourTable(flags))) return true;
    for (;;) {
        const int block = in.get();
        if (block < 0) return true;
        if (block == 0x21) {  // an extension: its label, then its data
            if (in.get() < 0 || !subBlocks()) return true;
        } else if (block == 0x2C) {  // the first image: its descriptor, table and data
            if (!in.skip(8)) return true;
            const int imageFlags = in.get();
            if (imageFlags < 0 || !in.skip(colourTable(imageFlags) + 1)) return true;
            return !subBlocks();
        } else {
            return false;  // the trailer, or no block the decoder would take
        }
    }
}

// A BMP file (after its two-byte signature): true when it is shorter than the rows its header
// gives, for the kinds of rows whose length the header tells (no compression, bit fields).
bool bmpCutOff(Bytes& in, qint64 fileSize) {
    if (!in.skip(8)) return true;
    const qint64 dataAt = in.dword(), headerSize = in.dword();
    if (dataAt < 0 || headerSize < 40) return false;  // an old header: the decoder judges
    const qint64 w = in.dword(), h = in.dword();
    const int planes = in.word(false), bits = in.word(false);
    const qint64 compression = in.dword();
    if (h < 0 || planes < 0 || bits <= 0 || compression < 0) return true;
    const qint64 height = h >= 0x80000000LL ? 0x100000000LL - h : h;  // top-down rows
    if (w <= 0 || w >= 0x80000000LL || height == 0 || bits > 64 ||
        (compression != 0 && compression != 3))
        return false;
    const qint64 row = (w * bits + 31) / 32 * 4;
    return double(fileSize) < double(dataAt) + double(row) * double(height);
}

}  // namespace

bool PictureCutOff(QIODevice& file) {
    if (file.isSequential()) return false;
    const qint64 start = file.pos();
    file.seek(0);
    Bytes in(file);
    bool cut = false;
    const int a = in.get(), b = in.get();
    if (a == 0xFF && b == 0xD8) {
        cut = jpegCutOff(in);
    } else if (a == 'G' && b == 'I' && in.get() == 'F' && in.skip(3)) {
        cut = gifCutOff(in);
    } else if (a == 'B' && b == 'M') {
        cut = bmpCutOff(in, file.size());
    }
    file.seek(start);
    return cut;
}

}  // namespace bw
