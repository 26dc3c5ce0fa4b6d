#pragma once
// Wrapper of the Open and Save file dialogs used by the file commands. It
// keeps its settings between dialogs: the filter pair last chosen is the one
// the next dialog starts on.
#include <QString>
#include <QStringList>

class QWidget;

class LoanFileDialog {
public:
    QString fileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString &value) { m_fileTitle = value; }
    QString initDir() const { return m_initDir; }
    void setInitDir(const QString &value) { m_initDir = value; }
    // Kept and handed on unchanged; the dialogs take no option flags here.
    qint32 flags() const { return m_flags; }
    void setFlags(qint32 value) { m_flags = value; }
    // 1-based filter pair; 0 counts as the first.
    qint16 filterIndex() const { return m_filterIndex; }
    void setFilterIndex(qint16 value) { m_filterIndex = value; }
    // "description|pattern|description|pattern..."
    QString filter() const { return m_filter; }
    void setFilter(const QString &value) { m_filter = value; }
    // Chosen path after a dialog; empty after a cancelled one.
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &value) { m_fileName = value; }
    QString dialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString &value) { m_dialogTitle = value; }
    QWidget *owner() const { return m_owner; }
    void setOwner(QWidget *owner) { m_owner = owner; }
    qint16 action() const { return m_action; }
    // 1 runs showOpen, 2 runs showSave; other values are only kept.
    void setAction(qint16 value);

    void showOpen();
    void showSave();

    // The filter with every "|" but the last character turned into a NUL;
    // rebuilds filterExt from the patterns.
    QString convertFilter(const QString &filter);
    // Slot k: default extension of filter pair k ("*" removed); slot 0 empty.
    QStringList filterExt() const { return m_filterExt; }
    // Appends the chosen pair's extension to FileName unless the name
    // already ends in it (with case), the extension is shorter than two
    // characters or is a list with ";".
    void addDefaultExt();

    // The filter as the Qt dialog takes it: "Quillhaven File (*.qhv)".
    static QStringList qtFilters(const QString &filter);

private:
    void show(bool save);

    QString m_dialogTitle;
    QString m_fileName;
    QString m_filter;
    qint16 m_filterIndex = 0;
    qint32 m_flags = 0;
    QString m_initDir;
    QString m_fileTitle;
    QWidget *m_owner = nullptr;
    qint16 m_action = 0;
    QStringList m_filterExt;
};
