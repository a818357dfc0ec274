#include "barcode/QRSegments.h"

#include <algorithm>
#include <cstring>

namespace bw::qr {

namespace {

constexpr int kModes = 3;
constexpr long long kNever = 1LL << 60;  // the cost of a state whose mode is not allowed
constexpr int kIndicator[kModes] = {0x4, 0x1, 0x2};
constexpr int kFirstCost[kModes] = {8, 4, 6};

int VersionClass(int version) {
    return version <= 9 ? 0 : (version <= 26 ? 1 : 2);
}

// The character class of every byte value.
struct ClassTable {
    std::uint8_t cls[256];
    ClassTable() {
        for (int b = 0; b < 256; ++b)
            cls[b] = static_cast<std::uint8_t>(CharClass(static_cast<std::uint8_t>(b)));
    }
};

const ClassTable& Classes() {
    static const ClassTable table;
    return table;
}

// Whether a byte of the class may stand in the mode.
inline bool Allowed(int mode, int cls) {
    return mode == 0 || (mode == 1 ? cls == 1 : cls != 0);
}

// Bits that one more character adds to a segment already holding `run` characters.
int ContinueCost(int mode, long run) {
    switch (mode) {
        case 0:
            return 8;
        case 1:
            return 3 + (run % 3 == 0 ? 1 : 0);
        default:
            return 5 + (run % 2 == 0 ? 1 : 0);
    }
}

// The cheapest mode for every byte; returns the total segment bits.
long long ChooseModes(const std::uint8_t* data, int length, int version,
                      std::vector<std::uint8_t>* modes) {
    if (length <= 0) return 0;
    int width[kModes];
    long maxCount[kModes];
    for (int m = 0; m < kModes; ++m) {
        width[m] = CountBits(static_cast<Mode>(m), version);
        maxCount[m] = (1L << width[m]) - 1;
    }
    const std::uint8_t* cls = Classes().cls;
    long long cost[kModes];
    long run[kModes];
    std::vector<std::uint8_t> prev;
    if (modes) prev.assign(static_cast<size_t>(length) * kModes, 0);
    for (int m = 0; m < kModes; ++m) {
        if (Allowed(m, cls[data[0]])) {
            cost[m] = 4 + width[m] + kFirstCost[m];
            run[m] = 1;
        } else {
            cost[m] = kNever;
            run[m] = 0;
        }
    }
    for (int i = 1; i < length; ++i) {
        long long nextCost[kModes];
        long nextRun[kModes];
        for (int m = 0; m < kModes; ++m) {
            nextCost[m] = kNever;
            nextRun[m] = 0;
            if (!Allowed(m, cls[data[i]])) continue;
            int best = 0;
            bool bestContinues = false;
            for (int k = 0; k < kModes; ++k) {
                if (cost[k] >= kNever) continue;
                const bool continues = (k == m && run[k] < maxCount[m]);
                long long candidate =
                    cost[k] + (continues ? ContinueCost(m, run[k]) : 4 + width[m] + kFirstCost[m]);
                if (candidate < nextCost[m]) {
                    nextCost[m] = candidate;
                    best = k;
                    bestContinues = continues;
                }
            }
            nextRun[m] = bestContinues ? run[best] + 1 : 1;
            if (modes) prev[static_cast<size_t>(i) * kModes + m] = static_cast<std::uint8_t>(best);
        }
        std::memcpy(cost, nextCost, sizeof cost);
        std::memcpy(run, nextRun, sizeof run);
    }
    int winner = 0;
    for (int m = 1; m < kModes; ++m)
        if (cost[m] < cost[winner]) winner = m;
    if (modes) {
        modes->assign(static_cast<size_t>(length), 0);
        int m = winner;
        for (int i = length - 1; i >= 0; --i) {
            (*modes)[i] = static_cast<std::uint8_t>(m);
            m = prev[static_cast<size_t>(i) * kModes + m];
        }
    }
    return cost[winner];
}

}  // namespace

int CharClass(std::uint8_t b) {
    if (b >= '0' && b <= '9') return 1;
    if (b >= 'A' && b <= 'Z') return 2;
    switch (b) {
        case ' ':
        case '$':
        case '%':
        case '*':
        case '+':
        case '-':
        case '.':
        case '/':
        case ':':
            return 2;
        default:
            return 0;
    }
}

int AlnumValue(std::uint8_t b) {
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'A' && b <= 'Z') return b - 'A' + 10;
    switch (b) {
        case ' ':
            return 36;
        case '$':
            return 37;
        case '%':
            return 38;
        case '*':
            return 39;
        case '+':
            return 40;
        case '-':
            return 41;
        case '.':
            return 42;
        case '/':
            return 43;
        case ':':
            return 44;
        default:
            return 0;
    }
}

