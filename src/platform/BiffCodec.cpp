#include "platform/BiffCodec.h"

#include <QSysInfo>
#include <algorithm>
#include <memory>

#include <cmath>
#include <cstring>

namespace bw::biff {

RecordWalker::RecordWalker(const QByteArray& stream, qsizetype start) : s_(stream), pos_(start) {
    if (start < 0 || start > stream.size()) {
        pos_ = stream.size();
        damaged_ = true;
    }
}

bool RecordWalker::next(Record* r) {
    r->parts.clear();
    if (damaged_) return false;
    auto header = [&](std::uint16_t* id, std::uint16_t* len) {
        if (pos_ + 4 > s_.size()) return false;
        *id = Get16(s_, pos_);
        *len = Get16(s_, pos_ + 2);
        return true;
    };
    std::uint16_t id = 0;
    std::uint16_t len = 0;
    if (!header(&id, &len)) {
        if (pos_ < s_.size()) damaged_ = true;  // a few stray bytes: a cut record header
        return false;
    }
    if (pos_ + 4 + len > s_.size()) {
        damaged_ = true;
        return false;
    }
    r->id = id;
    r->offset = pos_;
    r->parts.emplace_back(s_.constData() + pos_ + 4, len);
    pos_ += 4 + len;
    while (header(&id, &len) && id == kContinue) {
        if (pos_ + 4 + len > s_.size()) {
            damaged_ = true;
            return false;
        }
        r->parts.emplace_back(s_.constData() + pos_ + 4, len);
        pos_ += 4 + len;
    }
    return true;
}

bool Cursor::normalise() {
    while (part_ < parts_->size() && pos_ >= (*parts_)[part_].size()) {
        ++part_;
        pos_ = 0;
    }
    return part_ < parts_->size();
}

qint64 Cursor::leftInPart() const {
    if (part_ >= parts_->size()) return 0;
    return (*parts_)[part_].size() - pos_;
}

qint64 Cursor::left() const {
    qint64 n = leftInPart();
    for (std::size_t i = part_ + 1; i < parts_->size(); ++i) n += (*parts_)[i].size();
    return n;
}

bool Cursor::bytes(void* dst, int n) {
    auto* d = static_cast<unsigned char*>(dst);
    for (int i = 0; i < n; ++i) {
        if (!ok_ || !normalise()) return fail();
        d[i] = static_cast<unsigned char>((*parts_)[part_][pos_++]);
    }
    return true;
}

bool Cursor::u8(std::uint8_t* v) {
    return bytes(v, 1);
}

bool Cursor::u16(std::uint16_t* v) {
    unsigned char b[2];
    if (!bytes(b, 2)) return false;
    *v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool Cursor::u32(std::uint32_t* v) {
    unsigned char b[4];
    if (!bytes(b, 4)) return false;
    *v = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
         (std::uint32_t(b[3]) << 24);
    return true;
}

bool Cursor::f64(double* v) {
    unsigned char b[8];
    if (!bytes(b, 8)) return false;
    std::uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = (u << 8) | b[i];
    std::memcpy(v, &u, 8);
    return true;
}

bool Cursor::skip(qint64 n) {
    if (!ok_) return false;
    if (n < 0 || n > left()) return fail();
    while (n > 0) {
        normalise();
        qint64 step = std::min<qint64>(n, leftInPart());
        pos_ += static_cast<qsizetype>(step);
        n -= step;
    }
    return true;
}

bool Cursor::xlChars(std::uint32_t count, std::uint8_t options, QString* out) {
    out->clear();
    bool wide = options & 0x01;
    while (count > 0) {
        if (!ok_) return false;
        if (leftInPart() == 0) {
            // The characters go on in the next part, which starts with a fresh option byte.
            if (part_ + 1 >= parts_->size()) return fail();
            ++part_;
            pos_ = 0;
            std::uint8_t opt = 0;
            if (!u8(&opt)) return false;
            wide = opt & 0x01;
        }
        QByteArrayView p = (*parts_)[part_];
        qint64 fit = leftInPart() / (wide ? 2 : 1);
        if (fit == 0) return fail();  // half a UTF-16 character at the end of a part
        auto n = static_cast<qsizetype>(std::min<qint64>(fit, count));
        const auto* src = reinterpret_cast<const unsigned char*>(p.data()) + pos_;
        qsizetype at = out->size();
        out->resize(at + n);
        QChar* dst = out->data() + at;
        for (qsizetype i = 0; i < n; ++i)
            dst[i] = wide ? QChar(char16_t(src[2 * i] | (src[2 * i + 1] << 8))) : QChar(src[i]);
        pos_ += n * (wide ? 2 : 1);
        count -= static_cast<std::uint32_t>(n);
    }
    return true;
}

bool Cursor::xlString(int lenSize, QString* out) {
    std::uint32_t count = 0;
    if (lenSize == 1) {
        std::uint8_t c = 0;
        if (!u8(&c)) return false;
        count = c;
    } else {
        std::uint16_t c = 0;
        if (!u16(&c)) return false;
        count = c;
    }
    std::uint8_t options = 0;
    if (!u8(&options)) return false;
    std::uint16_t runs = 0;
    std::uint32_t ext = 0;
    if ((options & 0x08) && !u16(&runs)) return false;
    if ((options & 0x04) && !u32(&ext)) return false;
    if (!xlChars(count, options, out)) return false;
    return skip(qint64(runs) * 4) && skip(ext);
}

bool Cursor::byteString(int lenSize, QByteArray* out) {
    std::uint32_t count = 0;
    if (lenSize == 1) {
        std::uint8_t c = 0;
        if (!u8(&c)) return false;
        count = c;
    } else {
        std::uint16_t c = 0;
        if (!u16(&c)) return false;
        count = c;
    }
    if (count > left()) return fail();
    out->resize(count);
    return bytes(out->data(), static_cast<int>(count));
}

std::uint16_t Get16(QByteArrayView b, qsizetype at) {
    if (at < 0 || at + 2 > b.size()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(b.data()) + at;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Get32(QByteArrayView b, qsizetype at) {
    if (at < 0 || at + 4 > b.size()) return 0;
    return Get16(b, at) | (std::uint32_t(Get16(b, at + 2)) << 16);
}

double GetF64(QByteArrayView b, qsizetype at) {
    if (at < 0 || at + 8 > b.size()) return 0;
    std::uint64_t u = Get32(b, at) | (std::uint64_t(Get32(b, at + 4)) << 32);
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

double DecodeRk(std::uint32_t rk) {
    double v;
    if (rk & 0x02) {
        v = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        std::uint64_t u = std::uint64_t(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &u, 8);
    }
    return (rk & 0x01) ? v / 100.0 : v;
}

void Put8(QByteArray& b, int v) {
    b.append(static_cast<char>(v & 0xFF));
}

void Put16(QByteArray& b, int v) {
    Put8(b, v);
    Put8(b, v >> 8);
}

void Put32(QByteArray& b, std::uint32_t v) {
    Put16(b, static_cast<int>(v & 0xFFFF));
    Put16(b, static_cast<int>(v >> 16));
}

void PutF64(QByteArray& b, double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    Put32(b, static_cast<std::uint32_t>(u));
    Put32(b, static_cast<std::uint32_t>(u >> 32));
}

void PutXlString(QByteArray& b, const QString& s, int lenSize) {
    if (lenSize == 1)
        Put8(b, static_cast<int>(s.size()));
    else
        Put16(b, static_cast<int>(s.size()));
    Put8(b, 0x01);
    for (QChar c : s) Put16(b, c.unicode());
}

void PutRecord(QByteArray& stream, std::uint16_t id, const QByteArray& body) {
    Put16(stream, id);
    Put16(stream, static_cast<int>(body.size()));
    stream.append(body);
}

namespace {

// A record body filled in place, at most kMaxBody bytes.
class Body {
public:
    qsizetype size() const { return size_; }
    qsizetype room() const { return kMaxBody - size_; }
    void put8(int v) { buf_[size_++] = static_cast<char>(v & 0xFF); }
    void put16(int v) {
        put8(v);
        put8(v >> 8);
    }
    void put32(std::uint32_t v) {
        put16(static_cast<int>(v & 0xFFFF));
        put16(static_cast<int>(v >> 16));
    }
    // UTF-16 code units, little-endian.
    void putUtf16(QStringView s) {
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            std::memcpy(buf_ + size_, s.utf16(), static_cast<size_t>(s.size()) * 2);
            size_ += s.size() * 2;
        } else {
            for (QChar c : s) put16(c.unicode());
        }
    }
    // Appends the record and empties the body.
    void flush(QByteArray& stream, std::uint16_t id) {
        PutRecord(stream, id, QByteArray::fromRawData(buf_, size_));
        size_ = 0;
    }

private:
    char buf_[kMaxBody];
    qsizetype size_ = 0;
};

}  // namespace

void PutSharedStrings(QByteArray& stream, const std::vector<SplitText>& strings,
                      std::uint32_t totalRefs) {
    const int perBucket = std::max<int>(8, static_cast<int>(strings.size() / 128) + 1);
    QByteArray ext;
    Put16(ext, perBucket);

    std::uint16_t id = kSst;
    auto body = std::make_unique<Body>();
    body->put32(totalRefs);
    body->put32(static_cast<std::uint32_t>(strings.size()));
    auto flush = [&] {
        body->flush(stream, id);
        id = kContinue;
    };
    for (size_t i = 0; i < strings.size(); ++i) {
        const SplitText& s = strings[i];
        const qsizetype size = s.size();
        if (body->size() + 3 + (size == 0 ? 0 : 2) > kMaxBody) flush();
        if (i % perBucket == 0) {
            Put32(ext, static_cast<std::uint32_t>(stream.size() + 4 + body->size()));
            Put16(ext, static_cast<int>(4 + body->size()));
            Put16(ext, 0);
        }
        body->put16(static_cast<int>(size));
        body->put8(0x01);
        qsizetype done = 0;
        while (done < size) {
            qsizetype room = body->room() / 2;
            if (room == 0) {
                flush();
                body->put8(0x01);  // the string goes on: a fresh option byte
                room = body->room() / 2;
            }
            const qsizetype n = std::min(room, size - done);
            // The n units from `done` on, across the two pieces.
            const qsizetype inHead = std::clamp<qsizetype>(s.head.size() - done, 0, n);
            if (inHead > 0) body->putUtf16(s.head.sliced(done, inHead));
            if (n > inHead)
                body->putUtf16(s.tail.sliced(done + inHead - s.head.size(), n - inHead));
            done += n;
        }
    }
    flush();
    PutRecord(stream, kExtSst, ext);
}

}  // namespace bw::biff
