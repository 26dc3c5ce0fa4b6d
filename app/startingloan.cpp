#include "startingloan.h"

#include "storage/bundledfiles.h"
#include "storage/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace StartingLoan {

QString choose(QString *problem, bool *firstStart)
{
    if (firstStart)
        *firstStart = false;
    auto tell = [problem](const QString &text) {
        if (problem)
            *problem = text;
        return QString();
    };
    if (const std::optional<QString> remembered = Settings().rememberedFile()) {
        // Bytes that are not UTF-8 come back as replacement characters: that
        // name is not the file's, and opening it would create another file.
        if (remembered->contains(QChar::ReplacementCharacter))
            return tell(QStringLiteral("The name of the loan file remembered from the last time "
                                       "could not be read: %1. Open the loan with Open File.")
                            .arg(*remembered));
        if (remembered->isEmpty())
            return QString();
        // A relative name (kept by hand, or by an older version) is read
        // against the data folder, not the folder the program started in.
        const QString path =
            QDir::cleanPath(QDir(BundledFiles::dataFolder()).absoluteFilePath(*remembered));
        if (!QFileInfo::exists(path))
            return tell(QStringLiteral("The loan file \"%1\" remembered from the last time does "
                                       "not exist. Open the loan with Open File.")
                            .arg(path));
        return path;
    }
    const QString path = QDir(BundledFiles::dataFolder()).filePath(QStringLiteral("Sample.qhv"));
    if (!QFileInfo::exists(path)) {
        const QString bundled = BundledFiles::find(QStringLiteral("Sample.qhv"));
        if (!bundled.isEmpty() && QFile::copy(bundled, path)) {
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner
                                            | QFile::ReadGroup | QFile::ReadOther);
            if (firstStart)
                *firstStart = true;
        }
    }
    return path;
}

} // namespace StartingLoan
