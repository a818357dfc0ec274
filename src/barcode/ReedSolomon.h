#pragma once
// Check symbols of a systematic Reed-Solomon code over a finite field: the generator
// polynomial for a number of check symbols, and the remainder of a block of data symbols
// divided by it.

#include <array>
#include <cstdint>

#include "barcode/FiniteField.h"

namespace bw {

class clsReedSolomon {
public:
    static constexpr int kMaxSymbols = 1024;

    const clsFiniteField* Field() const { return field_; }
    void SetField(const clsFiniteField* field) { field_ = field; }
    long Generator() const { return generator_; }
    void SetGenerator(long generator) { generator_ = generator; }
    long DataCount() const { return dataCount_; }
    long ECCount() const { return ecCount_; }
    long FirstRoot() const { return firstRoot_; }
    // Coefficient i (0 to 1023) of the generator polynomial, lowest degree first.
    long GeneratorCoef(int i) const { return (i >= 0 && i < kMaxSymbols) ? coef_[i] : 0; }

    // Builds the generator polynomial (x - a^f)(x - a^(f+1))...(x - a^(f+ecCount-1)) for the
    // root base a = generator (0: the current one, then the field's own) and first root f.
    // A null field keeps the current one. False, with nothing changed, for counts out of
    // range, a missing field or root base, or a negative first root.
    bool Init(long dataCount, long ecCount, const clsFiniteField* field, long generator,
              long firstRoot);

    // symbols[ecCount .. ecCount + dataCount - 1] hold the data, the highest degree at the
    // highest index; on return symbols[0 .. ecCount - 1] hold the check symbols, the highest
    // degree at index ecCount - 1. The array must hold dataCount + ecCount entries.
    void Encode(long* symbols) const;

    // The same over bytes of GF(256)-like binary fields in code-word order: `data` (first
    // symbol = highest degree) gives `ecCount` check bytes into `check`, first = highest
    // degree. Used by the QR encoder on whole blocks.
    void EncodeBytes(const std::uint8_t* data, int count, std::uint8_t* check) const;

private:
    const clsFiniteField* field_ = nullptr;
    long dataCount_ = 0;
    long ecCount_ = 0;
    long generator_ = 0;
    long firstRoot_ = 0;
    std::array<long, kMaxSymbols> coef_{};
    // Logarithms of the coefficients (binary fields), -1 for a zero coefficient.
    std::array<int, kMaxSymbols> coefLog_{};
};

}  // namespace bw
