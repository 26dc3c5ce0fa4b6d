#include "settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace SettingsFile {

namespace {

QString kindOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        st.st_mode = 0;
    switch (st.st_mode & S_IFMT) {
    case S_IFDIR: return QStringLiteral("a folder");
    case S_IFIFO: return QStringLiteral("a pipe");
    case S_IFSOCK: return QStringLiteral("a socket");
    case S_IFCHR:
    case S_IFBLK: return QStringLiteral("a device");
    default: return QStringLiteral("something other than a file");
    }
}

// The files QSettings reads for this organisation and application, in the
// user's folder and the system's: "<org>/<app>.conf" and "<org>.conf".
QStringList candidates()
{
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    folders << QLibraryInfo::path(QLibraryInfo::SettingsPath);
    const QString org = QCoreApplication::organizationName();
    const QString app = QCoreApplication::applicationName();
    QStringList files;
    for (const QString &folder : folders)
        files << QDir(folder).filePath(org + u'/' + app + QStringLiteral(".conf"))
              << QDir(folder).filePath(org + QStringLiteral(".conf"));
    return files;
}

} // namespace

QString setAsideIfUnusable()
{
    for (const QString &file : candidates()) {
        const QFileInfo info(file);
        // Asked of the file system only: opening a pipe to find out would block.
        if (!info.exists() || info.isFile())
            continue;
        static QTemporaryDir aside;
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
                QSettings::setPath(format, scope, aside.path());
        return QStringLiteral("The settings file %1 is %2, not a file, and was ignored: Quillhaven "
                              "starts with its default settings and remembers nothing this time.")
            .arg(QDir::toNativeSeparators(file), kindOf(file));
    }
    return QString();
}

} // namespace SettingsFile
