// The loan document on its own: the dated changes and the plan kept with the
// loan file and restored on open, a plain loan kept plain, a section that
// cannot be read said and not written over unasked, and changes undone.
#include "document/loandocument.h"
#include "loan/numtext.h"
#include "storage/loanfile.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

Terms hundredThousand()
{
    Texts texts;
    texts[LoanAmount] = "100,000.00";
    texts[AnnualRate] = "6";
    texts[NumberOfPayments] = "360";
    return Terms::read(texts, "01/01/27");
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(LoanDocumentFile, ChangesAndThePlanAreKeptAndRestoredOnOpen)
{
    QTemporaryDir dir;
    const QString path = qhtest::tempPath(dir, "Changes.qhv");
    LoanDocument doc;
    doc.setTerms(hundredThousand());
    doc.setChanges({{QDate(2032, 1, 1), DatedChange::Kind::Rate, 7.25}});
    doc.setPlan({ExtraMode::EveryPayment, 200, int16_t(1), false});
    ASSERT_TRUE(doc.save(path));
    EXPECT_TRUE(LoanFile::hasExtension(bytesOf(path)));

    LoanDocument opened;
    ASSERT_TRUE(opened.load(path));
    EXPECT_EQ(opened.extensionProblem(), "");
    EXPECT_EQ(opened.changes(), doc.changes());
    EXPECT_EQ(opened.plan().mode, ExtraMode::EveryPayment);
    EXPECT_EQ(opened.plan().amount, 200.0);
    const auto t = Schedule::build(ScheduleView::Contract, opened.inputs());
    EXPECT_EQ(NumText::amount(t.rows[61].payment), "672.60");

    // Undone, the change is gone again, and the loan saved plain.
    opened.setChanges({});
    opened.setPlan({ExtraMode::OnePayment, 100, int16_t(1), false});
    EXPECT_TRUE(opened.isChanged());
    opened.undoStack().undo();
    EXPECT_EQ(opened.plan().amount, 200.0);
    opened.undoStack().redo();
    ASSERT_TRUE(opened.save(path));
    EXPECT_EQ(bytesOf(path).size(), LoanFile::kExtensionOffset);
    EXPECT_FALSE(LoanFile::hasExtension(bytesOf(path)));

    // Keys of a later version are kept and written back.
    ASSERT_TRUE(doc.save(path));
    LoanFileData later = LoanFile::read(path).data;
    later.extension.replace("\"version\":1", "\"version\":1,\"later\":{\"x\":1}");
    ASSERT_TRUE(LoanFile::write(path, later));
    ASSERT_TRUE(opened.load(path));
    opened.setChanges({});
    ASSERT_TRUE(opened.save(path));
    EXPECT_TRUE(LoanFile::read(path).data.extension.contains("\"later\":{\"x\":1}"));
}

TEST(LoanDocumentFile, AnUnreadableSectionIsSaidAndGuarded)
{
    QTemporaryDir dir;
    LoanDocument doc;
    doc.setTerms(hundredThousand());
    // A section whose check sum does not match: the plain loan, and a word.
    doc.setChanges({{QDate(2032, 1, 1), DatedChange::Kind::Rate, 7.25}});
    const QString damaged = qhtest::tempPath(dir, "Damaged.qhv");
    ASSERT_TRUE(doc.save(damaged));
    QByteArray bytes = bytesOf(damaged);
    bytes[LoanFile::kExtensionOffset + 20] = 'X';
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    LoanDocument hurt;
    ASSERT_TRUE(hurt.load(damaged));
    EXPECT_EQ(hurt.terms().loanAmount(), 100000.0);
    EXPECT_TRUE(hurt.changes().empty());
    EXPECT_EQ(hurt.extensionProblem(),
              "The changes, the plan and the statement kept in the loan file \"Damaged.qhv\" "
              "could not be read: "
              "its check sum does not match. The loan opens without them.");
    EXPECT_TRUE(hurt.wouldOverwriteUnreadSection(damaged));
    EXPECT_FALSE(hurt.wouldOverwriteUnreadSection(qhtest::tempPath(dir, "Other.qhv")));
}

TEST(LoanDocumentFile, AStatementTheFileCouldNotHoldIsRefusedWholeAndChangesNothing)
{
    LoanDocument doc;
    doc.setTerms(hundredThousand());
    Statement huge;
    for (int i = 0; i < 12000; ++i) {
        StatementLine l;
        l.date = QDate(2000, 1, 1).addDays(i);
        l.principal = 123456.78;
        l.interest = 123456.78;
        l.balance = 123456.78;
        huge.lines.push_back(l);
    }
    const int steps = doc.undoStack().count();
    const Result r = doc.setStatement(huge, "Import statement");
    EXPECT_EQ(r.reason, "its 12000 lines would make the loan file larger than 1 MiB");
    EXPECT_TRUE(doc.statement().isEmpty());
    EXPECT_EQ(doc.undoStack().count(), steps);
    huge.lines.resize(6000);
    EXPECT_TRUE(doc.setStatement(huge, "Import statement"));
}
