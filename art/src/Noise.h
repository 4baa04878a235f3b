// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Deterministic noise: integer hashing only, so the same seed gives the same texture on every
// machine and with every standard library (std:: distributions are not portable in their output).
namespace noise
{

uint32_t hash(int32_t x, int32_t y, uint32_t seed);
// Uniform in [0, 1).
double unit(int32_t x, int32_t y, uint32_t seed);
// Smooth value noise in [0, 1). A period > 0 wraps the lattice so textures tile without seams.
double value(double x, double y, uint32_t seed, int period = 0);
// The same with separate periods across and down, for tiles whose grain runs one way.
double value(double x, double y, uint32_t seed, int periodX, int periodY);
// Sum of octaves of value noise, normalised to [0, 1). Each octave doubles the frequency (and the
// period, so a tileable first octave keeps every octave tileable).
double fbm(double x, double y, uint32_t seed, int octaves, int period = 0);

} // namespace noise

// A small fixed-seed generator for scattering things (fibres, motifs).
class Rng
{
  public:
    explicit Rng(uint64_t seed) : m_state(seed) {}
    uint64_t next();
    double unit();
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

  private:
    uint64_t m_state;
};
