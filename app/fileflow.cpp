#include "fileflow.h"

#include "dialogs/loanfiledialog.h"
#include "dialogs/prompts.h"
#include "document/loandocument.h"
#include "storage/bundledfiles.h"
#include "storage/paths.h"
#include "storage/settings.h"

#include <QFileInfo>

namespace {
const QString kTitle = QStringLiteral("Quillhaven");
const QString kClosingQuestion = QStringLiteral("Would Like to save changes?");
} // namespace

FileFlow::FileFlow(LoanDocument &document, LoanFileDialog &dialog, QWidget *owner)
    : m_document(document)
    , m_dialog(dialog)
    , m_owner(owner)
{
}

void FileFlow::tell(const QString &text)
{
    Prompts::current().message(m_owner, QMessageBox::Warning, text, QMessageBox::Ok);
}

bool FileFlow::ask(const QString &question, bool warning)
{
    return Prompts::current().message(m_owner,
                                      warning ? QMessageBox::Warning : QMessageBox::Question,
                                      question, QMessageBox::Yes | QMessageBox::No, kTitle,
                                      QMessageBox::No)
           == QMessageBox::Yes;
}

bool FileFlow::load(QString &path)
{
    if (path.isEmpty())
        path = BundledFiles::defaultLoanPath();
    const LoanGuard::Claim claim = m_document.guard().claim(path, *this, LoanGuard::Use::Open);
    if (!claim)
        return false;
    if (const Result loaded = m_document.load(path); !loaded) {
        tell(loaded.reason);
        return false;
    }
    if (!m_document.extensionProblem().isEmpty())
        tell(m_document.extensionProblem());
    return true;
}

bool FileFlow::save(QString &path)
{
    if (path.isEmpty())
        path = BundledFiles::defaultLoanPath();
    const LoanGuard::Claim claim = m_document.guard().claim(path, *this, LoanGuard::Use::Save);
    if (!claim)
        return false;
    // What could not be read is not written over without asking.
    if (m_document.wouldOverwriteUnreadSection(path)
        && !ask(QStringLiteral("The loan file \"%1\" holds changes and a plan that could not be "
                               "read. Save over them?")
                    .arg(QFileInfo(path).fileName()),
                true))
        return false;
    if (const Result saved = m_document.save(path); !saved) {
        tell(saved.reason);
        return false;
    }
    return true;
}

void FileFlow::startNew(const QString &path)
{
    m_document.startNew(path);
}

void FileFlow::openAtStart(QString path, const QString &problem)
{
    if (!problem.isEmpty())
        tell(problem);
    // A loan without a file is never written anywhere until the user names one.
    if (!problem.isEmpty() || !load(path))
        m_document.detachFromFile();
}

bool FileFlow::offerToSave()
{
    if (!m_document.isChanged())
        return true;
    const auto answer = Prompts::current().message(
        m_owner, QMessageBox::Question, kClosingQuestion,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return saveCurrent();
    return answer == QMessageBox::No;
}

bool FileFlow::saveCurrent()
{
    QString path = m_document.path();
    if (!path.isEmpty())
        return save(path);
    m_dialog.setFileName(BundledFiles::defaultLoanPath());
    QString name = chooseSaveName(QStringLiteral("Save Loan File"));
    return !name.isEmpty() && save(name);
}

QString FileFlow::chooseSaveName(const QString &title)
{
    m_dialog.setDialogTitle(title);
    for (;;) {
        m_dialog.showSave();
        const QString name = m_dialog.fileName();
        if (name.isEmpty())
            return QString();
        const QFileInfo chosen(name);
        const QString own = m_document.path();
        const bool ownFile = !own.isEmpty()
                             && chosen.absoluteFilePath() == QFileInfo(own).absoluteFilePath();
        if (ownFile || !chosen.exists())
            return name;
        const auto answer = Prompts::current().message(
            m_owner, QMessageBox::Warning,
            QStringLiteral("%1 already exists.\nDo you want to replace it?")
                .arg(splitPath(name, PathPart::FileName)),
            QMessageBox::Yes | QMessageBox::No, kTitle, QMessageBox::No);
        if (answer == QMessageBox::Yes)
            return name;
    }
}

bool FileFlow::close()
{
    const auto answer = Prompts::current().message(
        m_owner, QMessageBox::Question, kClosingQuestion,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    // A failed save or a cancelled dialog keeps the window open: nothing is lost.
    if (!saveCurrent())
        return false;
    if (const Result remembered = Settings().rememberFile(m_document.path()); !remembered)
        tell(QStringLiteral("The loan was saved, but its name could not be remembered for the "
                            "next start: the settings folder %1 cannot be written.")
                 .arg(remembered.reason));
    return true;
}

void FileFlow::newFile()
{
    if (!offerToSave())
        return;
    m_dialog.setDialogTitle(QStringLiteral("New Loan File"));
    m_dialog.showOpen();
    const QString name = m_dialog.fileName();
    if (name.isEmpty())
        return;
    const LoanGuard::Claim claim = m_document.guard().claim(name, *this, LoanGuard::Use::Replace);
    if (!claim)
        return;
    if (isReadableFile(name)) {
        const auto answer = Prompts::current().message(
            m_owner, QMessageBox::Critical,
            name + QStringLiteral("\nThis file already exist.\n\nReplace existing file?"),
            QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok)
            return;
    }
    startNew(name);
}

void FileFlow::openFile()
{
    if (!offerToSave())
        return;
    m_dialog.setDialogTitle(QStringLiteral("Open Loan File"));
    m_dialog.showOpen();
    QString name = m_dialog.fileName();
    if (!name.isEmpty())
        load(name);
}

void FileFlow::saveInPlace()
{
    QString path = m_document.path();
    if (path.isEmpty())
        saveFile();
    else
        save(path);
}

void FileFlow::saveFile()
{
    QString name = chooseSaveName(QStringLiteral("Save Loan File"));
    if (!name.isEmpty())
        save(name);
}
