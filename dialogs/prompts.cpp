#include "prompts.h"

#include "helpwindow.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>

QMessageBox::StandardButton Prompts::message(QWidget *parent, QMessageBox::Icon icon,
                                             const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             const QString &title)
{
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> Prompts::inputText(QWidget *parent, const QString &title,
                                          const QString &prompt, const QString &defaultText)
{
    bool ok = false;
    QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal,
                                           defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

FileDialogResult Prompts::fileDialog(const FileDialogRequest &request)
{
    QFileDialog dialog(request.owner, request.title, request.initialFolder);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any name may be typed, existing or not, and Save asks nothing: the
    // callers decide what a name means.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.filterIndex - 1));
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.path = dialog.selectedFiles().constFirst();
    result.filterIndex = int(request.filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1)
        result.filterIndex = 1;
    return result;
}

bool Prompts::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

void Prompts::showHelp(QWidget *, int context)
{
    HelpWindow::instance()->showContext(context);
}

namespace {
Prompts g_default;
Prompts *g_current = &g_default;
} // namespace

Prompts &Prompts::current()
{
    return *g_current;
}

void Prompts::install(Prompts *prompts)
{
    g_current = prompts ? prompts : &g_default;
}
