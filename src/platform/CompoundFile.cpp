#include "platform/CompoundFile.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace bw {

namespace {

// A file larger than this is not read as a workbook (Excel 97-2003 files stay far below).
constexpr qint64 kMaxFileSize = qint64(512) * 1024 * 1024;

const char kMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr int kHeaderSize = 512;
constexpr int kEntrySize = 128;
constexpr int kHeaderFatSlots = 109;  // FAT sector numbers held in the header itself

// Special sector numbers of the allocation tables, and "no entry" in the directory.
constexpr quint32 kFreeSector = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kDifatSector = 0xFFFFFFFC;
constexpr quint32 kNoEntry = 0xFFFFFFFF;

enum EntryType { kStreamEntry = 2, kRootEntry = 5 };

// Header fields (byte offsets).
enum Header {
    kMajorVersion = 0x1A,
    kByteOrder = 0x1C,
    kSectorShift = 0x1E,
    kMiniSectorShift = 0x20,
    kFatSectorCount = 0x2C,
    kFirstDirSector = 0x30,
    kMiniCutoff = 0x38,
    kFirstMiniFatSector = 0x3C,
    kMiniFatSectorCount = 0x40,
    kFirstDifatSector = 0x44,
    kDifatSectorCount = 0x48,
    kHeaderFat = 0x4C,
};

// Directory entry fields (byte offsets within the entry).
enum Entry {
    kNameLength = 0x40,
    kType = 0x42,
    kColor = 0x43,
    kLeft = 0x44,
    kRight = 0x48,
    kChild = 0x4C,
    kStart = 0x74,
    kSize = 0x78,
};

quint32 Get32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}
quint16 Get16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint16(u[0] | u[1] << 8);
}
void Put32(char* p, quint32 v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (8 * i));
}
void Put16(char* p, quint16 v) {
    p[0] = static_cast<char>(v);
    p[1] = static_cast<char>(v >> 8);
}

struct Broken {};

// Follows a chain through `table` from `start` over `units` addressable units and returns its
// links: `need` of them, or up to the end-of-chain mark when `need` is negative. Throws on a
// link outside the units or the table, a unit met twice (a loop), or a chain shorter than
// `need`; the time spent is thus bounded by `units`.
std::vector<quint32> Walk(const std::vector<quint32>& table, quint32 start, qint64 units,
                          qint64 need) {
    std::vector<quint32> links;
    std::vector<bool> seen(static_cast<std::size_t>(units));
    quint32 s = start;
    while (need < 0 || qint64(links.size()) < need) {
        if (s == kEndOfChain && need < 0) break;
        if (s >= units || s >= table.size() || seen[s]) throw Broken{};
        seen[s] = true;
        links.push_back(s);
        s = table[s];
    }
    return links;
}

// The compound file read whole into memory, padded with zeros to full sectors.
class Image {
public:
    Image(QByteArray bytes, qint64 fileSize) : b_(std::move(bytes)) {
        if (fileSize < kHeaderSize) throw Broken{};
        const int shift = Get16(at(kSectorShift));
        if ((shift != 9 && shift != 12) || Get16(at(kMiniSectorShift)) != 6 ||
            Get16(at(kByteOrder)) != 0xFFFE)
            throw Broken{};
        sectorSize_ = 1 << shift;
        wideSizes_ = Get16(at(kMajorVersion)) >= 4;
        sectors_ = (fileSize + sectorSize_ - 1) / sectorSize_ - 1;
        readFat();
        readDirectory();
    }

    // The streams directly in the root storage, in directory order of the tree.
    std::vector<quint32> rootStreams() const {
        std::vector<quint32> found;
        std::vector<bool> seen(entries());
        std::vector<quint32> pending{Get32(entry(0) + kChild)};
        while (!pending.empty()) {
            const quint32 id = pending.back();
            pending.pop_back();
            if (id == kNoEntry) continue;
            if (id >= entries() || seen[id]) throw Broken{};
            seen[id] = true;
            const char* e = entry(id);
            if (static_cast<unsigned char>(e[kType]) == kStreamEntry) found.push_back(id);
            pending.push_back(Get32(e + kRight));
            pending.push_back(Get32(e + kLeft));
        }
        return found;
    }

    QString name(quint32 id) const {
        const char* e = entry(id);
        const int chars = std::min<int>(Get16(e + kNameLength), 64) / 2;
        QString n;
        for (int i = 0; i < chars; ++i) {
            const QChar c(Get16(e + 2 * i));
            if (c.isNull()) break;
            n += c;
        }
        return n;
    }

