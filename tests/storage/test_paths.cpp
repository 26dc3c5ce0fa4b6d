#include "storage/paths.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Paths, PartsSplitAtTheLastSeparatorAndTheLastDotAfterIt)
{
    const QString p = QStringLiteral("/home/ann/Loans/My.home.qhv");
    EXPECT_EQ(splitPath(p, PathPart::Folder), "/home/ann/Loans/");
    EXPECT_EQ(splitPath(p, PathPart::FileName), "My.home.qhv");
    EXPECT_EQ(splitPath(p, PathPart::BaseName), "My.home");
    EXPECT_EQ(splitPath(p, PathPart::Extension), ".qhv");
    EXPECT_EQ(splitPath("Loan.qhv", PathPart::FileName), "Loan.qhv");
    EXPECT_EQ(splitPath("Loan", PathPart::Extension), "");
    EXPECT_EQ(splitPath("/a.b/Loan", PathPart::BaseName), "Loan");
}

TEST(Paths, FoldersAndMissingFilesAreNotReadable)
{
    QTemporaryDir dir;
    EXPECT_FALSE(isReadableFile(dir.path()));
    EXPECT_FALSE(isReadableFile(QDir(dir.path()).filePath("nothing.qhv")));
}
