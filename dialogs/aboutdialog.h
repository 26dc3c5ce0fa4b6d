#pragma once
// The About box: program name, version, description and copyright beside a
// gradient panel with the program's icon, plus a web link and a mail link.
#include <QDialog>
#include <QString>

class QLabel;
class QPainter;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // "Copyright (c) <year> <holder>", put together at run time.
    static QString copyrightNote();

    static QString mailAddress();
    static QString webAddress();

public slots:
    void okClicked();
    void webClicked();
    void emailClicked();
    // Escape presses OK, as Enter does.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void fillTexts();
    void paintSidePanel(QPainter &painter);
    void emailPressed();
    void emailReleased();
    QLabel *makeLabel(const char *name, int left, int top, int width, int height);

    QWidget *m_sidePanel = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_description = nullptr;
    QLabel *m_copyright = nullptr;
    QLabel *m_linkCaptions[2] = {nullptr, nullptr};
    QLabel *m_emailLink = nullptr;
    QLabel *m_webLink = nullptr;
    QLabel *m_disclaimer = nullptr;
    QPushButton *m_okButton = nullptr;
    QWidget *m_pressedLink = nullptr;
};
