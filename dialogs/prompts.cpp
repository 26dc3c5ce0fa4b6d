#include "prompts.h"

#include <QDialog>

#include "helpwindow.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QScreen>

QString Prompts::fitText(const QString &text, const QFontMetrics &metrics, int width,
                         int maxLines)
{
    QStringList lines = text.split(u'\n');
    if (lines.size() > maxLines) {
        lines = lines.mid(0, maxLines);
        lines.back() = QStringLiteral("\u2026");
    }
    for (QString &line : lines)
        if (metrics.horizontalAdvance(line) > width)
            line = metrics.elidedText(line, Qt::ElideMiddle, width);
    return lines.join(u'\n');
}

QMessageBox::StandardButton Prompts::message(QWidget *parent, QMessageBox::Icon icon,
                                             const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             const QString &title,
                                             QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    // A message names files; a path of any length must leave the box, and
    // its buttons, on the screen.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int width = screen ? screen->availableGeometry().width() / 2 : 600;
    box.setText(fitText(text, box.fontMetrics(), width));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
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
    // Qt's own dialog on every desktop, so the dialog users see is the one
    // the tests drive.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(request.filters);
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
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

void Prompts::runDialog(QDialog &dialog)
{
    dialog.exec();
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
