// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactSheet.h"

#include "Generators.h"
#include "Palette.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace
{

QImage load(const ArtSet &art, const QString &name)
{
    const ArtItem *item = art.find(name);
    return item ? item->preview : QImage();
}

// What a page viewer shows for a picture marked "transp": its bottom-left colour made clear.
QImage keyedToAlpha(const QImage &img)
{
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, img.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
    }
    return out;
}

void tile(QPainter &p, const QRect &r, const QImage &img)
{
    p.save();
    p.setBrushOrigin(r.topLeft());
    p.fillRect(r, QBrush(QPixmap::fromImage(img)));
    p.restore();
}

// The oracle pane's figure as the program draws it: frame colour ground, bars filled with the
// fondo1 pattern, a yellow mark on moving lines of the primary figure.
void drawFigure(QPainter &p, QPoint at, const int *lines, const int *moving, QRgb frame,
                const QImage &pattern)
{
    const int w = 89;
    const int h = 129;
    const int bw = w - 20;
    p.save();
    p.translate(at);
    p.fillRect(QRect(1, 1, w - 1, h - 1), QColor(frame));
    const QBrush brush(QPixmap::fromImage(pattern));
    int y = 10;
    for (int line = 6; line >= 1; --line) {
        if (lines[line - 1]) {
            p.fillRect(QRect(10, y, bw, 10), brush);
        } else {
            p.fillRect(QRect(10, y, bw / 3, 10), brush);
            p.fillRect(QRect(10 + 2 * (bw / 3), y, bw - 2 * (bw / 3), 10), brush);
        }
        if (moving && moving[line - 1])
            p.fillRect(QRect(10 + bw / 3 + 5, y + 2, bw - 2 * (bw / 3 + 5), 6), QColor(255, 255, 0));
        y += 20;
    }
    p.restore();
}

QImage mainWindowMock(const ArtSet &art, const SkinColours &skin)
{
    const int w = 540;
    const int h = 400;
    const QImage back = load(art, skin.prefix + "back.bmp");
    const QImage bottom = load(art, skin.prefix + "bottom.bmp");
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(skin.frame);
    QPainter p(&img);
    paintSkinFrame(p, back, w, h, 'm');

    // Bottom band and tool panel.
    const int bw = bottom.width();
    const int bh = bottom.height();
    const int t = h - bh - 6;
    p.drawImage(7, t, bottom);
    p.drawImage(w - bw - 7, t, bottom);
    p.drawImage(QRect(bw / 2, t, w - bw, bh), bottom, QRect(20, 0, bw - 40, bh));
    const QRect toolPanel(20, h - 28 - 16, w - 40, 28);
    p.fillRect(toolPanel, QColor(skin.frame));
    int x = toolPanel.left() + 6;
    for (const char *g : {"index", "back", "print", "find", "help", "oracle", "pref"}) {
        p.drawImage(x, toolPanel.top() + 4, load(art, QStringLiteral("tb-%1.png").arg(QLatin1String(g))));
        x += 28;
    }

    // Title panel and corner buttons.
    p.fillRect(QRect(68, 5, w - 68 - 70, 20), QColor(skin.frame));
    QFont bold(QStringLiteral("DejaVu Sans"), 8, QFont::Bold);
    p.setFont(bold);
    p.setPen(QColor(255, 0, 0));
    p.drawText(QRect(68, 5, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral(" Velmora I Ching 2.0"));
    p.setPen(Qt::black);
    p.drawText(QRect(240, 5, w - 240 - 76, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("      63. Chi Chi / After Completion"));
    p.drawImage(w - 70, 0, back.copy(0, 0, 70, 32).mirrored(true, false));
    p.drawImage(w - 70 + 20, 3, load(art, "min.bmp"));
    p.drawImage(w - 70 + 36, 3, load(art, "max.bmp"));
    p.drawImage(w - 70 + 52, 3, load(art, "close.bmp"));

    // Page area: the oracle pane on the left, the page on the right.
    const QRect area(7, 31, w - 15, h - 31 - 55);
    const QRect pane(area.left(), area.top(), 247, area.height());
    tile(p, pane, load(art, "backleft.bmp"));
    const int primary[6] = {1, 0, 1, 0, 1, 0};
    const int second[6] = {0, 0, 1, 0, 1, 0};
    const int moving[6] = {1, 0, 0, 0, 0, 0};
    const QImage pattern = load(art, "fondo1.bmp");
    drawFigure(p, pane.topLeft() + QPoint(21, 8), primary, moving, skin.frame, pattern);
    drawFigure(p, pane.topLeft() + QPoint(138, 8), second, nullptr, skin.frame, pattern);
    QFont numbers(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    p.setFont(numbers);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(pane.left() + 21, pane.top() + 140, 89, 26), Qt::AlignCenter, QStringLiteral("63"));
    p.drawText(QRect(pane.left() + 138, pane.top() + 140, 89, 26), Qt::AlignCenter, QStringLiteral("39"));
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    p.drawText(QRect(pane.left() + 21, pane.top() + 180, 212, 69), Qt::TextWordWrap,
               QStringLiteral("Shall I take up the offer and move to the coast this spring?"));

    const QRect page(pane.right() + 1, area.top(), area.right() - pane.right(), area.height());
    tile(p, page, load(art, "back1.bmp"));
    const QImage rule = load(art, "line1.bmp");
    p.drawImage(QRect(page.left() + 20, page.top() + 8, page.width() - 40, 8), rule);
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), 12, QFont::Bold));
    p.setPen(QColor(128, 0, 0));
    p.drawText(QRect(page.left() + 20, page.top() + 18, page.width() - 30, 24),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("63   CHI CHI / AFTER COMPLETION"));
    p.drawImage(QRect(page.left() + 20, page.top() + 44, page.width() - 40, 8), rule);
    int y = page.top() + 60;
    for (int line = 6; line >= 1; --line) {
        const QString name = QStringLiteral("%1%2.bmp").arg(primary[line - 1] ? "YANG" : "YIN").arg(7 - line);
        p.drawImage(page.left() + 14, y, keyedToAlpha(load(art, name)));
        y += 18;
    }
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), 9));
    p.setPen(Qt::black);
    p.drawText(
        QRect(page.left() + 120, page.top() + 60, page.width() - 130, 110), Qt::TextWordWrap,
        QStringLiteral("above K'AN  THE ABYSMAL, WATER\nbelow LI  THE CLINGING, FIRE\n\nWater stands over "
                       "fire: each element in its place, the work done; and just then care is needed most."));
    y = page.top() + 180;
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), 9, QFont::Bold));
    p.drawText(QRect(page.left() + 14, y, 200, 16), Qt::AlignLeft, QStringLiteral("THE LINES"));
    y += 20;
    p.drawImage(page.left() + 14, y + 2, keyedToAlpha(load(art, "RE.bmp")));
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), 9, QFont::Normal, true));
    p.drawText(QRect(page.left() + 32, y, 240, 16), Qt::AlignLeft,
               QStringLiteral("Six in the second place means:"));
    y += 20;
    p.drawImage(page.left() + 14, y + 2, keyedToAlpha(load(art, "CU.bmp")));
    p.drawText(QRect(page.left() + 32, y, 240, 16), Qt::AlignLeft,
               QStringLiteral("Nine in the fifth place means:"));
    return img;
}

