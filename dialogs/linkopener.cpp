#include "linkopener.h"

#include "prompts.h"

#include <QUrl>

QString LinkOpener::webFailureText()
{
    return QStringLiteral("Error lauching web borwser. Make sure that your web browser is "
                          "correctly installed and configured");
}

QString LinkOpener::mailFailureText()
{
    return QStringLiteral("Error sending mail. Make sure that you have your email client  "
                          "correctly installed and configured");
}

bool LinkOpener::openWebPage(const QString &url, QWidget *parent)
{
    if (Prompts::current().openUrl(QUrl(url.trimmed())))
        return true;
    Prompts::current().message(parent, QMessageBox::Critical, webFailureText(), QMessageBox::Ok,
                               QStringLiteral("Quillhaven"));
    return false;
}

bool LinkOpener::sendEmail(const QString &address, QWidget *parent)
{
    if (Prompts::current().openUrl(QUrl(QStringLiteral("mailto:") + address.trimmed())))
        return true;
    Prompts::current().message(parent, QMessageBox::Critical, mailFailureText(), QMessageBox::Ok,
                               QStringLiteral("Quillhaven"));
    return false;
}
