#include "storage/paths.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// New asks before replacing only a file that is there to be read.
TEST(Paths, FoldersAndMissingFilesAreNotReadable)
{
    QTemporaryDir dir;
    EXPECT_FALSE(isReadableFile(dir.path()));
    EXPECT_FALSE(isReadableFile(QDir(dir.path()).filePath("nothing.qhv")));
}
