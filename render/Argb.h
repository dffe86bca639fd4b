#pragma once

#include <cstdint>

// A colour as 0xAARRGGBB, channels not premultiplied.
using ARGB = uint32_t;

constexpr int ArgbAlpha(ARGB c) { return int(c >> 24); }
constexpr int ArgbRed(ARGB c) { return int((c >> 16) & 0xFF); }
constexpr int ArgbGreen(ARGB c) { return int((c >> 8) & 0xFF); }
constexpr int ArgbBlue(ARGB c) { return int(c & 0xFF); }

// The colour with its alpha byte replaced by the low byte of alpha
// (so 256 acts as 0, as the design's opacities are meant).
constexpr ARGB ArgbWithAlpha(ARGB c, int alpha)
{
    return (ARGB(alpha & 0xFF) << 24) | (c & 0x00FFFFFF);
}
