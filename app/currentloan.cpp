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

QString writeSetting(const QString &file)
{
    QSettings s = settings();
    // Absolute: a relative name would be read against wherever the next
    // start happens to be.
    s.setValue(QLatin1String(kKey), file.isEmpty() ? file : QFileInfo(file).absoluteFilePath());
    s.sync();
    if (s.status() == QSettings::NoError)
        return QString();
    return QFileInfo(s.fileName()).absolutePath();
}

QString restore()
{
    QSettings s = settings();
    if (s.contains(QLatin1String(kKey))) {
        const QString remembered = s.value(QLatin1String(kKey)).toString();
        // Bytes that are not UTF-8 come back as replacement characters: that
        // name is not the file's, and opening it would create another file.
        if (remembered.contains(QChar::ReplacementCharacter)) {
            path.clear();
            return QStringLiteral("The name of the loan file remembered from the last time "
                                  "could not be read: %1. Open the loan with Open File.")
                .arg(remembered);
        }
        if (remembered.isEmpty()) {
            path.clear();
            return QString();
        }
        // A relative name (kept by hand, or by an older version) is read
        // against the data folder, not the folder the program started in.
        path = QDir::cleanPath(QDir(BundledFiles::dataFolder()).absoluteFilePath(remembered));
        // Gone (a drive unplugged, the file removed, a link whose target is
        // gone): nothing is made in its place.
        if (!QFileInfo::exists(path)) {
            const QString message =
                QStringLiteral("The loan file \"%1\" remembered from the last time does not "
                               "exist. Open the loan with Open File.")
                    .arg(path);
            path.clear();
            return message;
        }
        return QString();
    }
    path = QDir(BundledFiles::dataFolder()).filePath(QStringLiteral("Sample.qhv"));
    if (!QFileInfo::exists(path)) {
        const QString bundled = BundledFiles::find(QStringLiteral("Sample.qhv"));
        if (!bundled.isEmpty() && QFile::copy(bundled, path))
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner
                                            | QFile::ReadGroup | QFile::ReadOther);
    }
    return QString();
}

} // namespace CurrentLoan
