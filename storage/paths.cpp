#include "paths.h"

#include <QFileInfo>
#include <algorithm>

QString splitPath(const QString &path, PathPart part)
{
    qsizetype slash = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    slash = std::max(slash, path.lastIndexOf(u'\\'));
#endif
    const qsizetype nameStart = slash + 1;
    return part == PathPart::Folder ? path.left(nameStart) : path.mid(nameStart);
}

bool isReadableFile(const QString &path)
{
    // Asked of the file system only: opening a pipe to find out would block.
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isReadable();
}
