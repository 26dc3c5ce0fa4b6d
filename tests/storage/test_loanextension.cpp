// The loan file's extension section: laid out at its offset with its mark,
// version, length and CRC; read back with unknown keys kept; cut away when
// the loan no longer needs it; and a damaged one never costs the plain loan.
#include "storage/loanextension.h"
#include "storage/loanfile.h"
#include "testsupport.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

LoanFileData plainLoan()
{
    LoanFileData d;
    d.terms[0] = 100000;
    d.terms[1] = 6;
    d.terms[2] = 360;
    d.payments.push_back({250, 0, "01/01/27"});
    return d;
}

} // namespace

TEST(LoanExtensionLayout, WrittenAtItsOffsetReadBackAndCutAwayWhenNotNeeded)
{
    LoanExtension ext;
    ext.changes = {{QDate(2032, 1, 1), DatedChange::Kind::Rate, 7.25}};
    LoanFileData d = plainLoan();
    d.extension = ext.payload();
    EXPECT_EQ(d.extension, R"({"changes":[{"from":"2032-01-01","rate":7.25}],"version":1})");
    const QByteArray bytes = LoanFile::encode(d);
    ASSERT_EQ(bytes.size(), LoanFile::kExtensionOffset + 16 + d.extension.size());
    const char *h = bytes.constData() + LoanFile::kExtensionOffset;
    EXPECT_EQ(QByteArray(h, 4), "QHVX");
    EXPECT_EQ(qFromLittleEndian<quint16>(h + 4), 1);
    EXPECT_EQ(qFromLittleEndian<quint32>(h + 8), quint32(d.extension.size()));
    EXPECT_EQ(qFromLittleEndian<quint32>(h + 12), LoanFile::crc32(d.extension));
    EXPECT_EQ(LoanFile::crc32("123456789"), 0xCBF43926u); // zlib's check value
    // The bytes below the section are those of the plain save, zeros beyond.
    const QByteArray plain = LoanFile::encode(plainLoan());
    EXPECT_EQ(bytes.left(plain.size()), plain);
    EXPECT_EQ(bytes.mid(plain.size(), LoanFile::kExtensionOffset - plain.size()),
              QByteArray(LoanFile::kExtensionOffset - plain.size(), '\0'));

    const LoanFile::Decoded back = LoanFile::decode(bytes);
    ASSERT_TRUE(back.ok);
    LoanExtension read;
    ASSERT_TRUE(LoanExtension::read(back.data.extension, read));
    EXPECT_EQ(read.changes, ext.changes);

    // The last change deleted: a save over the file leaves no section.
    const QByteArray cut = LoanFile::encode(plainLoan(), bytes);
    EXPECT_EQ(cut.size(), LoanFile::kExtensionOffset);
    EXPECT_FALSE(LoanFile::hasExtension(cut));
    EXPECT_EQ(cut.left(plain.size()), plain);
}

TEST(LoanExtensionContents, UnknownKeysAreKeptAndTheStartingPlanNeedsNoSection)
{
    LoanExtension ext;
    ASSERT_TRUE(LoanExtension::read(R"({"version":1,"later":{"x":1},"plan":{"amount":200,)"
                                    R"("mode":"every","payment":1,"withRecorded":false}})",
                                    ext));
    ASSERT_TRUE(ext.plan);
    EXPECT_EQ(ext.plan->mode, ExtraMode::EveryPayment);
    EXPECT_EQ(ext.plan->amount, 200.0);
    EXPECT_TRUE(ext.payload().contains(R"("later":{"x":1})"));
    ext.unknown = {};
    ext.plan = ExtraPlan{ExtraMode::OnePayment, 100, int16_t(1), false};
    EXPECT_EQ(ext.payload(), QByteArray()); // as a loan opens and looking at the quote leaves it
}

TEST(LoanExtensionDamage, ABadSectionLeavesThePlainLoanAndSaysWhat)
{
    LoanFileData d = plainLoan();
    d.extension = R"({"version":1,"changes":[]})";
    const QByteArray good = LoanFile::encode(d);
    const qsizetype at = LoanFile::kExtensionOffset;
    auto patched = [&](qsizetype offset, QByteArray with) {
        QByteArray b = good;
        b.replace(offset, with.size(), with);
        return b;
    };
    QByteArray version(2, '\0'), length(4, '\0');
    qToLittleEndian<quint16>(2, version.data());
    qToLittleEndian<quint32>(1000, length.data());
    const struct { QByteArray bytes; const char *why; } cases[] = {
        {patched(at + 4, version), "version 2"},
        {patched(at + 8, length), "longer than the file"},
        {patched(at + 16, "["), "check sum"},
    };
    for (const auto &c : cases) {
        const LoanFile::Decoded back = LoanFile::decode(c.bytes);
        ASSERT_TRUE(back.ok) << c.why;
        EXPECT_EQ(back.data.payments.size(), 1u);
        EXPECT_TRUE(back.data.extensionProblem.contains(c.why)) << back.data.extensionProblem.toStdString();
    }
    LoanExtension ext;
    EXPECT_FALSE(LoanExtension::read("[1,2]", ext));
    EXPECT_FALSE(LoanExtension::read(R"({"changes":[{"from":"2030-01-01","balloon":5}]})", ext));
}

TEST(LoanExtensionContents, TheStatementKeepsItsLinesColumnsAndAbsentAmounts)
{
    LoanExtension ext;
    StatementLine fee;
    fee.date = QDate(2027, 1, 15);
    fee.total = 25;
    StatementLine paid;
    paid.date = QDate(2027, 2, 1);
    paid.principal = 257.2;
    paid.interest = 1512.59;
    paid.balance = -0.5;
    ext.statement.lines = {fee, paid};
    ext.statement.columns = {{"amount", StatementColumn::Total},
                             {"posteddate", StatementColumn::Date}};
    LoanExtension back;
    ASSERT_TRUE(LoanExtension::read(ext.payload(), back));
    EXPECT_EQ(back.statement, ext.statement);
    EXPECT_FALSE(back.statement.lines[0].principal.has_value());
    EXPECT_TRUE(back.unknown.isEmpty());
    EXPECT_EQ(LoanExtension::read(R"({"statement":{"lines":[{"principal":1}]}})", back).reason,
              "a statement line has no date");
}
