#pragma once
// The help window: the program's own HTML pages in a small browser, opened at
// the contents (context 0) or at the page of a tab (contexts 3 to 6).
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The one help window of the program, created on first use.
    static HelpWindow *instance();
    // Page file name for a context number; the contents for any unknown one.
    static QString pageFor(int context);

    void showContext(int context);
    QString currentPage() const;

private:
    HelpWindow();
    QTextBrowser *m_browser;
};