    QByteArray content(quint32 id) const {
        const char* e = entry(id);
        const qint64 size = entrySize(e);
        if (size == 0) return {};
        if (size >= Get32(at(kMiniCutoff))) return readChain(Get32(e + kStart), size);

        // A small stream: in mini sectors of the root entry's mini stream.
        const qint64 ministreamSize = entrySize(entry(0));
        const QByteArray ministream = readChain(Get32(entry(0) + kStart), ministreamSize);
        const std::vector<quint32> miniFat =
            table(Walk(fat_, Get32(at(kFirstMiniFatSector)), sectors_, -1));
        const auto links = Walk(miniFat, Get32(e + kStart), ministreamSize / 64, (size + 63) / 64);
        QByteArray out(size, Qt::Uninitialized);
        for (std::size_t i = 0; i < links.size(); ++i) {
            const qint64 n = std::min<qint64>(64, size - qint64(i) * 64);
            std::memcpy(out.data() + i * 64, ministream.constData() + qint64(links[i]) * 64, n);
        }
        return out;
    }

private:
    const char* at(qint64 offset) const { return b_.constData() + offset; }
    const char* sector(quint32 s) const { return at((qint64(s) + 1) * sectorSize_); }
    const char* entry(quint32 id) const { return dir_.constData() + qint64(id) * kEntrySize; }
    quint32 entries() const { return quint32(dir_.size() / kEntrySize); }

    // A stream's size from its entry; never more than the file holds.
    qint64 entrySize(const char* e) const {
        qint64 size = Get32(e + kSize);
        if (wideSizes_) size |= qint64(Get32(e + kSize + 4)) << 32;
        if (size < 0 || size > b_.size()) throw Broken{};
        return size;
    }

    // The 32-bit entries of the given sectors, one after the other.
    std::vector<quint32> table(const std::vector<quint32>& sectors) const {
        std::vector<quint32> t;
        t.reserve(sectors.size() * sectorSize_ / 4);
        for (quint32 s : sectors) {
            if (s >= sectors_) throw Broken{};
            for (int i = 0; i < sectorSize_; i += 4) t.push_back(Get32(sector(s) + i));
        }
        return t;
    }

    QByteArray readChain(quint32 start, qint64 size) const {
        const auto links = Walk(fat_, start, sectors_, (size + sectorSize_ - 1) / sectorSize_);
        QByteArray out(size, Qt::Uninitialized);
        for (std::size_t i = 0; i < links.size(); ++i) {
            const qint64 n = std::min<qint64>(sectorSize_, size - qint64(i) * sectorSize_);
            std::memcpy(out.data() + qint64(i) * sectorSize_, sector(links[i]), n);
        }
        return out;
    }

    void readFat() {
        const quint32 count = Get32(at(kFatSectorCount));
        if (count > sectors_) throw Broken{};
        std::vector<quint32> fatSectors;
        for (quint32 i = 0; i < std::min<quint32>(count, kHeaderFatSlots); ++i)
            fatSectors.push_back(Get32(at(kHeaderFat + 4 * i)));
        // The rest listed in DIFAT sectors, each ending with the number of the next one;
        // every one adds entries, so the walk ends after count / 127 steps at most.
        quint32 next = Get32(at(kFirstDifatSector));
        while (fatSectors.size() < count) {
            if (next >= sectors_) throw Broken{};
            const char* d = sector(next);
            for (int i = 0; i + 4 < sectorSize_ && fatSectors.size() < count; i += 4)
                fatSectors.push_back(Get32(d + i));
            next = Get32(d + sectorSize_ - 4);
        }
        fat_ = table(fatSectors);
    }

    void readDirectory() {
        const auto links = Walk(fat_, Get32(at(kFirstDirSector)), sectors_, -1);
        dir_.reserve(qint64(links.size()) * sectorSize_);
        for (quint32 s : links) dir_.append(sector(s), sectorSize_);
        if (entries() == 0 || entry(0)[kType] != kRootEntry) throw Broken{};
    }

    QByteArray b_;
    int sectorSize_ = 512;
    bool wideSizes_ = false;
    qint64 sectors_ = 0;
    std::vector<quint32> fat_;
    QByteArray dir_;
};

