// SPDX-License-Identifier: GPL-3.0-or-later
#include "Raster.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

RgbaF FloatImage::sample(double x, double y) const
{
    x -= 0.5;
    y -= 0.5;
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const float tx = float(x - x0);
    const float ty = float(y - y0);
    auto get = [this](int px, int py) -> RgbaF {
        if (px < 0 || py < 0 || px >= m_w || py >= m_h)
            return {};
        return at(px, py);
    };
    const RgbaF a = get(x0, y0), b = get(x0 + 1, y0), c = get(x0, y0 + 1), d = get(x0 + 1, y0 + 1);
    auto lerp = [](float p, float q, float t) { return p + (q - p) * t; };
    RgbaF out;
    out.r = lerp(lerp(a.r, b.r, tx), lerp(c.r, d.r, tx), ty);
    out.g = lerp(lerp(a.g, b.g, tx), lerp(c.g, d.g, tx), ty);
    out.b = lerp(lerp(a.b, b.b, tx), lerp(c.b, d.b, tx), ty);
    out.a = lerp(lerp(a.a, b.a, tx), lerp(c.a, d.a, tx), ty);
    return out;
}

void FloatImage::fill(RgbaF c)
{
    std::fill(m_px.begin(), m_px.end(), c);
}

float FloatMap::clampedAt(int x, int y) const
{
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    return at(x, y);
}

float FloatMap::sample(double x, double y) const
{
    x -= 0.5;
    y -= 0.5;
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const float tx = float(x - x0);
    const float ty = float(y - y0);
    auto get = [this](int px, int py) -> float {
        if (px < 0 || py < 0 || px >= w || py >= h)
            return 0.0f;
        return at(px, py);
    };
    const float a = get(x0, y0), b = get(x0 + 1, y0), c = get(x0, y0 + 1), d = get(x0 + 1, y0 + 1);
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

namespace raster
{

RgbaF opaque(QRgb c, float alpha)
{
    return {qRed(c) / 255.0f * alpha, qGreen(c) / 255.0f * alpha, qBlue(c) / 255.0f * alpha, alpha};
}

QRgb mix(QRgb a, QRgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](int p, int q) { return int(std::lround(p + (q - p) * t)); };
    return qRgb(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)));
}

QRgb scale(QRgb c, double f)
{
    auto ch = [f](int v) { return std::clamp(int(std::lround(v * f)), 0, 255); };
    return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

RgbaF over(const RgbaF &src, const RgbaF &dst)
{
    const float k = 1.0f - src.a;
    return {src.r + dst.r * k, src.g + dst.g * k, src.b + dst.b * k, src.a + dst.a * k};
}

FloatMap coverage(int w, int h, int ss, const std::function<void(QPainter &)> &draw)
{
    QImage big(w * ss, h * ss, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::black);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(ss, ss);
        draw(p);
    }
    FloatMap out(w, h);
    const float norm = 1.0f / (255.0f * float(ss * ss));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int sy = 0; sy < ss; ++sy) {
                const QRgb *line = reinterpret_cast<const QRgb *>(big.constScanLine(y * ss + sy));
                for (int sx = 0; sx < ss; ++sx)
                    sum += qRed(line[x * ss + sx]);
            }
            out.at(x, y) = float(sum) * norm;
        }
    }
    return out;
}

FloatImage paint(int w, int h, int ss, const std::function<void(QPainter &)> &draw)
{
    QImage big(w * ss, h * ss, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.scale(ss, ss);
        draw(p);
    }
    FloatImage full(w * ss, h * ss);
    for (int y = 0; y < big.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(big.constScanLine(y));
        for (int x = 0; x < big.width(); ++x)
            full.at(x, y) = {qRed(line[x]) / 255.0f, qGreen(line[x]) / 255.0f, qBlue(line[x]) / 255.0f,
                             qAlpha(line[x]) / 255.0f};
    }
    return downsample(full, ss);
}

FloatImage downsample(const FloatImage &src, int factor)
{
    const int w = src.width() / factor;
    const int h = src.height() / factor;
    FloatImage out(w, h);
    const float norm = 1.0f / float(factor * factor);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            RgbaF acc;
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const RgbaF &p = src.at(x * factor + sx, y * factor + sy);
                    acc.r += p.r;
                    acc.g += p.g;
                    acc.b += p.b;
                    acc.a += p.a;
                }
            }
            out.at(x, y) = {acc.r * norm, acc.g * norm, acc.b * norm, acc.a * norm};
        }
    }
    return out;
}

FloatMap downsample(const FloatMap &src, int factor)
{
    FloatMap out(src.w / factor, src.h / factor);
    const float norm = 1.0f / float(factor * factor);
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            float acc = 0;
            for (int sy = 0; sy < factor; ++sy)
                for (int sx = 0; sx < factor; ++sx)
                    acc += src.at(x * factor + sx, y * factor + sy);
            out.at(x, y) = acc * norm;
        }
    }
    return out;
}

void gaussianBlur(FloatMap &map, double sigma)
{
    if (sigma <= 0.0)
        return;
    const int radius = int(std::ceil(sigma * 3.0));
    std::vector<float> kernel(size_t(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        kernel[size_t(i + radius)] = float(std::exp(-(i * i) / (2.0 * sigma * sigma)));
        sum += kernel[size_t(i + radius)];
    }
    for (float &k : kernel)
        k /= sum;
    FloatMap tmp(map.w, map.h);
    for (int y = 0; y < map.h; ++y) {
        for (int x = 0; x < map.w; ++x) {
            float acc = 0;
            for (int i = -radius; i <= radius; ++i)
                acc += kernel[size_t(i + radius)] * map.clampedAt(x + i, y);
            tmp.at(x, y) = acc;
        }
    }
    for (int y = 0; y < map.h; ++y) {
        for (int x = 0; x < map.w; ++x) {
            float acc = 0;
            for (int i = -radius; i <= radius; ++i)
                acc += kernel[size_t(i + radius)] * tmp.clampedAt(x, y + i);
            map.at(x, y) = acc;
        }
    }
}

namespace
{

int to8(float v)
{
    return std::clamp(int(std::lround(v * 255.0f)), 0, 255);
}

} // namespace

QImage toQImage(const FloatImage &img)
{
    QImage out(img.width(), img.height(), QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const RgbaF &p = img.at(x, y);
            if (p.a <= 0.0f) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            const float inv = 1.0f / p.a;
            line[x] = qRgba(to8(p.r * inv), to8(p.g * inv), to8(p.b * inv), to8(p.a));
        }
    }
    return out;
}

FloatImage fromQImage(const QImage &img)
{
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    FloatImage out(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            out.at(x, y) = opaque(line[x], qAlpha(line[x]) / 255.0f);
    }
    return out;
}

QImage flatten(const FloatImage &img, QRgb background)
{
    QImage out(img.width(), img.height(), QImage::Format_RGB32);
    const RgbaF bg = opaque(background);
    for (int y = 0; y < img.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const RgbaF p = over(img.at(x, y), bg);
            line[x] = qRgb(to8(p.r), to8(p.g), to8(p.b));
        }
    }
    return out;
}

QImage keyed(const FloatImage &img, QRgb key, QRgb matte)
{
    QImage out = flatten(img, matte);
    for (int y = 0; y < img.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (img.at(x, y).a < 0.5f / 255.0f)
                line[x] = key;
        }
    }
    return out;
}

} // namespace raster
