#include "gradientfill.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool fitsInt16(double v)
{
    return v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max();
}

// Running colour part plus its single-precision step, back to 16 bits:
// nearest, halves to even. An overflow keeps the old value.
void stepPart(qint16 &part, float step)
{
    const double next = std::nearbyint(double(float(part) + step));
    if (fitsInt16(next))
        part = qint16(next);
}

QColor brushColor(qint16 r, qint16 g, qint16 b)
{
    return QColor(std::clamp<int>(r, 0, 255), std::clamp<int>(g, 0, 255),
                  std::clamp<int>(b, 0, 255));
}

} // namespace

qint32 GradientFill::rgb(int red, int green, int blue)
{
    return qint32((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

void GradientFill::splitColor(qint32 color, qint16 &red, qint16 &green, qint16 &blue)
{
    const qint32 r = color % 256;
    const qint32 g = (color / 256) % 256;
    const qint32 b = color / 65536;
    if (fitsInt16(r))
        red = qint16(r);
    if (fitsInt16(g))
        green = qint16(g);
    if (fitsInt16(b))
        blue = qint16(b);
}

void GradientFill::fill(QPainter &painter, const QSize &sizePx, qint32 color1, qint32 color2)
{
    qint16 r = 0, g = 0, b = 0, r2 = 0, g2 = 0, b2 = 0;
    splitColor(color1, r, g, b);
    splitColor(color2, r2, g2, b2);

    // The +0.001 makes an exact step of one per band round up, not to even.
    const float dR = (float(r2 - r) + 0.001f) / float(kBands);
    const float dG = (float(g2 - g) + 0.001f) / float(kBands);
    const float dB = (float(b2 - b) + 0.001f) / float(kBands);

    const int height = std::clamp(sizePx.height(), 0, int(std::numeric_limits<qint16>::max()));
    const int band = height / kBands;
    const int right = sizePx.width();
    int top = 0;
    int bottom = band;

    for (int i = 0; i < kBands; ++i) {
        if (bottom > top)
            painter.fillRect(QRect(0, top, right, bottom - top), brushColor(r, g, b));
        stepPart(r, dR);
        stepPart(g, dG);
        stepPart(b, dB);
        top = bottom;
        bottom += band;
    }
    // The last fill takes up the rows the integer division left over.
    bottom += kBands;
    painter.fillRect(QRect(0, top, right, bottom - top), brushColor(r, g, b));
}

void GradientFill::fill(QImage &image, qint32 color1, qint32 color2)
{
    QPainter painter(&image);
    fill(painter, image.size(), color1, color2);
}
