// SPDX-License-Identifier: GPL-3.0-or-later
#include "Noise.h"

#include <cmath>

namespace noise
{

uint32_t hash(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B9u;
    h ^= uint32_t(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double unit(int32_t x, int32_t y, uint32_t seed)
{
    return hash(x, y, seed) / 4294967296.0;
}

namespace
{

int wrap(int v, int period)
{
    if (period <= 0)
        return v;
    const int m = v % period;
    return m < 0 ? m + period : m;
}

double fade(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double value(double x, double y, uint32_t seed, int period)
{
    return value(x, y, seed, period, period);
}

double value(double x, double y, uint32_t seed, int periodX, int periodY)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = int(fx);
    const int y0 = int(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double v00 = unit(wrap(x0, periodX), wrap(y0, periodY), seed);
    const double v10 = unit(wrap(x0 + 1, periodX), wrap(y0, periodY), seed);
    const double v01 = unit(wrap(x0, periodX), wrap(y0 + 1, periodY), seed);
    const double v11 = unit(wrap(x0 + 1, periodX), wrap(y0 + 1, periodY), seed);
    const double a = v00 + (v10 - v00) * tx;
    const double b = v01 + (v11 - v01) * tx;
    return a + (b - a) * ty;
}

double fbm(double x, double y, uint32_t seed, int octaves, int period)
{
    double sum = 0.0;
    double norm = 0.0;
    double amp = 1.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * value(x, y, seed + uint32_t(o) * 101u, period);
        norm += amp;
        amp *= 0.5;
        x *= 2.0;
        y *= 2.0;
        if (period > 0)
            period *= 2;
    }
    return sum / norm;
}

} // namespace noise

uint64_t Rng::next()
{
    // splitmix64
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::unit()
{
    return double(next() >> 11) / 9007199254740992.0;
}
