#include "bundledfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef QH_INSTALL_DATADIR
#define QH_INSTALL_DATADIR "/usr/share/quillhaven"
#endif

namespace BundledFiles {

QString find(const QString &relative)
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList roots = {
        appDir,
        QDir(appDir).filePath(QStringLiteral("../share/quillhaven")),
        QStringLiteral(QH_INSTALL_DATADIR),
        QStringLiteral("/usr/share/quillhaven"),
    };
    for (const QString &root : roots) {
        const QString p = QDir(root).filePath(relative);
        if (QFileInfo::exists(p))
            return QDir::cleanPath(p);
    }
    return QString();
}

QString dataFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    QDir().mkpath(dir);
    return dir;
}

QString defaultLoanPath()
{
    return QDir(dataFolder()).filePath(QStringLiteral("Default.qhv"));
}

} // namespace BundledFiles
