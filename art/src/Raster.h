// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRgb>
#include <functional>
#include <vector>

class QPainter;

// Premultiplied RGBA in floats: the working format for pictures that are shaded pixel by pixel
// and then averaged down, which keeps the antialiasing exact and independent of the painter.
struct RgbaF {
    float r = 0, g = 0, b = 0, a = 0;
};

class FloatImage
{
  public:
    FloatImage() = default;
    FloatImage(int w, int h) : m_w(w), m_h(h), m_px(size_t(w) * size_t(h)) {}

    int width() const { return m_w; }
    int height() const { return m_h; }
    RgbaF &at(int x, int y) { return m_px[size_t(y) * size_t(m_w) + size_t(x)]; }
    const RgbaF &at(int x, int y) const { return m_px[size_t(y) * size_t(m_w) + size_t(x)]; }
    // Bilinear, in pixel coordinates (pixel centres at +0.5); outside is transparent.
    RgbaF sample(double x, double y) const;
    void fill(RgbaF c);

  private:
    int m_w = 0;
    int m_h = 0;
    std::vector<RgbaF> m_px;
};

// A single-channel float map (coverage, height, shadow).
struct FloatMap {
    int w = 0;
    int h = 0;
    std::vector<float> v;
    FloatMap() = default;
    FloatMap(int width, int height) : w(width), h(height), v(size_t(width) * size_t(height), 0.0f) {}
    float &at(int x, int y) { return v[size_t(y) * size_t(w) + size_t(x)]; }
    float at(int x, int y) const { return v[size_t(y) * size_t(w) + size_t(x)]; }
    float clampedAt(int x, int y) const;
    float sample(double x, double y) const;
};

namespace raster
{

RgbaF opaque(QRgb c, float alpha = 1.0f);
QRgb mix(QRgb a, QRgb b, double t);
QRgb scale(QRgb c, double f);
// Source over destination, both premultiplied.
RgbaF over(const RgbaF &src, const RgbaF &dst);

// Paints with the given function at ss times the size, white on black with antialiasing, and
// averages back down: the coverage of the drawn shapes at every pixel.
FloatMap coverage(int w, int h, int ss, const std::function<void(QPainter &)> &draw);

// Paints in colour at ss times the size and averages down: for small icons whose shapes need
// finer antialiasing than the painter gives at their own size.
FloatImage paint(int w, int h, int ss, const std::function<void(QPainter &)> &draw);

FloatImage downsample(const FloatImage &src, int factor);
FloatMap downsample(const FloatMap &src, int factor);
void gaussianBlur(FloatMap &map, double sigma);

QImage toQImage(const FloatImage &img);
FloatImage fromQImage(const QImage &img);
// Flattens a premultiplied picture over a flat colour.
QImage flatten(const FloatImage &img, QRgb background);

// For glyph bitmaps with a key colour: fully transparent pixels become the key, everything else is
// flattened over a light matte so that edge pixels carry no trace of the key.
QImage keyed(const FloatImage &img, QRgb key, QRgb matte);

} // namespace raster
