#pragma once
// The About box: program name, version, description and copyright beside a
// gradient panel with the program's icon, plus a web link and a mail link.
#include <QDialog>
#include <QString>

class QLabel;
class QPainter;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // "Copyright (c) <year> <holder>", put together at run time.
    static QString CopyrightNote();

    static QString mailAddress();
    static QString webAddress();

public slots:
    void cmdOK_Click();
    void Web_Click();
    void lblEmail_Click();
    // Escape presses OK, as Enter does.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    void Picture1_Paint(QPainter &painter);
    void lblEmail_MouseDown();
    void lblEmail_MouseUp();
    QLabel *makeLabel(const char *name, int left, int top, int width, int height);

    QWidget *m_picture1 = nullptr;
    QLabel *m_picIcon = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblDescription = nullptr;
    QLabel *m_lblCopyright = nullptr;
    QLabel *m_label1[2] = {nullptr, nullptr};
    QLabel *m_lblEmail = nullptr;
    QLabel *m_web = nullptr;
    QLabel *m_lblDisclaimer = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QWidget *m_pressedLink = nullptr;
};
