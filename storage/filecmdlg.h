#pragma once
// Wrapper of the Open and Save file dialogs used by the file commands. It
// keeps its settings between dialogs: the filter pair last chosen is the one
// the next dialog starts on.
#include <QString>
#include <QStringList>

class QWidget;

class FileCmdlg {
public:
    QString FileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString &value) { m_fileTitle = value; }
    QString InitDir() const { return m_initDir; }
    void setInitDir(const QString &value) { m_initDir = value; }
    // Kept and handed on unchanged; the dialogs take no option flags here.
    qint32 Flags() const { return m_flags; }
    void setFlags(qint32 value) { m_flags = value; }
    // 1-based filter pair; 0 counts as the first.
    qint16 FilterIndex() const { return m_filterIndex; }
    void setFilterIndex(qint16 value) { m_filterIndex = value; }
    // "description|pattern|description|pattern..."
    QString Filter() const { return m_filter; }
    void setFilter(const QString &value) { m_filter = value; }
    // Chosen path after a dialog; empty after a cancelled one.
    QString FileName() const { return m_fileName; }
    void setFileName(const QString &value) { m_fileName = value; }
    QString DialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString &value) { m_dialogTitle = value; }
    QWidget *hWnd() const { return m_hWnd; }
    void sethWnd(QWidget *owner) { m_hWnd = owner; }
    qint16 Action() const { return m_action; }
    // 1 runs ShowOpen, 2 runs ShowSave; other values are only kept.
    void setAction(qint16 value);

    void ShowOpen();
    void ShowSave();

    // The filter with every "|" but the last character turned into a NUL;
    // rebuilds FilterExt from the patterns.
    QString ConvertFilter(const QString &filter);
    // Slot k: default extension of filter pair k ("*" removed); slot 0 empty.
    QStringList FilterExt() const { return m_filterExt; }
    // Appends the chosen pair's extension to FileName unless the name
    // already ends in it (with case), the extension is shorter than two
    // characters or is a list with ";".
    void AddDefaultExt();

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
    QWidget *m_hWnd = nullptr;
    qint16 m_action = 0;
    QStringList m_filterExt;
};
