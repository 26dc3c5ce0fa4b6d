#pragma once
// Hands a web address or a mail address to the system's default handler.
#include <QString>

class QWidget;

class LinkOpener {
public:
    // Both return false when the system could not take the address, after
    // telling the user so (critical message, OK, titled "Quillhaven").
    static bool openWebPage(const QString &url, QWidget *parent = nullptr);
    static bool sendEmail(const QString &address, QWidget *parent = nullptr);

    static QString webFailureText();
    static QString mailFailureText();
};
