#include "typewritertext.h"

#include "keycodes.h"
#include "propertybag.h"
#include "textwrap.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>

// ---------------------------------------------------------------- TypewriterCanvas

TypewriterCanvas::TypewriterCanvas(QWidget *parent) : QWidget(parent)
{
    // Pointer events on the box belong to it alone; only the surface's
    // margin reports to the host.
    setAttribute(Qt::WA_NoMousePropagation);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TypewriterCanvas::setColors(const QColor &back, const QColor &fore)
{
    m_back = back;
    m_fore = fore;
}

void TypewriterCanvas::cls()
{
    m_x = 0;
    m_y = 0;
    if (width() <= 0 || height() <= 0) {
        m_image = QImage();
    } else {
        m_image = QImage(size(), QImage::Format_RGB32);
        m_image.fill(m_back);
    }
    update();
}

double TypewriterCanvas::textHeight(const QString &s) const
{
    Q_UNUSED(s); // one line of text is as high as the font's line, whatever it holds
    return QFontMetricsF(font()).height();
}

double TypewriterCanvas::textWidth(const QString &s) const
{
    return QFontMetricsF(font()).horizontalAdvance(s);
}

void TypewriterCanvas::print(const QString &s)
{
    if (s == u"\r" || s == u"\n") {
        m_x = 0;
        m_y += textHeight(s);
        return;
    }
    if (!m_image.isNull()) {
        QPainter p(&m_image);
        p.setFont(font());
        p.setPen(m_fore);
        p.drawText(QPointF(m_x, m_y + QFontMetricsF(font()).ascent()), s);
    }
    m_x += textWidth(s);
    update();
}

void TypewriterCanvas::drawPictureAt(const QImage &img, double y)
{
    if (m_image.isNull())
        return;
    QPainter p(&m_image);
    p.drawImage(QPointF(0, y), img);
    const double bottom = y + img.height();
    if (bottom < m_image.height())
        p.fillRect(QRectF(0, bottom, m_image.width(), m_image.height() - bottom), m_back);
    update();
}

void TypewriterCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_image.isNull())
        p.fillRect(rect(), m_back);
    else
        p.drawImage(0, 0, m_image);
}

void TypewriterCanvas::resizeEvent(QResizeEvent *)
{
    if (m_image.size() == size())
        return;
    // Keep what was printed; new area shows the back colour.
    const QImage old = m_image;
    const double x = m_x;
    const double y = m_y;
    cls();
    m_x = x;
    m_y = y;
    if (!old.isNull() && !m_image.isNull()) {
        QPainter p(&m_image);
        p.drawImage(0, 0, old);
    }
}

// ---------------------------------------------------------------- TypewriterText

namespace {
const QString kText = QStringLiteral("Text");
constexpr int kStoredDelay = 60;
constexpr int kPlacedScrollSteps = 5;

int twips(double pixels)
{
    return static_cast<int>(pixels * TypewriterText::TwipsPerPixel);
}

} // namespace

TypewriterText::TypewriterText(QWidget *parent) : QWidget(parent), m_canvas(new TypewriterCanvas(this))
{
    m_typeTimer.setInterval(50);
    m_scrollTimer.setInterval(50);
    connect(&m_typeTimer, &QTimer::timeout, this, &TypewriterText::typeNext);
    connect(&m_scrollTimer, &QTimer::timeout, this, &TypewriterText::scrollNext);

    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    m_canvas->setFont(font);

    m_backColor = defaultBackColor();
    m_foreColor = defaultForeColor();
    applySurfaceLook();
    m_canvas->setColors(m_backColor, m_foreColor);

    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    const int side = PlacedSizeTwips / TwipsPerPixel;
    resize(side, side);
    layoutStep();
}

QColor TypewriterText::defaultBackColor()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor TypewriterText::defaultForeColor()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

QFont TypewriterText::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void TypewriterText::applySurfaceLook()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, m_backColor);
    pal.setColor(QPalette::WindowText, m_foreColor);
    setPalette(pal);
    setAutoFillBackground(m_backStyle != 0);
    update();
}

void TypewriterText::initNew()
{
    setTextFont(ambientFont());
    setText(kText);
    setScrollSteps(kPlacedScrollSteps);
}

