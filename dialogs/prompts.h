#pragma once
// The one seam through which the program asks the user anything modal:
// message boxes, input boxes, file dialogs, the help window and the
// system's URL handler. Tests install their own answers with install().
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QDialog;
class QFontMetrics;
class QWidget;

struct FileDialogRequest {
    bool save = false;          // Save dialog instead of Open
    QWidget *owner = nullptr;
    QString title;
    QStringList filters;        // Qt form, one per pair: "Quillhaven File (*.qhv)"
    int filterIndex = 1;        // 1-based pair shown first
    QString initialFolder;
    QString initialName;        // proposed in the name box; empty: none
};

struct FileDialogResult {
    bool accepted = false;
    QString path;               // full path chosen
    int filterIndex = 1;        // 1-based pair selected when the user accepted
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // Title defaults to the application title. Lines too wide for the screen
    // (a long path) are shortened in the middle.
    virtual QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                                const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                const QString &title = QStringLiteral("Quillhaven"),
                                                QMessageBox::StandardButton defaultButton
                                                = QMessageBox::NoButton);
    // nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget *parent, const QString &title,
                                             const QString &prompt, const QString &defaultText);
    virtual FileDialogResult fileDialog(const FileDialogRequest &request);
    // False when the system has no handler for the address.
    virtual bool openUrl(const QUrl &url);
    // Help window at a context number (3 to 6 the tabs), 0 the contents.
    virtual void showHelp(QWidget *parent, int context);
    // Runs one of the program's own dialogs modally (a test fills it instead).
    virtual void runDialog(QDialog &dialog);

    // `text` with every line wider than `width` pixels in `metrics`
    // shortened in the middle, and at most `maxLines` lines kept.
    static QString fitText(const QString &text, const QFontMetrics &metrics, int width,
                           int maxLines = 30);

    static Prompts &current();
    // Replaces the active prompts (nullptr restores the real dialogs). Not owned.
    static void install(Prompts *prompts);
};
