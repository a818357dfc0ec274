#pragma once
// Screen lengths in twips: 1440 per logical inch, so 15 per pixel at 96 dpi.

namespace bw {

inline constexpr int kTwipsPerPixel = 15;

inline int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}
inline double PixelsToTwipsF(double pixels) {
    return pixels * kTwipsPerPixel;
}
// Rounded to the nearest pixel.
inline int TwipsToPixels(double twips) {
    double p = twips / kTwipsPerPixel;
    return static_cast<int>(p >= 0 ? p + 0.5 : p - 0.5);
}
inline double TwipsToPixelsF(double twips) {
    return twips / kTwipsPerPixel;
}

}  // namespace bw
