#include "storage/paths.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Paths, FolderAndFileNameSplitAtTheLastSeparator)
{
    const QString p = QStringLiteral("/home/ann/Loans/My.home.qhv");
    EXPECT_EQ(splitPath(p, PathPart::Folder), "/home/ann/Loans/");
    EXPECT_EQ(splitPath(p, PathPart::FileName), "My.home.qhv");
    EXPECT_EQ(splitPath("Loan.qhv", PathPart::FileName), "Loan.qhv");
}

TEST(Paths, FoldersAndMissingFilesAreNotReadable)
{
    QTemporaryDir dir;
    EXPECT_FALSE(isReadableFile(dir.path()));
    EXPECT_FALSE(isReadableFile(QDir(dir.path()).filePath("nothing.qhv")));
}
