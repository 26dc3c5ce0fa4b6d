#include "picturebutton.h"

#include "keycodes.h"
#include "propertybag.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int TwipsPerPixel = 15;
const QColor White(255, 255, 255);
const QColor DarkGrey(128, 128, 128);

// Conversion of a single to a 16-bit integer: nearest, halves to the even
// neighbour; out of range saturates rather than failing.
qint16 toInt16(float value)
{
    double r = std::nearbyint(double(value)); // default mode rounds half to even
    r = std::clamp(r, double(std::numeric_limits<qint16>::min()),
                   double(std::numeric_limits<qint16>::max()));
    return qint16(r);
}

int twipsToPixels(int twips)
{
    return int(std::floor(twips / double(TwipsPerPixel) + 0.5));
}

// A one-pixel horizontal or vertical line that covers its first point and
// stops short of its last, as the platform's line drawing does.
void drawLine(QPainter &p, int x1, int y1, int x2, int y2, const QColor &color)
{
    if (y1 == y2 && x1 != x2) {
        int from = x1 < x2 ? x1 : x2 + 1;
        int to = x1 < x2 ? x2 - 1 : x1;
        p.fillRect(QRect(QPoint(from, y1), QPoint(to, y1)), color);
    } else if (x1 == x2 && y1 != y2) {
        int from = y1 < y2 ? y1 : y2 + 1;
        int to = y1 < y2 ? y2 - 1 : y1;
        p.fillRect(QRect(QPoint(x1, from), QPoint(x1, to)), color);
    }
}

} // namespace

PictureButton::PictureButton(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_hoverPoll.setInterval(100);
    connect(&m_hoverPoll, &QTimer::timeout, this, &PictureButton::pollHover);
}

QSize PictureButton::sizeHint() const
{
    // 795 x 735 twips, the size the main window gives its file buttons.
    return QSize(53, 49);
}

QColor PictureButton::backColor() const
{
    return m_backColor.isValid() ? m_backColor : palette().color(QPalette::Button);
}

void PictureButton::setBackColor(const QColor &color)
{
    m_backColor = color;
    setAttribute(Qt::WA_OpaquePaintEvent, fillsFace());
    update();
    emit propertyChanged(QStringLiteral("BackColor"));
}

void PictureButton::setBackStyle(qint16 style)
{
    m_backStyle = style;
    setAttribute(Qt::WA_OpaquePaintEvent, fillsFace());
    update();
    emit propertyChanged(QStringLiteral("BackStyle"));
}

void PictureButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    emit propertyChanged(QStringLiteral("Picture"));
    refresh();
}

void PictureButton::loadProperties(const PropertyBag &bag)
{
    // The first three go straight to the surface without notifying; the
    // picture goes through its setter, which notifies and draws.
    m_loading = true;
    m_backColor = bag.read(QStringLiteral("BackColor"), QColor()).value<QColor>();
    setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    noteEnabledSetting();
    m_backStyle = qint16(bag.read(QStringLiteral("BackStyle"), 1).toInt());
    setAttribute(Qt::WA_OpaquePaintEvent, fillsFace());
    m_loading = false;
    setPicture(bag.read(QStringLiteral("Picture"), QPixmap()).value<QPixmap>());
}

void PictureButton::saveProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("BackColor"), m_backColor, QColor());
    bag.write(QStringLiteral("Enabled"), controlEnabled(), true);
    bag.write(QStringLiteral("BackStyle"), int(m_backStyle), 1);
    bag.write(QStringLiteral("Picture"),
              m_picture.isNull() ? QVariant() : QVariant::fromValue(m_picture), QVariant());
}

void PictureButton::refresh()
{
    repaint();
}

QImage PictureButton::render(int state) const
{
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawButton(p, qint16(state));
    return image;
}

