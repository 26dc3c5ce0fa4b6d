#pragma once
// Vertical colour gradient in 63 bands, as the About box's side panel shows
// it. Colours are 32-bit values with red in the lowest byte, green in the
// next and blue in the third (rgb() builds one).
#include <QtGlobal>

class QImage;
class QPainter;
class QSize;

class GradientFill {
public:
    static constexpr int kBands = 63;

    static qint32 rgb(int red, int green, int blue);
    // Red = colour mod 256, green = (colour \ 256) mod 256, blue = colour \ 65536,
    // truncating. A part that does not fit 16 bits leaves its variable as it was.
    static void splitColor(qint32 color, qint16 &red, qint16 &green, qint16 &blue);
    // Fills a surface of sizePx pixels from color1 at the top to color2 at the
    // bottom.
    static void fill(QPainter &painter, const QSize &sizePx, qint32 color1,
                            qint32 color2);
    static void fill(QImage &image, qint32 color1, qint32 color2);
};