// One directory entry of a written file.
void PutEntry(char* e, const QString& name, int type, quint32 child, quint32 start, quint32 size) {
    for (int i = 0; i < name.size(); ++i) Put16(e + 2 * i, name[i].unicode());
    Put16(e + kNameLength, static_cast<quint16>(2 * (name.size() + 1)));
    e[kType] = static_cast<char>(type);
    e[kColor] = 1;  // black: a tree of one node
    Put32(e + kLeft, kNoEntry);
    Put32(e + kRight, kNoEntry);
    Put32(e + kChild, child);
    Put32(e + kStart, start);
    Put32(e + kSize, size);
}

// The whole file holding `data` as the stream `name`: 512-byte sectors laid out as the
// payload (the stream itself, or for a small stream the mini stream holding it), the mini
// FAT, the FAT, the DIFAT and the one directory sector. `data` itself is not copied: the
// result is the part before it (the header) and the part after it.
bool Layout(const QString& name, qint64 dataSize, QByteArray* head, QByteArray* tail) {
    constexpr qint64 kSector = 512, kPerSector = kSector / 4, kCutoff = 4096;
    if (name.isEmpty() || name.size() > 31 ||
        std::any_of(name.begin(), name.end(),
                    [](QChar c) { return QStringLiteral("/\\:!").contains(c); }) ||
        dataSize > qint64(0xFFFFFFFF) - kSector)
        return false;
    const bool mini = dataSize < kCutoff;
    const qint64 miniSectors = mini ? (dataSize + 63) / 64 : 0;
    const qint64 payloadBytes = mini ? miniSectors * 64 : dataSize;
    const qint64 payload = (payloadBytes + kSector - 1) / kSector;
    const qint64 miniFat = miniSectors > 0 ? 1 : 0;  // 64 entries at most
    qint64 fat = 1, difat = 0;
    for (;;) {  // the tables count themselves: grow them until they cover everything
        const qint64 total = payload + miniFat + fat + difat + 1;
        const qint64 needFat = (total + kPerSector - 1) / kPerSector;
        const qint64 needDifat =
            needFat > kHeaderFatSlots
                ? (needFat - kHeaderFatSlots + kPerSector - 2) / (kPerSector - 1)
                : 0;
        if (needFat == fat && needDifat == difat) break;
        fat = needFat;
        difat = needDifat;
    }
    const quint32 firstMiniFat = quint32(payload), firstFat = quint32(payload + miniFat);
    const quint32 firstDifat = quint32(firstFat + fat), dirSector = quint32(firstDifat + difat);
    const quint32 streamStart = payloadBytes == 0 ? kEndOfChain : 0;

    *tail = QByteArray((payload * kSector - dataSize) + (miniFat + fat + difat + 1) * kSector, 0);
    char* t = tail->data() + (payload * kSector - dataSize);

    // The mini FAT: the stream's mini sectors one after the other.
    for (qint64 i = 0; i < miniFat * kPerSector; ++i)
        Put32(t + 4 * i, i + 1 < miniSectors    ? quint32(i + 1)
                         : i + 1 == miniSectors ? kEndOfChain
                                                : kFreeSector);
    t += miniFat * kSector;

    // The FAT: the payload chain, the mini FAT chain, then the tables' own sectors.
    std::vector<quint32> fatEntries(std::size_t(fat * kPerSector), kFreeSector);
    for (qint64 i = 0; i < payload; ++i)
        fatEntries[i] = i + 1 < payload ? quint32(i + 1) : kEndOfChain;
    if (miniFat) fatEntries[firstMiniFat] = kEndOfChain;
    for (qint64 i = 0; i < fat; ++i) fatEntries[firstFat + i] = kFatSector;
    for (qint64 i = 0; i < difat; ++i) fatEntries[firstDifat + i] = kDifatSector;
    fatEntries[dirSector] = kEndOfChain;
    for (std::size_t i = 0; i < fatEntries.size(); ++i) Put32(t + 4 * i, fatEntries[i]);
    t += fat * kSector;

    // The DIFAT sectors: the FAT sectors the header has no room for.
    std::vector<quint32> difatEntries(std::size_t(difat * kPerSector), kFreeSector);
    for (qint64 i = kHeaderFatSlots; i < fat; ++i) {
        const qint64 k = i - kHeaderFatSlots;
        difatEntries[k / (kPerSector - 1) * kPerSector + k % (kPerSector - 1)] =
            quint32(firstFat + i);
    }
    for (qint64 d = 0; d < difat; ++d)
        difatEntries[d * kPerSector + kPerSector - 1] =
            d + 1 < difat ? quint32(firstDifat + d + 1) : kEndOfChain;
    for (std::size_t i = 0; i < difatEntries.size(); ++i) Put32(t + 4 * i, difatEntries[i]);
    t += difat * kSector;

    // The directory: the root entry, the stream and two unused entries.
    PutEntry(t, QStringLiteral("Root Entry"), kRootEntry, 1, mini && payload ? 0 : kEndOfChain,
             mini ? quint32(payloadBytes) : 0);
    PutEntry(t + kEntrySize, name, kStreamEntry, kNoEntry, streamStart, quint32(dataSize));
    for (int i = 2; i < 4; ++i) {
        Put32(t + i * kEntrySize + kLeft, kNoEntry);
        Put32(t + i * kEntrySize + kRight, kNoEntry);
        Put32(t + i * kEntrySize + kChild, kNoEntry);
    }

    *head = QByteArray(kHeaderSize, 0);
    char* h = head->data();
    std::memcpy(h, kMagic, 8);
    Put16(h + 0x18, 0x3E);  // minor version
    Put16(h + kMajorVersion, 3);
    Put16(h + kByteOrder, 0xFFFE);
    Put16(h + kSectorShift, 9);
    Put16(h + kMiniSectorShift, 6);
    Put32(h + kFatSectorCount, quint32(fat));
    Put32(h + kFirstDirSector, dirSector);
    Put32(h + kMiniCutoff, kCutoff);
    Put32(h + kFirstMiniFatSector, miniFat ? firstMiniFat : kEndOfChain);
    Put32(h + kMiniFatSectorCount, quint32(miniFat));
    Put32(h + kFirstDifatSector, difat ? firstDifat : kEndOfChain);
    Put32(h + kDifatSectorCount, quint32(difat));
    for (int i = 0; i < kHeaderFatSlots; ++i)
        Put32(h + kHeaderFat + 4 * i, i < fat ? quint32(firstFat + i) : kFreeSector);
    return true;
}

}  // namespace

