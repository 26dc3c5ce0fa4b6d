#include "storage/loanfile.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {
double doubleAt(const QByteArray &b, int at)
{
    quint64 bits = qFromLittleEndian<quint64>(b.constData() + at);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}
qint16 shortAt(const QByteArray &b, int at)
{
    return qFromLittleEndian<qint16>(b.constData() + at);
}
LoanFileData withPayments(int n)
{
    LoanFileData d;
    d.terms[0] = 150000;
    d.terms[1] = 6.5;
    d.terms[2] = 360;
    d.firstPaymentDate = 10508;
    for (int k = 1; k <= n; ++k)
        d.payments.push_back({250.0 + k, 87.5, QStringLiteral("%1/05/08").arg(k, 2, 10, QChar('0'))});
    return d;
}
} // namespace

TEST(LoanFileLayout, EmptyLoanIsTheFixedPartOnly)
{
    const QByteArray b = LoanFile::encode(LoanFileData{});
    ASSERT_EQ(b.size(), 628);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(doubleAt(b, 8 * i), 0.0);
    EXPECT_EQ(shortAt(b, 112), 8);
    EXPECT_EQ(shortAt(b, 114), 512);
    EXPECT_EQ(b.mid(116).count('\0'), 512);
}

TEST(LoanFileLayout, TermsDateAndRecordsAtTheirOffsets)
{
    const QByteArray b = LoanFile::encode(withPayments(2));
    ASSERT_EQ(b.size(), 628); // two records end before the filler does
    EXPECT_EQ(doubleAt(b, 0), 150000.0);
    EXPECT_EQ(doubleAt(b, 8), 6.5);
    EXPECT_EQ(doubleAt(b, 104), 10508.0);
    EXPECT_EQ(shortAt(b, 512), 2);
    EXPECT_EQ(doubleAt(b, 514), 251.0);
    EXPECT_EQ(doubleAt(b, 522), 87.5);
    EXPECT_EQ(b.mid(530, 8), "01/05/08");
    EXPECT_EQ(b.mid(554, 8), "02/05/08");
    auto d = LoanFile::decode(b);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.data.terms, withPayments(2).terms);
    EXPECT_EQ(d.data.payments, withPayments(2).payments);
}

TEST(LoanFileLayout, FewerPaymentsKeepTheOldTail)
{
    const QByteArray ten = LoanFile::encode(withPayments(10));
    ASSERT_EQ(ten.size(), 754);
    const QByteArray one = LoanFile::encode(withPayments(1), ten);
    ASSERT_EQ(one.size(), 754);
    EXPECT_EQ(shortAt(one, 512), 1);
    EXPECT_EQ(one.mid(514, 24), ten.mid(514, 24));
    EXPECT_EQ(one.mid(538, 628 - 538).count('\0'), 628 - 538);
    EXPECT_EQ(one.mid(628), ten.mid(628));
    auto d = LoanFile::decode(one);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.data.payments.size(), 1u);
}

TEST(LoanFileLayout, ShortAndDamagedBytes)
{
    // A short fixed part reads its missing values as 0.
    QByteArray b = LoanFile::encode(withPayments(0)).left(12);
    auto d = LoanFile::decode(b);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.data.terms[0], 150000.0);
    EXPECT_EQ(d.data.terms[1], 0.0);
    EXPECT_TRUE(LoanFile::decode(QByteArray()).ok);

    // Values that are not finite read as 0.
    LoanFileData nan;
    nan.terms[3] = std::numeric_limits<double>::quiet_NaN();
    nan.terms[4] = std::numeric_limits<double>::infinity();
    d = LoanFile::decode(LoanFile::encode(nan));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.data.terms[3], 0.0);
    EXPECT_EQ(d.data.terms[4], 0.0);

    QByteArray bad = LoanFile::encode(withPayments(3));
    qToLittleEndian<qint16>(-1, bad.data() + 512);
    EXPECT_FALSE(LoanFile::decode(bad).ok);
    qToLittleEndian<qint16>(1601, bad.data() + 512);
    EXPECT_FALSE(LoanFile::decode(bad).ok);
    QByteArray cut = LoanFile::encode(withPayments(30));
    EXPECT_TRUE(LoanFile::decode(cut).ok);
    EXPECT_FALSE(LoanFile::decode(cut.left(cut.size() - 1)).ok);
}

TEST(LoanFileAccess, MissingReadOnlyAndUnusablePaths)
{
    QTemporaryDir dir;
    const QString missing = qhtest::tempPath(dir, "New.qhv");
    auto r = LoanFile::read(missing);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(QFile::exists(missing)); // created empty
    EXPECT_EQ(QFile(missing).size(), 0);

    const QString path = qhtest::tempPath(dir, "Loan.qhv");
    ASSERT_EQ(LoanFile::write(path, withPayments(3)), "");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    r = LoanFile::read(path);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.data.payments.size(), 3u);
    EXPECT_NE(LoanFile::write(path, withPayments(1)), ""); // read-only: refused
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(LoanFile::read(path).data.payments.size(), 3u); // nothing lost

    EXPECT_FALSE(LoanFile::read(dir.path()).ok);
    EXPECT_NE(LoanFile::write(dir.path(), withPayments(1)), "");
    EXPECT_NE(LoanFile::write(qhtest::tempPath(dir, "no/such/folder/L.qhv"), withPayments(1)), "");
    EXPECT_FALSE(LoanFile::read(qhtest::tempPath(dir, "no/such/folder/L.qhv")).ok);
}
