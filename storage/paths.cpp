#include "paths.h"

#include <QFileInfo>
#include <algorithm>

QString splitPath(const QString &path, PathPart part)
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
    switch (part) {
    case PathPart::Folder: return path.left(nameStart);
    case PathPart::FileName: return path.mid(nameStart);
    case PathPart::BaseName: return path.mid(nameStart, nameEnd - nameStart);
    case PathPart::Extension: return dot < 0 ? QString() : path.mid(dot);
    }
    return QString();
}

bool isReadableFile(const QString &path)
{
    // Asked of the file system only: opening a pipe to find out would block.
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isReadable();
}
