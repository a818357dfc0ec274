#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "barcode/QRCode.h"
#include "barcode/QRMask.h"

namespace bw {
namespace {

// The penalty rules written out plainly, module by module, to check the word-wide scorer.
long PlainPenalty(const std::vector<std::uint8_t>& m, int n) {
    auto at = [&](int x, int y) { return m[y * n + x] & 1; };
    auto lightAt = [&](int x, int y, bool row) {  // outside the symbol counts as light
        const int a = row ? x : y;
        if (a < 0 || a >= n) return true;
        return (row ? at(a, y) : at(x, a)) == 0;
    };
    long score = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const bool row = pass == 0;
        for (int line = 0; line < n; ++line) {
            auto get = [&](int k) { return row ? at(k, line) : at(line, k); };
            int run = 1;
            for (int k = 1; k <= n; ++k) {
                if (k < n && get(k) == get(k - 1)) {
                    ++run;
                    continue;
                }
                if (run >= 5) score += 3 + (run - 5);
                run = 1;
            }
            const int pattern[7] = {1, 0, 1, 1, 1, 0, 1};
            for (int k = 0; k + 7 <= n; ++k) {
                bool match = true;
                for (int t = 0; t < 7; ++t) match = match && get(k + t) == pattern[t];
                if (!match) continue;
                bool before = true, after = true;
                for (int t = 1; t <= 4; ++t) {
                    before =
                        before && (row ? lightAt(k - t, line, true) : lightAt(line, k - t, false));
                    after = after && (row ? lightAt(k + 6 + t, line, true)
                                          : lightAt(line, k + 6 + t, false));
                }
                if (before || after) score += 40;
            }
        }
    }
    for (int y = 0; y + 1 < n; ++y)
        for (int x = 0; x + 1 < n; ++x) {
            const int c = at(x, y);
            if (at(x + 1, y) == c && at(x, y + 1) == c && at(x + 1, y + 1) == c) score += 3;
        }
    long dark = 0;
    for (auto v : m) dark += v & 1;
    const long total = static_cast<long>(n) * n;
    score += 10 * (std::labs(dark * 20 - total * 10) / total);
    return score;
}

TEST(QRMask, WordScorerMatchesThePlainRules) {
    clsQRCode qr;
    std::mt19937 rng(11);
    for (int version : {1, 2, 10, 11, 12, 25, 40}) {
        std::string text(qr::DataCodewords(version, qr::LevelM) - 3, 'a');
        for (char& c : text) c = static_cast<char>('a' + rng() % 26);
        for (int mask = 0; mask < 8; ++mask) {
            const auto s = qr.Encode(reinterpret_cast<const std::uint8_t*>(text.data()),
                                     static_cast<int>(text.size()), version, qr::LevelM, mask);
            ASSERT_TRUE(s) << version;
            EXPECT_EQ(qr::PenaltyScore(s->modules.data(), s->size),
                      PlainPenalty(s->modules, s->size))
                << "version " << version << " mask " << mask;
        }
    }
    // Patterns at the edges: runs that touch the border, finder-like runs without room.
    for (int n : {21, 61, 64, 177}) {
        for (int trial = 0; trial < 3; ++trial) {
            std::vector<std::uint8_t> m(n * n);
            for (auto& v : m) v = (rng() % 7 < 4) ? 1 : 0;
            for (int k = 0; k < n; ++k) m[k] = (k % 11 < 7) ? "1011101"[k % 11] - '0' : 0;
            EXPECT_EQ(qr::PenaltyScore(m.data(), n), PlainPenalty(m, n)) << n;
        }
    }
}

TEST(QRMask, AutomaticMaskHasTheLowestPenalty) {
    clsQRCode qr;
    const std::string texts[] = {"https://example.com/bill?no=20240001", std::string(300, '8'),
                                 "进账单 No.123 金额 ￥1,234.50"};
    for (const std::string& text : texts) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        const int len = static_cast<int>(text.size());
        const auto chosen = qr.Encode(bytes, len, 0, qr::LevelL, -1);
        ASSERT_TRUE(chosen);
        long best = -1;
        int bestMask = -1;
        for (int mask = 0; mask < 8; ++mask) {
            const auto s = qr.Encode(bytes, len, 0, qr::LevelL, mask);
            const long p = PlainPenalty(s->modules, s->size);
            if (best < 0 || p < best) {
                best = p;
                bestMask = mask;
            }
            if (mask == chosen->mask) {
                EXPECT_EQ(s->modules, chosen->modules);
            }
        }
        EXPECT_EQ(chosen->mask, bestMask) << text;
    }
}

}  // namespace
}  // namespace bw
