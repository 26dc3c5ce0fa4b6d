#include "maincode.h"

#include "storage/bundledfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace MainCode {

QString CurrentFile;

namespace {
QSettings settings()
{
    return QSettings(QStringLiteral("Quillhaven"), QStringLiteral("Quillhaven"));
}
const char *kKey = "Properties/CurrentFile";
} // namespace

QString readCurrentFileSetting()
{
    return settings().value(QLatin1String(kKey)).toString();
}

void writeCurrentFileSetting(const QString &path)
{
    QSettings s = settings();
    s.setValue(QLatin1String(kKey), path);
    s.sync();
}

void loadCurrentFile()
{
    QSettings s = settings();
    if (s.contains(QLatin1String(kKey))) {
        CurrentFile = s.value(QLatin1String(kKey)).toString();
        return;
    }
    CurrentFile = QDir(BundledFiles::dataFolder()).filePath(QStringLiteral("Sample.qhv"));
    if (!QFileInfo::exists(CurrentFile)) {
        const QString bundled = BundledFiles::find(QStringLiteral("Sample.qhv"));
        if (!bundled.isEmpty() && QFile::copy(bundled, CurrentFile))
            QFile::setPermissions(CurrentFile, QFile::ReadOwner | QFile::WriteOwner
                                                   | QFile::ReadGroup | QFile::ReadOther);
    }
}

QString SplitPath(const QString &path, int selector)
{
    qsizetype slash = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    slash = std::max(slash, path.lastIndexOf(u'\\'));
#endif
    qsizetype dot = path.lastIndexOf(u'.');
    // A dot before the last separator belongs to a folder, not the name.
    if (dot < slash)
        dot = -1;
    const qsizetype nameStart = slash + 1;
    const qsizetype nameEnd = dot < 0 ? path.size() : dot;
    switch (selector) {
    case 0: return path.left(nameStart);
    case 1: return path.mid(nameStart);
    case 2: return path.mid(nameStart, nameEnd - nameStart);
    case 3: return dot < 0 ? QString() : path.mid(dot);
    default: return QString();
    }
}

bool FileExists(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile f(path);
    return f.open(QIODevice::ReadOnly);
}

} // namespace MainCode