int CountBits(Mode mode, int version) {
    static constexpr int kBits[3][kModes] = {{8, 10, 9}, {16, 12, 11}, {16, 14, 13}};
    return kBits[VersionClass(version)][static_cast<int>(mode)];
}

void BitBuffer::Append(std::uint32_t value, int count) {
    value &= (count >= 32) ? 0xFFFFFFFFu : ((1u << count) - 1);
    while (count > 0) {
        const int used = bits_ & 7;
        if (used == 0) bytes_.push_back(0);
        const int take = std::min(8 - used, count);  // bits that go into the last byte
        const std::uint32_t part = (value >> (count - take)) & ((1u << take) - 1);
        bytes_.back() |= static_cast<std::uint8_t>(part << (8 - used - take));
        bits_ += take;
        count -= take;
    }
}

void BitBuffer::Truncate(int bits) {
    if (bits >= bits_) return;
    bits_ = std::max(bits, 0);
    bytes_.resize(static_cast<size_t>(bits_ + 7) / 8);
    if (bits_ & 7) bytes_.back() &= static_cast<std::uint8_t>(0xFF00 >> (bits_ & 7));
}

std::vector<Segment> ChooseSegments(const std::uint8_t* data, int length, int version) {
    std::vector<Segment> segments;
    if (length <= 0) return segments;
    std::vector<std::uint8_t> modes;
    ChooseModes(data, length, version, &modes);
    int i = 0;
    while (i < length) {
        const int m = modes[i];
        const long maxCount = (1L << CountBits(static_cast<Mode>(m), version)) - 1;
        int j = i;
        while (j < length && modes[j] == m && j - i < maxCount) ++j;
        segments.push_back({static_cast<Mode>(m), i, j - i});
        i = j;
    }
    return segments;
}

long EncodeData(BitBuffer* bits, const std::uint8_t* data, int length, int version,
                bool measureOnly) {
    if (measureOnly || !bits) {
        long long total = length > 0 ? ChooseModes(data, length, version, nullptr) : 0;
        return static_cast<long>(std::min<long long>(total + 4, 1L << 30));
    }
    bits->Clear();
    const std::vector<Segment> segments = ChooseSegments(data, length, version);
    for (const Segment& s : segments) {
        const int m = static_cast<int>(s.mode);
        bits->Append(kIndicator[m], 4);
        bits->Append(static_cast<std::uint32_t>(s.count), CountBits(s.mode, version));
        const std::uint8_t* p = data + s.start;
        switch (s.mode) {
            case Mode::Byte:
                for (int k = 0; k < s.count; ++k) bits->Append(p[k], 8);
                break;
            case Mode::Numeric: {
                int k = 0;
                for (; k + 3 <= s.count; k += 3)
                    bits->Append((p[k] - '0') * 100 + (p[k + 1] - '0') * 10 + (p[k + 2] - '0'), 10);
                if (s.count - k == 2) bits->Append((p[k] - '0') * 10 + (p[k + 1] - '0'), 7);
                if (s.count - k == 1) bits->Append(p[k] - '0', 4);
                break;
            }
            case Mode::Alphanumeric: {
                int k = 0;
                for (; k + 2 <= s.count; k += 2)
                    bits->Append(AlnumValue(p[k]) * 45 + AlnumValue(p[k + 1]), 11);
                if (s.count - k == 1) bits->Append(AlnumValue(p[k]), 6);
                break;
            }
        }
    }
    bits->Append(0, 4);
    return bits->Size();
}

}  // namespace bw::qr
