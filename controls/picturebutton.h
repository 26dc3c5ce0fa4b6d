#pragma once
// A flat picture button: no caption, no focus rectangle. The pointer resting
// over it gives a one-pixel raised border; a mouse button held on it gives a
// sunken border with the picture moved one pixel right and down.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QWidget>

class PropertyBag;
class QPainter;

class PictureButton : public QWidget {
    Q_OBJECT
public:
    // Looks, as kept in buttonState; any other value draws an empty surface.
    enum Look : qint16 { Flat = 0, Raised = 1, Pressed = 2 };

    explicit PictureButton(QWidget *parent = nullptr);

    // Back colour of the surface. Until one is set, it reads as the system's
    // button-face colour, and the face is left to the page the button stands
    // on, so a flat button shows only its picture whatever colour the page is.
    QColor backColor() const;
    void setBackColor(const QColor &color);
    // 0 transparent (the surface is not cleared), 1 opaque.
    qint16 backStyle() const { return m_backStyle; }
    void setBackStyle(qint16 style);
    // A null pixmap means no picture.
    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    // Enabled: the button's own setting, which is what is stored and what a
    // change notifies. Disabling the parent turns the button off (isEnabled)
    // but leaves the setting. setEnabled sets it too, but only this setter
    // notifies while the parent is disabled.
    bool controlEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void setControlEnabled(bool enabled);

    void loadProperties(const PropertyBag &bag);
    void saveProperties(PropertyBag &bag) const;

    qint16 buttonState() const { return m_buttonState; }
    qint16 mouseOver() const { return m_mouseOver; }
    QPoint cursorPos() const { return m_cursorPos; }
    bool hoverPollActive() const { return m_hoverPoll.isActive(); }

    // The surface as it looks in the given state, at the widget's size;
    // transparent where the page shows through.
    QImage render(int state) const;
    // Forces an immediate complete repaint.
    void refresh();

    QSize sizeHint() const override;

public slots:
    // One tick of the hover poll (every 100 ms while shown).
    void pollHover();

signals:
    void propertyChanged(const QString &name);
    void clicked();
    // keyCode and shift as controls/keycodes.h gives them.
    void keyDown(qint16 keyCode, qint16 shift);
    void keyPress(qint16 keyAscii);
    void keyUp(qint16 keyCode, qint16 shift);
    // Button is 1 left, 2 right, 4 middle; X and Y are in twips.
    void mouseDown(qint16 button, qint16 shift, float x, float y);
    void mouseMove(qint16 button, qint16 shift, float x, float y);
    void mouseUp(qint16 button, qint16 shift, float x, float y);

protected:
    // Whether the window under the pointer is this button. Tests replace it.
    virtual bool pointerIsOver();

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void drawButton(QPainter &painter, qint16 state) const;
    void setLook(qint16 state);
    bool fillsFace() const { return m_backStyle != 0 && m_backColor.isValid(); }
    void noteEnabledSetting();

    QColor m_backColor;         // invalid: the system's button face
    qint16 m_backStyle = 1;
    QPixmap m_picture;
    QPoint m_cursorPos;
    qint16 m_buttonState = Flat;
    qint16 m_mouseOver = 0;
    bool m_loading = false;
    bool m_enabledSetting = true; // as last notified
    QTimer m_hoverPoll;
};
