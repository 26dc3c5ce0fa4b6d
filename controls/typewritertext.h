#pragma once
// TypewriterText: a box that types its text one character at a time like a
// typewriter, word-wrapped to the box, scrolling up a line when the typing
// reaches the bottom, and starting over when the whole text is typed.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

class PropertyBag;

// The inner text box. Everything printed into it goes into a persistent image
// (what is shown is that image), so the box can be copied and drawn back
// shifted when the text scrolls. Measures are in pixels.
class TypewriterCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TypewriterCanvas(QWidget *parent = nullptr);

    void setColors(const QColor &back, const QColor &fore);
    QColor backColor() const { return m_back; }
    QColor foreColor() const { return m_fore; }

    // Fills the box with its back colour; print position to the top-left corner.
    void cls();
    // Prints s at the print position and moves it past s. A carriage return
    // or a line feed moves it to the start of the next line, one text height
    // down, and draws nothing.
    void print(const QString &s);
    // Draws img with its top-left corner at (0, y); the strip below it that
    // the picture no longer covers is filled with the back colour.
    void drawPictureAt(const QImage &img, double y);

    QImage image() const { return m_image; }
    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentY(double y) { m_y = y; }
    double textHeight(const QString &s) const;
    double textWidth(const QString &s) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_image;
    QColor m_back = Qt::white;
    QColor m_fore = Qt::black;
    double m_x = 0;
    double m_y = 0;
};

class TypewriterText : public QWidget {
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = 15;
    static constexpr int PlacedSizeTwips = 1755;

    explicit TypewriterText(QWidget *parent = nullptr);

    // A newly placed instance: host's font, Text "Text", ScrollSteps 5; Delay
    // stays at the timer's 50 ms and Animate off.
    void initNew();
    void loadProperties(const PropertyBag &bag);
    void saveProperties(PropertyBag &bag) const;

    // Properties; each setter notifies propertyChanged with the stored name.
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color);
    bool controlEnabled() const;
    void setControlEnabled(bool enabled);
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    QFont textFont() const;
    void setTextFont(const QFont &font);
    QString text() const { return m_text; }
    void setText(const QString &text);
    // Milliseconds between typed characters. 0 types nothing, though Animate
    // keeps reading as set; a negative value is refused and the old one stays.
    int delay() const { return m_typeTimer.interval(); }
    void setDelay(int milliseconds);
    bool animate() const { return m_typing; }
    void setAnimate(bool on);
    int scrollSteps() const { return m_scrollSteps; }
    void setScrollSteps(int steps);
    // Persisted, but not a property of its own: 1 opaque, 0 transparent.
    int backStyle() const { return m_backStyle; }

    // Repaints the surface, clears the box and starts typing again from the
    // first character.
    void refresh();
    // Wraps the content of fileName (bytes read as Latin-1) into the box, in
    // place of the wrapped text. A missing file is created empty. False, with
    // nothing changed, when the file cannot be opened or read.
    bool load(const QString &fileName);
    // msg wrapped to the box's width in the box's font.
    QString wrapToWidth(const QString &msg) const;

    // State, for hosts that follow the typing and for tests.
    QString wrappedText() const { return m_wrappedText; }
    int charPos() const { return m_charPos; }
    QString curChar() const { return m_curChar; }
    int wordPos() const { return m_wordPos; }
    float lineHeight() const { return m_lineHeight; }
    float scrollOffset() const { return m_scrollOffset; }
    float scrollStep() const { return m_scrollStep; }
    bool isScrolling() const { return m_scrollTimer.isActive(); }
    TypewriterCanvas *canvas() const { return m_canvas; }
    const QImage &frame() const { return m_frame; }

public slots:
    // Typing: one character per tick.
    void typeNext();
    // Smooth scrolling: one step per tick.
    void scrollNext();

signals:
    // The whole text has been typed and typing starts over.
    void nextCycle();
    // A word starts; `position` refers to the word counter itself, so a
    // directly connected host may change it.
    void nextWordStart(int &position);
    void clicked();
    void doubleClicked();
    // keyCode and shift as controls/keycodes.h gives them.
    void keyDown(int keyCode, int shift);
    void keyPress(int keyAscii);
    void keyUp(int keyCode, int shift);
    // button is 1 left, 2 right, 4 middle (for mouseMove, the buttons held);
    // x and y are in twips on the surface.
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    void propertyChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void layoutStep();
    void applyScrollRule();
    void setTyping(bool on);
    void recomputeScrollStep();
    void applySurfaceLook();
    QFont ambientFont() const;
    static QColor defaultBackColor();
    static QColor defaultForeColor();

    TypewriterCanvas *m_canvas = nullptr;
    QImage m_frame; // snapshot of the box taken before a scroll; never shown
    QTimer m_typeTimer;
    bool m_typing = false; // the typing timer is on; it ticks only while the delay is above 0
    QTimer m_scrollTimer;

    QColor m_backColor;
    QColor m_foreColor;
    int m_borderStyle = 0;
    int m_backStyle = 1;
    bool m_clickCancelled = false; // the release after a double click is no click

    QString m_text;
    QString m_wrappedText;
    int m_charPos = 0; // 1-based position of the character typed last; 0 before the first
    QString m_curChar;
    int m_wordPos = 1;
    float m_lineHeight = 0;   // pixels
    float m_scrollOffset = 0; // pixels
    float m_scrollStep = 0;   // pixels
    int m_scrollSteps = 0;    // 0 clear, 1 jump, other: glide in that many steps
};