void TypewriterText::loadProperties(const PropertyBag &bag)
{
    m_backColor = bag.read("BackColor", defaultBackColor()).value<QColor>();
    m_foreColor = bag.read("ForeColor", defaultForeColor()).value<QColor>();
    QWidget::setEnabled(bag.read("Enabled", true).toBool());
    setTextFont(bag.read("Font", ambientFont()).value<QFont>());
    m_backStyle = bag.read("BackStyle", 1).toInt();
    m_borderStyle = bag.read("BorderStyle", 0).toInt();
    m_text = bag.read("Text", kText).toString();
    applySurfaceLook();
    m_canvas->setColors(m_backColor, m_foreColor);
    // Once more, so the loaded text is laid out and wrapped in the loaded colours.
    setTextFont(textFont());
    const int storedDelay = bag.read("Delay", kStoredDelay).toInt();
    m_typeTimer.setInterval(storedDelay < 0 ? kStoredDelay : storedDelay);
    setTyping(bag.read("Animate", false).toBool());
    m_scrollSteps = bag.read("ScrollSteps", kPlacedScrollSteps).toInt();
    // What the first layout after loading would do: without it a loaded
    // instance would glide in one step until it is resized.
    recomputeScrollStep();
}

void TypewriterText::saveProperties(PropertyBag &bag) const
{
    bag.write("BackColor", m_backColor, defaultBackColor());
    bag.write("ForeColor", m_foreColor, defaultForeColor());
    bag.write("Enabled", controlEnabled(), true);
    bag.write("Font", textFont(), ambientFont());
    bag.write("BackStyle", m_backStyle, 1);
    bag.write("BorderStyle", m_borderStyle, 0);
    bag.write("Text", m_text, kText);
    bag.write("Delay", delay(), kStoredDelay);
    bag.write("Animate", animate(), false);
    bag.write("ScrollSteps", m_scrollSteps, kPlacedScrollSteps);
}

void TypewriterText::setBackColor(const QColor &color)
{
    m_backColor = color;
    applySurfaceLook();
    m_canvas->setColors(m_backColor, m_canvas->foreColor());
    emit propertyChanged("BackColor");
    refresh();
}

void TypewriterText::setForeColor(const QColor &color)
{
    m_foreColor = color;
    applySurfaceLook();
    m_canvas->setColors(m_canvas->backColor(), m_foreColor);
    emit propertyChanged("ForeColor");
}

bool TypewriterText::controlEnabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void TypewriterText::setControlEnabled(bool enabled)
{
    QWidget::setEnabled(enabled);
    emit propertyChanged("Enabled");
}

void TypewriterText::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
    emit propertyChanged("BorderStyle");
}

QFont TypewriterText::textFont() const
{
    return m_canvas->font();
}

void TypewriterText::setTextFont(const QFont &font)
{
    m_canvas->setFont(font);
    emit propertyChanged("Font");
    layoutStep();
}

void TypewriterText::setText(const QString &text)
{
    m_text = text;
    emit propertyChanged("Text");
    // The typing position is kept: it goes on at the same place in the new text.
    m_wrappedText = wrapToWidth(m_text);
}

void TypewriterText::setDelay(int milliseconds)
{
    if (milliseconds < 0)
        return;
    m_typeTimer.setInterval(milliseconds);
    setTyping(m_typing);
    emit propertyChanged("Delay");
}

void TypewriterText::setAnimate(bool on)
{
    setTyping(on);
    emit propertyChanged("Animate");
}

void TypewriterText::setTyping(bool on)
{
    m_typing = on;
    // A QTimer of interval 0 would fire at every pass of the event loop; an
    // interval of 0 means no ticks at all.
    if (on && m_typeTimer.interval() > 0)
        m_typeTimer.start();
    else
        m_typeTimer.stop();
}

void TypewriterText::setScrollSteps(int steps)
{
    m_scrollSteps = std::clamp(steps, -32768, 32767);
    emit propertyChanged("ScrollSteps");
    recomputeScrollStep();
}

void TypewriterText::recomputeScrollStep()
{
    m_scrollStep = m_scrollSteps >= 2 ? m_lineHeight / float(m_scrollSteps) : m_lineHeight;
}

void TypewriterText::refresh()
{
    repaint();
    m_wordPos = 1;
    m_charPos = 0;
    m_canvas->cls();
}

bool TypewriterText::load(const QString &fileName)
{
    // Opened for reading and writing so that a missing file is created, but
    // never truncated; a file we may only read is still read.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite) && !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    m_wrappedText = wrapToWidth(QString::fromLatin1(bytes));
    return true;
}

QString TypewriterText::wrapToWidth(const QString &msg) const
{
    const QFontMetricsF metrics(m_canvas->font());
    // Line breaks move the print position; they take no width on the line.
    const auto measure = [&metrics](const QString &line) {
        QString visible = line;
        visible.remove(u'\r');
        visible.remove(u'\n');
        return metrics.horizontalAdvance(visible);
    };
    return ::wrapToWidth(msg, measure, m_canvas->width());
}