CompoundStatus ReadCompoundStream(const QString& path, const QStringList& names, QByteArray* data,
                                  QString* found) {
    data->clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return CompoundStatus::CannotOpen;
    const qint64 size = f.size();
    if (size > kMaxFileSize) return CompoundStatus::Damaged;
    // Whole 4096-byte blocks, so that any sector that starts in the file can be read whole.
    QByteArray bytes((size + 4095) / 4096 * 4096, 0);
    if (f.read(bytes.data(), size) != size) return CompoundStatus::CannotOpen;
    if (size < 8 || std::memcmp(bytes.constData(), kMagic, 8) != 0)
        return CompoundStatus::NotCompound;

    try {
        const Image image(std::move(bytes), size);
        const std::vector<quint32> streams = image.rootStreams();
        for (const QString& want : names) {
            for (quint32 id : streams) {
                const QString name = image.name(id);
                if (name.compare(want, Qt::CaseInsensitive) != 0) continue;
                *data = image.content(id);
                if (found) *found = name;
                return CompoundStatus::Ok;
            }
        }
    } catch (const Broken&) {
        data->clear();
        return CompoundStatus::Damaged;
    } catch (const std::bad_alloc&) {
        data->clear();
        return CompoundStatus::Damaged;
    }
    return CompoundStatus::NoStream;
}

bool WriteCompoundFile(const QString& path, const QString& streamName, const QByteArray& data) {
    return WriteCompoundFile(path, streamName,
                             [&data](const CompoundStreamWriter& write) { return write(data); });
}

bool WriteCompoundFile(const QString& path, const QString& streamName,
                       const std::function<bool(const CompoundStreamWriter& write)>& produce) {
    QByteArray head, tail;
    if (!Layout(streamName, 0, &head, &tail)) return false;  // the name is checked first
    const QString tmp = path + QStringLiteral(".TMP");
    bool ok = false;
    {
        QFile out(tmp);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        // The stream follows the header, which is written last: it depends on the size.
        qint64 size = 0;
        ok = out.write(head) == head.size() && produce([&out, &size](QByteArrayView piece) {
                 size += piece.size();
                 return out.write(piece.data(), piece.size()) == piece.size();
             });
        ok = ok && Layout(streamName, size, &head, &tail) && out.write(tail) == tail.size() &&
             out.seek(0) && out.write(head) == head.size() && out.flush();
        out.close();
        ok = ok && out.error() == QFileDevice::NoError;
    }
    if (ok)
        ok = std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) ==
             0;
    if (!ok) QFile::remove(tmp);
    return ok;
}

}  // namespace bw