void PictureButton::drawButton(QPainter &p, qint16 state) const
{
    // The rule is stated in twips; at 15 twips a pixel every border line
    // lands on a whole pixel.
    const float w = float(width() * TwipsPerPixel);
    const float h = float(height() * TwipsPerPixel);
    const int r = twipsToPixels(toInt16(w - TwipsPerPixel));
    const int b = twipsToPixels(toInt16(h - TwipsPerPixel));
    const float pw = float(m_picture.width() * TwipsPerPixel);
    const float ph = float(m_picture.height() * TwipsPerPixel);
    const qint16 x0 = toInt16((w - pw) * 0.5f);
    const qint16 y0 = toInt16((h - ph) * 0.5f);

    // Left at the system's button face, the face is not painted: the page
    // beneath shows, so a flat button is part of its page rather than a tile
    // of the palette's button colour, which need not be the page's.
    if (fillsFace())
        p.fillRect(QRect(0, 0, width(), height()), m_backColor);

    QColor topLeft, bottomRight;
    switch (state) {
    case Flat:
        break;
    case Raised:
        topLeft = White;
        bottomRight = DarkGrey;
        break;
    case Pressed:
        topLeft = DarkGrey;
        bottomRight = White;
        break;
    default:
        return;
    }
    if (state != Flat) {
        drawLine(p, 0, 0, r, 0, topLeft);
        drawLine(p, 0, 0, 0, b, topLeft);
        drawLine(p, r, b, 0, b, bottomRight);
        drawLine(p, r, 0, r, b, bottomRight);
    }

    if (m_picture.isNull())
        return;
    const int shift = state == Pressed ? TwipsPerPixel : 0;
    p.drawPixmap(twipsToPixels(x0 + shift), twipsToPixels(y0 + shift), m_picture);
}

void PictureButton::setLook(qint16 state)
{
    m_buttonState = state;
    refresh();
}

bool PictureButton::pointerIsOver()
{
    return QApplication::widgetAt(m_cursorPos) == this;
}

void PictureButton::pollHover()
{
    m_cursorPos = QCursor::pos();
    // A disabled button takes no part in hovering, so it stays flat.
    const bool over = isEnabled() && pointerIsOver();
    if (over) {
        m_buttonState = Raised;
        if (m_mouseOver != 1) {
            m_mouseOver = 1;
            refresh();
        }
    } else {
        m_buttonState = Flat;
        if (m_mouseOver != 0) {
            m_mouseOver = 0;
            refresh();
        }
    }
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawButton(p, m_buttonState);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position() * TwipsPerPixel;
    emit mouseDown(KeyCodes::buttonState(event->button()), KeyCodes::shiftState(event->modifiers()),
                   float(pos.x()), float(pos.y()));
    setLook(Pressed);
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF pos = event->position() * TwipsPerPixel;
    emit mouseUp(KeyCodes::buttonState(event->button()), KeyCodes::shiftState(event->modifiers()),
                 float(pos.x()), float(pos.y()));
    setLook(m_buttonState != Flat ? Raised : Flat);
    // A click is a left press and release both on the button.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position() * TwipsPerPixel;
    emit mouseMove(KeyCodes::buttonState(event->buttons()), KeyCodes::shiftState(event->modifiers()),
                   float(pos.x()), float(pos.y()));
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    const qint16 shift = KeyCodes::shiftState(event->modifiers());
    emit keyDown(KeyCodes::fromQtKey(event->key()), shift);
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() != 0)
        emit keyPress(qint16(text.at(0).unicode()));
    event->accept();
}

void PictureButton::keyReleaseEvent(QKeyEvent *event)
{
    emit keyUp(KeyCodes::fromQtKey(event->key()), KeyCodes::shiftState(event->modifiers()));
    event->accept();
}

void PictureButton::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_hoverPoll.start();
}

void PictureButton::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_hoverPoll.stop();
}

void PictureButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    if (!isEnabled()) {
        m_buttonState = Flat;
        m_mouseOver = 0;
    }
    update();
    noteEnabledSetting();
}

void PictureButton::setControlEnabled(bool enabled)
{
    setEnabled(enabled);
    // With the parent disabled Qt sends no change event for this.
    noteEnabledSetting();
}

void PictureButton::noteEnabledSetting()
{
    if (controlEnabled() == m_enabledSetting)
        return;
    m_enabledSetting = controlEnabled();
    if (!m_loading)
        emit propertyChanged(QStringLiteral("Enabled"));
}
