// SPDX-License-Identifier: GPL-3.0-or-later
// The clink of coins ("COINSWAV"): played on every other frame of a throw and while stalks are laid,
// each start cutting off the last, so it is short and has its weight at the very beginning.
#include "Encoders.h"
#include "Generators.h"
#include "Noise.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

constexpr int kRate = 22050;

struct Partial {
    double freq;
    double amp;
    double decay; // seconds to fall to 1/e
};

std::vector<int16_t> clink()
{
    const int count = int(0.32 * kRate);
    std::vector<double> s(size_t(count), 0.0);
    Rng rng(2024);

    // Two strikes: coin on coin, then a lighter touch as one settles. The partials of a small
    // bronze disc are far from harmonic, which is what makes it sound like metal, not a bell.
    struct Strike {
        double at;
        double gain;
        std::vector<Partial> partials;
    };
    const std::vector<Strike> strikes = {
        {0.000,
         1.0,
         {{2637, 1.00, 0.085},
          {4311, 0.70, 0.060},
          {6052, 0.48, 0.042},
          {7719, 0.32, 0.030},
          {9348, 0.20, 0.020}}},
        {0.041, 0.45, {{3152, 1.00, 0.060}, {5121, 0.62, 0.040}, {6983, 0.40, 0.028}, {8870, 0.22, 0.018}}},
    };
    for (const Strike &strike : strikes) {
        const int start = int(strike.at * kRate);
        for (const Partial &p : strike.partials) {
            const double phase = rng.range(0.0, 2.0 * M_PI);
            for (int i = start; i < count; ++i) {
                const double t = double(i - start) / kRate;
                s[size_t(i)] +=
                    strike.gain * p.amp * std::exp(-t / p.decay) * std::sin(2.0 * M_PI * p.freq * t + phase);
            }
        }
        // The tick of the impact itself: a few milliseconds of bright noise.
        double previous = 0.0;
        for (int i = start; i < std::min(count, start + int(0.006 * kRate)); ++i) {
            const double t = double(i - start) / kRate;
            const double white = rng.range(-1.0, 1.0);
            const double bright = white - previous; // first difference: keeps only the highs
            previous = white;
            s[size_t(i)] += strike.gain * 0.35 * bright * std::exp(-t / 0.0012);
        }
    }

    // No click at the end: fade the last 20 ms.
    const int fade = int(0.02 * kRate);
    for (int i = 0; i < fade; ++i)
        s[size_t(count - 1 - i)] *= double(i) / fade;

    double peak = 0.0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    std::vector<int16_t> out(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        out[size_t(i)] = int16_t(std::lround(s[size_t(i)] / peak * 0.7 * 32767.0));
    return out;
}

QImage waveform(const std::vector<int16_t> &samples)
{
    const int w = 320;
    const int h = 80;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(238, 229, 207));
    QPainter p(&img);
    p.setPen(QColor(120, 92, 62));
    p.drawLine(0, h / 2, w, h / 2);
    p.setPen(QColor(36, 29, 25));
    const size_t per = samples.size() / size_t(w) + 1;
    for (int x = 0; x < w; ++x) {
        int lo = 0, hi = 0;
        for (size_t i = size_t(x) * per; i < std::min(samples.size(), size_t(x + 1) * per); ++i) {
            lo = std::min<int>(lo, samples[i]);
            hi = std::max<int>(hi, samples[i]);
        }
        p.drawLine(x, h / 2 - hi * (h / 2 - 2) / 32768, x, h / 2 - lo * (h / 2 - 2) / 32768);
    }
    return img;
}

} // namespace

void addSoundArt(ArtSet &art)
{
    const std::vector<int16_t> samples = clink();
    art.addRaw(QStringLiteral("coins.wav"), encodeWavMono16(samples, kRate), waveform(samples),
               QStringLiteral("program"));
}
