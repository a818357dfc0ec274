#pragma once
// Arithmetic in one finite field GF(q), q up to 16384: a binary field GF(2^m) when q is a
// power of two (elements are bit patterns, addition is exclusive or, products are reduced
// by a polynomial), otherwise the integers modulo the prime q. Products and quotients go
// through logarithm tables built from a primitive element; the direct forms serve to build
// the tables and to check them.

#include <array>
#include <cstdint>

namespace bw {

class clsFiniteField {
public:
    static constexpr int kMaxOrder = 16384;

    long Order() const { return order_; }
    long Polynomial() const { return polynomial_; }
    long Generator() const { return generator_; }

    // Builds the field: q the order, polynomial the reduction polynomial of a binary field
    // (with its x^m bit; ignored for a prime field), generator the primitive element or 0 to
    // find the smallest one. False, with the field unchanged, for an order outside 2..16384
    // or a binary field without a polynomial.
    bool Init(long q, long polynomial, long generator);
    // The smallest primitive element of the field as set up, or 0.
    long FindGenerator() const;

    long Add(long a, long b) const;
    long Negate(long a) const;
    long Subtract(long a, long b) const;
    long Multiply(long a, long b) const;
    long MultiplyDirect(long a, long b) const;
    long Inverse(long a) const;
    long InverseEuclid(long a) const;
    long Divide(long a, long b) const;
    long DivideEuclid(long a, long b) const;
    long Log(long a) const { return log_[a]; }
    long Exp(long n) const;
    // The antilogarithm table's entry i (0 <= i < q), without reduction of the exponent.
    long ExpEntry(long i) const { return exp_[i]; }

    bool IsBinary() const { return binary_; }

private:
    long order_ = 0;
    long polynomial_ = 0;
    long generator_ = 0;
    bool binary_ = false;
    std::array<std::int16_t, kMaxOrder> log_{};
    std::array<std::int16_t, kMaxOrder> exp_{};
};

}  // namespace bw
