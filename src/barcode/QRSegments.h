#pragma once
// The data of a QR Code symbol as a bit stream: the bytes are cut into numeric,
// alphanumeric and byte segments by the cheapest choice (dynamic programming over the
// bytes), each segment written with its mode indicator and character count, then the
// terminator. The bytes are carried as they are, without a character-set indicator.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bw::qr {

enum class Mode : int { Byte = 0, Numeric = 1, Alphanumeric = 2 };

// 1 for the digits, 2 for the other characters of the alphanumeric set (capital letters,
// space and $ % * + - . / :), 0 for every other byte.
int CharClass(std::uint8_t b);
// The value of a character in the alphanumeric set (0 to 44), 0 for other bytes.
int AlnumValue(std::uint8_t b);

// Bits of the character-count field of a mode in a version (only its class 1-9, 10-26,
// 27-40 matters).
int CountBits(Mode mode, int version);

// A bit stream filled from the most significant bit of its first byte.
class BitBuffer {
public:
    void Clear() {
        bytes_.clear();
        bits_ = 0;
    }
    void Reserve(int bits) { bytes_.reserve(static_cast<size_t>(bits + 7) / 8); }
    // Appends the low `count` bits of value (count up to 24), most significant first.
    void Append(std::uint32_t value, int count);
    // Cuts the stream to `bits` bits (never longer).
    void Truncate(int bits);
    int Size() const { return bits_; }
    int Bit(int index) const { return (bytes_[index >> 3] >> (7 - (index & 7))) & 1; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    int bits_ = 0;
};

struct Segment {
    Mode mode;
    int start;  // first byte
    int count;  // characters (bytes)
};

// The segments of the cheapest encoding of the bytes for the version's class.
std::vector<Segment> ChooseSegments(const std::uint8_t* data, int length, int version);

// The bit count of the encoded bytes, segments plus the 4 terminator bits. Unless
// measureOnly, the segments and the terminator are also written into `bits` (from empty).
long EncodeData(BitBuffer* bits, const std::uint8_t* data, int length, int version,
                bool measureOnly);

}  // namespace bw::qr
