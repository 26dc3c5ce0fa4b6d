#pragma once
// The file commands over the loan document: New, Open, Save, the question
// on closing, and the questions before replacing a file. Every question and
// message goes through the prompts seam.
#include <QString>

#include "document/loanguard.h"

class LoanDocument;
class LoanFileDialog;
class QWidget;

class FileFlow : private LoanGuard::Dialogue {
public:
    FileFlow(LoanDocument &document, LoanFileDialog &dialog, QWidget *owner);

    // Opens `path` (empty: the default loan file); false, with a message
    // shown and nothing changed, when the file cannot be used.
    bool load(QString &path);
    // Writes the loan to `path` (empty: the default loan file).
    bool save(QString &path);
    // Starts an empty loan bound to `path`.
    void startNew(const QString &path);
    // At the start: `path` opened, or a problem told and no file.
    void openAtStart(QString path, const QString &problem);

    // The picture buttons' commands.
    void newFile();
    void openFile();
    void saveFile();
    // Ctrl+S: the loan written to its own file with no dialog, saying nothing
    // unless it fails or a question applies; a loan with no file asks for a name.
    void saveInPlace();
    // Closing: the question, Yes saving the loan and remembering it for the
    // next start. False when the window must stay open.
    bool close();

private:
    void tell(const QString &text) override;
    bool ask(const QString &question, bool warning) override;
    // Asks the closing question when the loan changed; false when the user
    // cancelled or the save failed.
    bool offerToSave();
    // Saves to the loan's file, or asks for one when the loan has none.
    bool saveCurrent();
    // Runs the Save dialog until a name is chosen that is the loan's own file,
    // a new one, or one the user agrees to replace; empty when cancelled.
    QString chooseSaveName(const QString &title);

    LoanDocument &m_document;
    LoanFileDialog &m_dialog;
    QWidget *m_owner;
};
