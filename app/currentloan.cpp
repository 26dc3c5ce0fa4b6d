#include "currentloan.h"

#include "storage/bundledfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace CurrentLoan {

QString path;

namespace {
QSettings settings()
{
    return QSettings(QStringLiteral("Quillhaven"), QStringLiteral("Quillhaven"));
}
const char *kKey = "Properties/CurrentFile";
} // namespace

QString readSetting()
{
    return settings().value(QLatin1String(kKey)).toString();
}

void writeSetting(const QString &file)
{
    QSettings s = settings();
    s.setValue(QLatin1String(kKey), file);
    s.sync();
}

void restore()
{
    QSettings s = settings();
    if (s.contains(QLatin1String(kKey))) {
        path = s.value(QLatin1String(kKey)).toString();
        return;
    }
    path = QDir(BundledFiles::dataFolder()).filePath(QStringLiteral("Sample.qhv"));
    if (!QFileInfo::exists(path)) {
        const QString bundled = BundledFiles::find(QStringLiteral("Sample.qhv"));
        if (!bundled.isEmpty() && QFile::copy(bundled, path))
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner
                                            | QFile::ReadGroup | QFile::ReadOther);
    }
}

} // namespace CurrentLoan
