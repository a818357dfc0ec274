#pragma once
// The values a new bill gets by itself: the next running number, dates in the format's own
// pattern and the random codes of the invoice password zone.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <random>

#include "store/PsdPara.h"

namespace bw {

class ConversionContext;

// The next running number: the digits at the end of the text count up by one and keep
// their width ("A0099" gives "A0100", "999" gives "1000"); a text that does not end in a
// digit comes back unchanged.
QString IncrementCode(const QString& text);

// The date in the custom pattern of the open format for the data type (119 or 133); without
// a pattern, the date's default text. A "/" or "\" in the pattern turns every "-" of the
// result into that character. A faulty pattern is shown to the user and gives "".
QString CustomDateText(const QDateTime& date, int code, const ConversionContext& ctx);
QString CustomDateText(const QDateTime& date, const QString& pattern);

// Uniform numbers in [0, 1) in single precision from one seeded generator.
class RandomCodeSource {
public:
    explicit RandomCodeSource(std::uint64_t seed) : engine_(seed) {}
    float Next();

private:
    std::mt19937_64 engine_;
};

// year + month + day + hour + minute + second of the moment (2013-04-11 09:30:15 gives 2082).
std::uint64_t DateTimeSeed(const QDateTime& when);

// Longest code drawn at once, whatever the settings say.
constexpr int kMaxPsdChars = 10000;

// One new code: `segments` runs of `perSegment` characters drawn from the character set,
// the separator between the runs.
QString CreateRandomPsd(const PsdPara& para, RandomCodeSource& source);
// The same with the open format's settings and the program's generator, seeded once, on
// first use, from the clock and an entropy value: codes drawn in the same second differ.
QString CreateRandomPsd();

}  // namespace bw
