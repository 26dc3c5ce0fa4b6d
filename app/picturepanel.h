#pragma once
// The column of picture buttons on the first tab: New, Open and Save File,
// the About box and the help. The buttons draw no focus rectangle, so the
// panel outlines the one that has the keyboard focus.
#include <QFrame>
#include <array>

class PictureButton;

// What the picture buttons do, top to bottom.
enum class PictureAction { New, Open, Save, About, Help };

class PicturePanel : public QFrame {
    Q_OBJECT
public:
    explicit PicturePanel(QWidget *parent = nullptr);

    PictureButton *button(PictureAction action) const { return m_buttons[size_t(action)]; }

signals:
    // A button was clicked, or Space or Enter pressed on it.
    void actionRequested(PictureAction action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<PictureButton *, 5> m_buttons{};
    QFrame *m_focusOutline = nullptr;
};