QImage preferencesMock(const ArtSet &art, const SkinColours &skin)
{
    const int w = 399;
    const int h = 272;
    const QImage back = load(art, skin.prefix + "back.bmp");
    const QImage okCancel = load(art, skin.prefix + "okcancel.bmp");
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(skin.frame);
    QPainter p(&img);
    paintSkinFrame(p, back, w, h, 'p');
    p.setPen(Qt::white);
    p.drawLine(1, 0, w - 1, 0);
    p.drawLine(0, 1, 0, h - 2);
    p.setPen(Qt::black);
    p.drawLine(0, h - 1, w - 2, h - 1);
    p.drawLine(w - 1, h - 1, w - 1, 1);
    p.fillRect(QRect(68, 5, w - 68 - 70, 20), QColor(skin.frame));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold));
    p.setPen(QColor(255, 0, 0));
    p.drawText(QRect(68, 5, 200, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("  Control Panel"));
    const QRect pages(7, 31, w - 15, h - 37 - 31);
    p.fillRect(pages, QColor(240, 240, 240));
    p.setPen(QColor(130, 130, 130));
    p.drawRect(pages.adjusted(0, 0, -1, -1));
    const QSize panel(okCancel.width() - 1, okCancel.height() - 1);
    const QPoint at(w - panel.width() - 1, h - panel.height() - 1);
    p.drawImage(at, okCancel, QRect(QPoint(0, 0), panel));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    for (const auto &[bx, label] : {std::pair{7, "Cancel"}, std::pair{57, "OK"}}) {
        const QRect b(at + QPoint(bx, 7), QSize(49, 23));
        p.fillRect(b, QColor(236, 233, 226));
        p.setPen(QColor(90, 90, 90));
        p.drawRect(b.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(b, Qt::AlignCenter, QString::fromLatin1(label));
    }
    return img;
}

QImage coinWindowMock(const ArtSet &art)
{
    const int w = 700;
    const int h = 170;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    tile(p, img.rect(), load(art, "coin.bmp"));
    // Left two coins keyed as the program may show them, the right one unkeyed: its square must
    // not show against the cloth.
    const int frames[3] = {0, 12, 30};
    for (int i = 0; i < 3; ++i) {
        const QImage strip = load(art, QStringLiteral("coin%1.bmp").arg(i + 1));
        const QImage frame = strip.copy(frames[i] * 129, 0, 129, 129);
        const QPoint at(40 + i * 230, 22);
        p.drawImage(at, i < 2 ? keyedToAlpha(frame) : frame);
    }
    return img;
}

QImage stalkWindowMock(const ArtSet &art)
{
    const int w = 700;
    const int h = 170;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    tile(p, img.rect(), load(art, "stalk.bmp"));
    const QColor colours[3] = {QColor(140, 61, 47), QColor(124, 94, 52), QColor(96, 113, 28)};
    for (int i = 0; i < 40; ++i) {
        const int x = 120 + i * 12 + (i * 7) % 5 - 2;
        const int y = 20 + (i * 5) % 6;
        p.fillRect(QRect(x + 2, y + 2, 6, 140), Qt::black);
        p.fillRect(QRect(x, y, 6, 140), colours[(i * 2 + i / 3) % 3]);
    }
    p.drawImage(QPoint(20, 40), load(art, "hand.png"));
    return img;
}

// Fits an item's picture into a cell: small pictures are enlarged by whole steps with hard pixels
// (so every pixel can be judged), large ones are shown smaller.
QImage cellPicture(const QImage &img, QSize cell)
{
    if (img.width() <= cell.width() / 2 && img.height() <= cell.height() / 2) {
        const int zoom = std::max(1, std::min({4, cell.width() / img.width(), cell.height() / img.height()}));
        return img.scaled(img.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (img.width() <= cell.width() && img.height() <= cell.height())
        return img;
    return img.scaled(cell, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QImage buildContactSheet(const ArtSet &art)
{
    const int width = 1680;
    const int margin = 16;
    const QSize cell(190, 130);
    const int cellH = cell.height() + 22;
    const int columns = (width - 2 * margin) / (cell.width() + 10);
    const int rowsOfItems = int((art.items().size() + size_t(columns) - 1) / size_t(columns));
    const int height = 40 + 410 + 20 + 282 + 20 + 3 * 140 + 20 + 180 + 20 + rowsOfItems * cellH + margin;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(qRgb(64, 60, 56));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont heading(QStringLiteral("DejaVu Sans"), 12, QFont::Bold);
    QFont label(QStringLiteral("DejaVu Sans"), 8);
    p.setFont(heading);
    p.setPen(QColor(240, 232, 214));
    p.drawText(margin, 26, QStringLiteral("Velmora I Ching - generated art (artgen)"));

    int y = 40;
    int x = margin;
    for (const SkinColours &skin : builtInSkins()) {
        p.drawImage(x, y, mainWindowMock(art, skin));
        x += 550;
    }
    y += 410 + 20;
    x = margin;
    for (const SkinColours &skin : builtInSkins()) {
        p.drawImage(x, y, preferencesMock(art, skin));
        x += 409;
    }
    p.drawImage(x + 10, y, load(art, "splash.png"));
    p.drawImage(x + 130, y, load(art, "ching.png"));
    p.drawImage(x + 10, y + 120, coinWindowMock(art).copy(0, 0, 430, 160));
    y += 282 + 20;

    for (int c = 0; c < 3; ++c) {
        const QImage strip = load(art, QStringLiteral("coin%1.bmp").arg(c + 1));
        for (int f = 0; f <= 30; f += 3)
            p.drawImage(margin + (f / 3) * 131, y, strip.copy(f * 129, 0, 129, 129));
        p.setFont(label);
        p.setPen(QColor(240, 232, 214));
        p.drawText(margin + 11 * 131 + 8, y + 64, QStringLiteral("coin%1.bmp frames 0,3,...,30").arg(c + 1));
        y += 140;
    }
    y += 20;
    p.drawImage(margin, y, stalkWindowMock(art));
    p.drawImage(margin + 720, y, coinWindowMock(art));
    y += 180 + 20;

    p.setFont(label);
    int i = 0;
    for (const ArtItem &item : art.items()) {
        const int cx = margin + (i % columns) * (cell.width() + 10);
        const int cy = y + (i / columns) * cellH;
        p.fillRect(QRect(cx, cy, cell.width(), cell.height()), QColor(92, 88, 82));
        const QImage pic = cellPicture(item.preview, cell);
        p.drawImage(cx + (cell.width() - pic.width()) / 2, cy + (cell.height() - pic.height()) / 2, pic);
        p.setPen(QColor(240, 232, 214));
        p.drawText(QRect(cx, cy + cell.height() + 2, cell.width(), 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1  %2x%3  %4 B")
                       .arg(item.name)
                       .arg(item.preview.width())
                       .arg(item.preview.height())
                       .arg(item.bytes.size()));
        ++i;
    }
    return sheet;
}
