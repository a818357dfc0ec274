#include "barcode/FiniteField.h"

#include <cmath>
#include <vector>

namespace bw {

bool clsFiniteField::Init(long q, long polynomial, long generator) {
    if (q < 2 || q > kMaxOrder) return false;
    if (q == 2) {
        order_ = 2;
        polynomial_ = 2;
        generator_ = 1;
        binary_ = true;
        log_[0] = log_[1] = 0;
        exp_[0] = exp_[1] = 1;
        return true;
    }
    const bool binary = (q & (q - 1)) == 0;
    if (binary && polynomial == 0) return false;
    order_ = q;
    polynomial_ = binary ? polynomial : q;
    binary_ = binary;
    long g = generator != 0 ? generator : FindGenerator();
    generator_ = g;
    log_[0] = 0;
    log_[1] = 0;
    exp_[0] = 1;
    exp_[q - 1] = 1;
    if (g <= 0 || g >= q) return true;  // no usable element: the tables stay as they are
    log_[g] = 1;
    exp_[1] = static_cast<std::int16_t>(g);
    long a = g;
    for (long i = 2; i <= q - 2; ++i) {
        a = MultiplyDirect(a, g);
        log_[a] = static_cast<std::int16_t>(i);
        exp_[i] = static_cast<std::int16_t>(a);
    }
    return true;
}

long clsFiniteField::FindGenerator() const {
    const long q = order_;
    if (q < 3) return 0;
    // The exponents (q - 1) / p for the distinct primes p of q - 1.
    std::vector<long> exponents;
    long n = q - 1;
    if (n % 2 == 0) {
        exponents.push_back((q - 1) / 2);
        while (n % 2 == 0) n /= 2;
    }
    long bound = std::lround(std::sqrt(static_cast<double>(n)) + 2);
    for (long p = 3; p <= bound && exponents.size() < 8; p += 2) {
        if (n % p != 0) continue;
        exponents.push_back((q - 1) / p);
        while (n % p == 0) n /= p;
        bound = std::lround(std::sqrt(static_cast<double>(n)) + 2);
    }
    if (n > 1 && exponents.size() < 8) exponents.push_back((q - 1) / n);

    for (long g = 2; g <= q - 1; ++g) {
        long squares[14];
        squares[0] = g;
        for (int i = 1; i < 14; ++i) squares[i] = MultiplyDirect(squares[i - 1], squares[i - 1]);
        bool primitive = true;
        for (long e : exponents) {
            long power = 1;
            for (int bit = 0; bit < 14; ++bit)
                if (e & (1L << bit)) power = MultiplyDirect(power, squares[bit]);
            if (power == 1) {
                primitive = false;
                break;
            }
        }
        if (primitive) return g;
    }
    return 0;
}

long clsFiniteField::Add(long a, long b) const {
    if (binary_) return a ^ b;
    long s = a + b;
    return s >= order_ ? s - order_ : s;
}

long clsFiniteField::Negate(long a) const {
    if (binary_ || a == 0) return a;
    return order_ - a;
}

long clsFiniteField::Subtract(long a, long b) const {
    if (binary_) return a ^ b;
    long d = a - b;
    return d < 0 ? d + order_ : d;
}

long clsFiniteField::Multiply(long a, long b) const {
    if (a == 0 || b == 0) return 0;
    long s = log_[a] + log_[b];
    if (s >= order_ - 1) s -= order_ - 1;
    return exp_[s];
}

long clsFiniteField::MultiplyDirect(long a, long b) const {
    if (a == 0 || b == 0) return 0;
    if (order_ == 2) return 1;
    if (!binary_) return (a * b) % order_;
    long r = 0;
    while (b != 0) {
        if (b & 1) r ^= a;
        b >>= 1;
        a <<= 1;
        if (a & order_) a = (a ^ polynomial_) & (order_ - 1);
    }
    return r;
}

long clsFiniteField::Inverse(long a) const {
    if (a == 0) return 0;
    return exp_[(order_ - 1) - log_[a]];
}

long clsFiniteField::InverseEuclid(long a) const {
    if (a == 0) return 0;
    if (order_ == 2) return 1;
    if (binary_) return 0;
    // Extended Euclid on (q, a): t ends as the inverse of a modulo q.
    long r0 = order_, r1 = a % order_;
    long t0 = 0, t1 = 1;
    while (r1 != 0) {
        long quotient = r0 / r1;
        long r2 = r0 - quotient * r1;
        r0 = r1;
        r1 = r2;
        long t2 = t0 - quotient * t1;
        t0 = t1;
        t1 = t2;
    }
    t0 %= order_;
    return t0 < 0 ? t0 + order_ : t0;
}

long clsFiniteField::Divide(long a, long b) const {
    if (a == 0 || b == 0) return 0;
    long d = log_[a] - log_[b];
    if (d < 0) d += order_ - 1;
    return exp_[d];
}

long clsFiniteField::DivideEuclid(long a, long b) const {
    if (a == 0 || b == 0) return 0;
    if (order_ == 2) return 1;
    if (binary_) return 0;
    return (InverseEuclid(b) * a) % order_;
}

long clsFiniteField::Exp(long n) const {
    const long period = order_ - 1;
    if (period <= 0) return 1;
    long r = n % period;
    if (r < 0) r += period;
    return exp_[r];
}

}  // namespace bw