void TypewriterText::layoutStep()
{
    // A one-pixel (15 twip) margin of the surface shows around the box.
    const int leftTwips = 15;
    const int topTwips = 15;
    const int widthTwips = std::max(0, twips(width()) - 30);
    const int heightTwips = std::max(0, twips(height()) - 30);
    m_canvas->setGeometry(leftTwips / TwipsPerPixel, topTwips / TwipsPerPixel,
                         widthTwips / TwipsPerPixel, heightTwips / TwipsPerPixel);
    m_charPos = 0;
    m_lineHeight = float(m_canvas->textHeight(QStringLiteral("j^")));
    recomputeScrollStep();
    m_canvas->cls();
    m_wrappedText = wrapToWidth(m_text);
}

void TypewriterText::typeNext()
{
    ++m_charPos;
    if (m_charPos > m_wrappedText.size()) {
        // Nothing is printed on this tick; the next cycle goes on below.
        m_charPos = 0;
        m_wordPos = 1;
        emit nextCycle();
        emit nextWordStart(m_wordPos);
        return;
    }
    m_curChar = m_wrappedText.mid(m_charPos - 1, 1);
    m_canvas->print(m_curChar);
    if (m_curChar == u" " || m_curChar == u"\n") {
        ++m_wordPos;
        emit nextWordStart(m_wordPos);
    }
    if (m_curChar == u"\r") {
        // The line feed of a CR LF pair is neither printed nor counted.
        if (m_charPos < m_wrappedText.size() && m_wrappedText.at(m_charPos) == u'\n')
            ++m_charPos;
        applyScrollRule();
    } else if (m_curChar == u"\n") {
        // A line feed of its own is a line break too.
        applyScrollRule();
    }
}

void TypewriterText::applyScrollRule()
{
    const float y = float(m_canvas->currentY());
    if (!(y + m_lineHeight + m_scrollStep > float(m_canvas->height())))
        return;
    m_frame = m_canvas->image();
    switch (m_scrollSteps) {
    case 0:
        m_canvas->cls();
        break;
    case 1:
        m_canvas->cls();
        m_canvas->drawPictureAt(m_frame, -m_lineHeight);
        m_canvas->setCurrentY(y - m_lineHeight);
        break;
    default:
        setTyping(false);
        m_scrollTimer.start();
        break;
    }
}

void TypewriterText::scrollNext()
{
    m_scrollOffset += m_scrollStep;
    // Steps of LineHeight/n add up to a hair under LineHeight in single
    // precision; the n-th step is the last all the same.
    const float reached = m_lineHeight - std::max(m_scrollStep, 0.0f) * 1e-3f;
    if (m_scrollOffset < reached && m_scrollStep > 0) {
        m_canvas->drawPictureAt(m_frame, -m_scrollOffset);
        return;
    }
    m_scrollOffset = 0;
    m_canvas->drawPictureAt(m_frame, -m_lineHeight);
    m_canvas->setCurrentY(m_canvas->currentY() - m_lineHeight);
    m_scrollTimer.stop();
    setTyping(true);
}

void TypewriterText::resizeEvent(QResizeEvent *)
{
    layoutStep();
}

void TypewriterText::paintEvent(QPaintEvent *)
{
    if (m_borderStyle != 1)
        return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TypewriterText::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mouseDown(KeyCodes::buttonState(event->button()), KeyCodes::shiftState(event->modifiers()),
                   float(twips(at.x())), float(twips(at.y())));
}

void TypewriterText::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mouseUp(KeyCodes::buttonState(event->button()), KeyCodes::shiftState(event->modifiers()),
                 float(twips(at.x())), float(twips(at.y())));
    if (m_clickCancelled) {
        m_clickCancelled = false;
        return;
    }
    if (event->button() == Qt::LeftButton && rect().contains(at.toPoint()))
        emit clicked();
}

void TypewriterText::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_clickCancelled = true;
    emit doubleClicked();
}

void TypewriterText::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit mouseMove(KeyCodes::buttonState(event->buttons()), KeyCodes::shiftState(event->modifiers()),
                   float(twips(at.x())), float(twips(at.y())));
}

void TypewriterText::keyPressEvent(QKeyEvent *event)
{
    emit keyDown(KeyCodes::fromQtKey(event->key()), KeyCodes::shiftState(event->modifiers()));
    if (!event->text().isEmpty())
        emit keyPress(event->text().at(0).unicode());
}

void TypewriterText::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    emit keyUp(KeyCodes::fromQtKey(event->key()), KeyCodes::shiftState(event->modifiers()));
}
