// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <array>

// The few colours everything is drawn from, so that pages, panes and skins belong together:
// paper, ink, cinnabar for marks, jade and bronze for accents.
namespace palette
{

// Page paper. Pictures that pages show with "transp" use exactly this as their key colour
// (bottom-left pixel), so even where keying is not applied they sit calmly on the page.
inline constexpr QRgb paper = qRgb(238, 229, 207);
inline constexpr QRgb paperShade = qRgb(226, 214, 188);
inline constexpr QRgb ink = qRgb(36, 29, 25);
inline constexpr QRgb inkBrown = qRgb(74, 52, 36);
inline constexpr QRgb cinnabar = qRgb(176, 50, 36);
inline constexpr QRgb jade = qRgb(72, 122, 98);
inline constexpr QRgb bronze = qRgb(164, 118, 62);
inline constexpr QRgb gold = qRgb(196, 156, 72);

// Key colour of button glyph bitmaps (bottom-left pixel, the usual Windows glyph convention). Edge
// pixels are matted against a light neutral so no magenta fringe survives keying.
inline constexpr QRgb glyphKey = qRgb(255, 0, 255);
inline constexpr QRgb glyphMatte = qRgb(214, 206, 190);

// Flat colour of the coin window's cloth; the coin frames use it as their background and key.
inline constexpr QRgb coinCloth = qRgb(194, 206, 190);

} // namespace palette

// One built-in skin. The frame colour is read back by the program from pixel (72,20) of its
// back.bmp and the shade colour from pixel (50,50); the rest shape the frame's bevels.
struct SkinColours {
    QString prefix; // "" standard, "_" green, "__" gold: the archive member prefix
    QString name;
    QRgb frame;
    QRgb shade;
    QRgb outline; // darkest line around the window
    QRgb light;   // bevel highlight
    QRgb mid;     // bevel body
    QRgb deep;    // bevel shadow, grooves
};

inline std::array<SkinColours, 3> builtInSkins()
{
    return {{
        {QString(), QStringLiteral("standard"), qRgb(226, 212, 181), qRgb(188, 162, 121), qRgb(58, 41, 29),
         qRgb(248, 240, 221), qRgb(176, 146, 104), qRgb(120, 92, 62)},
        {QStringLiteral("_"), QStringLiteral("green"), qRgb(200, 219, 201), qRgb(143, 179, 152),
         qRgb(30, 60, 47), qRgb(236, 246, 237), qRgb(118, 158, 130), qRgb(70, 110, 88)},
        {QStringLiteral("__"), QStringLiteral("gold"), qRgb(231, 210, 152), qRgb(192, 154, 82),
         qRgb(80, 54, 20), qRgb(252, 240, 204), qRgb(180, 140, 66), qRgb(130, 94, 36)},
    }};
}
