#pragma once
// Small path functions used across the program.
#include <QString>

enum class PathPart {
    Folder,      // with its trailing separator
    FileName,
};

// One part of a path, split at its last separator.
QString splitPath(const QString &path, PathPart part);

// Whether the path names a regular file (after links) that may be read.
bool isReadableFile(const QString &path);
