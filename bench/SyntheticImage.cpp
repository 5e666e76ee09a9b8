#include "SyntheticImage.h"

#include <algorithm>

namespace tarvex::bench {

namespace {

// A cheap, well-mixed hash of a pixel position: the noise and the shapes'
// placement come from it, so no state carries from row to row.
std::uint32_t mix(std::uint32_t a, std::uint32_t b, std::uint32_t seed) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    return h ^ (h >> 15);
}

std::uint8_t clampByte(std::int32_t v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

struct Disc {
    std::int64_t cx, cy, r2;
    std::int32_t tint[3];
};

// Five discs whose place, size and colour depend on the seed only.
void discsFor(std::int32_t w, std::int32_t h, std::uint32_t seed, Disc* discs) {
    for (std::uint32_t k = 0; k < 5; ++k) {
        const std::uint32_t a = mix(k, 1, seed), b = mix(k, 2, seed), c = mix(k, 3, seed);
        const std::int64_t r = 1 + static_cast<std::int64_t>(std::min(w, h)) * (5 + a % 20) / 100;
        discs[k] = {static_cast<std::int64_t>(b % static_cast<std::uint32_t>(w)),
                    static_cast<std::int64_t>(c % static_cast<std::uint32_t>(h)),
                    r * r,
                    {static_cast<std::int32_t>(a >> 8 & 0x7F) - 64,
                     static_cast<std::int32_t>(b >> 8 & 0x7F) - 64,
                     static_cast<std::int32_t>(c >> 8 & 0x7F) - 64}};
    }
}

}  // namespace

void photoLikeRow(std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t seed, bool alpha,
                  std::uint8_t* bgra) {
    Disc discs[5];
    discsFor(w, h, seed, discs);
    const std::int32_t gy = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * 255 / h);
    // Vertical stripes with hard edges cover a band in the middle third.
    const bool inBand = y > h / 3 && y < 2 * h / 3;
    for (std::int32_t x = 0; x < w; ++x, bgra += 4) {
        const std::int32_t gx = static_cast<std::int32_t>(static_cast<std::int64_t>(x) * 255 / w);
        std::int32_t red = gx;
        std::int32_t green = gy;
        std::int32_t blue = 255 - (gx + gy) / 2;
        if (inBand && (x / std::max(1, w / 64)) % 3 == 0) {
            red = 255 - red;
            blue = blue / 2;
        }
        for (const Disc& d : discs) {
            const std::int64_t dx = x - d.cx, dy = y - d.cy;
            if (dx * dx + dy * dy < d.r2) {
                red += d.tint[0];
                green += d.tint[1];
                blue += d.tint[2];
            }
        }
        const std::uint32_t n =
            mix(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed);
        const std::int32_t noise = static_cast<std::int32_t>(n % 25) - 12;
        bgra[0] = clampByte(blue + noise);
        bgra[1] = clampByte(green + static_cast<std::int32_t>(n >> 8 & 0xF) - 8);
        bgra[2] = clampByte(red + noise);
        std::uint8_t a = 255;
        if (alpha) {
            const std::int64_t dx = x - w / 2, dy = y - h / 2;
            const std::int64_t r = std::min(w, h) / 5;
            if (dx * dx + dy * dy < r * r)
                a = 0;
            else if (x > w / 2)
                a = clampByte(255 - (x - w / 2) * 255 / std::max(1, w / 2));
        }
        bgra[3] = a;
    }
}

bool fillPhotoLike(s::image::win::BufferedImage& image, std::int32_t w, std::int32_t h,
                   std::uint32_t seed, bool alpha) {
    image.setSize(0, 0);
    if (!image.reserve(w, h)) return false;
    image.setSize(w, h);
    image.setAlpha(alpha);
    for (std::int32_t y = 0; y < h; ++y) photoLikeRow(y, w, h, seed, alpha, image.getRow(y));
    return true;
}

}  // namespace tarvex::bench
