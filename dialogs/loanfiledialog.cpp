#include "loanfiledialog.h"

#include "dialogs/prompts.h"

#include <QFileInfo>

void LoanFileDialog::setAction(qint16 value)
{
    m_action = value;
    if (value == 1)
        showOpen();
    else if (value == 2)
        showSave();
}

void LoanFileDialog::showOpen()
{
    show(false);
}

void LoanFileDialog::showSave()
{
    show(true);
}

void LoanFileDialog::show(bool save)
{
    convertFilter(m_filter);

    FileDialogRequest request;
    request.save = save;
    request.owner = m_owner;
    request.title = m_dialogTitle;
    request.filters = qtFilters(m_filter);
    request.filterIndex = m_filterIndex < 1 ? 1 : m_filterIndex;
    request.initialFolder = m_initDir;
    request.initialName = m_fileName;

    const FileDialogResult result = Prompts::current().fileDialog(request);
    if (!result.accepted) {
        m_fileName.clear();
        return;
    }
    m_fileName = result.path.trimmed();
    m_fileTitle = QFileInfo(m_fileName).fileName().trimmed();
    // Only the first digit of the chosen pair's number is kept.
    const QString index = QString::number(result.filterIndex);
    for (QChar c : index) {
        if (c.isDigit()) {
            m_filterIndex = qint16(c.digitValue());
            break;
        }
    }
    addDefaultExt();
}

QString LoanFileDialog::convertFilter(const QString &filter)
{
    m_filterExt = QStringList{QString()};
    QString out = filter;
    bool inDescription = true;
    // The last character is never examined.
    for (qsizetype i = 0; i + 1 < filter.size(); ++i) {
        if (filter.at(i) != QLatin1Char('|'))
            continue;
        out[i] = QChar(0);
        if (inDescription) {
            QString ext;
            for (qsizetype j = i + 1; j < filter.size() && filter.at(j) != QLatin1Char('|'); ++j)
                if (filter.at(j) != QLatin1Char('*'))
                    ext += filter.at(j);
            m_filterExt << ext.trimmed();
        }
        inDescription = !inDescription;
    }
    return out;
}

void LoanFileDialog::addDefaultExt()
{
    // An index with no pair of its own has no extension to add.
    if (m_filterIndex < 0 || m_filterIndex >= m_filterExt.size())
        return;
    const QString ext = m_filterExt.at(m_filterIndex);
    if (ext.contains(QLatin1Char(';')) || ext.size() < 2)
        return;
    if (!m_fileName.endsWith(ext, Qt::CaseSensitive))
        m_fileName += ext;
}

QStringList LoanFileDialog::qtFilters(const QString &filter)
{
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QString pattern = i + 1 < parts.size() ? parts.at(i + 1) : QString();
        QStringList globs;
        for (const QString &g : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!g.trimmed().isEmpty())
                globs << g.trimmed();
        if (description.isEmpty() && globs.isEmpty())
            continue;
        if (globs.isEmpty())
            globs << QStringLiteral("*");
        out << QStringLiteral("%1 (%2)").arg(description, globs.join(QLatin1Char(' ')));
    }
    return out;
}
