// Writes the seeds of the fuzz corpus. Loan files go through the codec itself:
// the shapes a loan file takes (empty, short, full, with an old tail) and the
// ways one is damaged (a count out of range, records cut short, values that
// are not numbers); fuzz/make-seeds.sh adds the sample loan beside them. The
// number seeds are the texts people type and the doubles at the edges of the
// number rules (the first 8 bytes of an input are also read as a double).
#include "storage/loanfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

bool save(const QDir &dir, const char *name, const QByteArray &bytes)
{
    QFile f(dir.filePath(QString::fromLatin1(name)));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "makeseeds: cannot write %s\n", name);
        return false;
    }
    return true;
}

LoanFileData loanWith(int payments)
{
    LoanFileData d;
    d.terms = {150000, 6.5, 360, 948.10, 191316.00, 30000, 20, 180000,
               2400, 333.33, 1281.43, 947.64, 1600};
    d.firstPaymentDate = 10508;
    for (int k = 0; k < payments; ++k) {
        PaymentRecord r;
        r.escrow = 333.33;
        r.extraPrincipal = k % 3 == 0 ? 100 : 0;
        r.payDate = QStringLiteral("%1/05/%2")
                        .arg(k % 12 + 1, 2, 10, QLatin1Char('0'))
                        .arg((8 + k / 12) % 100, 2, 10, QLatin1Char('0'));
        d.payments.push_back(r);
    }
    return d;
}

QByteArray bitsOf(double v)
{
    QByteArray b(sizeof v, '\0');
    std::memcpy(b.data(), &v, sizeof v);
    return b;
}

QByteArray withCount(QByteArray bytes, qint16 count)
{
    qToLittleEndian(count, bytes.data() + LoanFile::kCountOffset);
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makeseeds LOANFILE-FOLDER NUMTEXT-FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QDir textDir(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(dir.path()) || !QDir().mkpath(textDir.path())) {
        std::fprintf(stderr, "makeseeds: cannot create the seed folders\n");
        return 1;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();

    bool ok = true;
    ok &= save(dir, "empty-loan.qhv", LoanFile::encode(LoanFileData{}));
    ok &= save(dir, "terms-only.qhv", LoanFile::encode(loanWith(0)));
    ok &= save(dir, "short-fixed-part.qhv", LoanFile::encode(loanWith(0)).left(100));
    ok &= save(dir, "count-only.qhv", LoanFile::encode(loanWith(0)).left(LoanFile::kRecordsOffset));
    ok &= save(dir, "five-payments.qhv", LoanFile::encode(loanWith(5)));
    ok &= save(dir, "forty-payments.qhv", LoanFile::encode(loanWith(40)));
    ok &= save(dir, "full-ledger.qhv", LoanFile::encode(loanWith(1600)));
    // Three payments saved over a file that held forty: the old tail stays.
    ok &= save(dir, "old-tail.qhv", LoanFile::encode(loanWith(3), LoanFile::encode(loanWith(40))));

    const QByteArray five = LoanFile::encode(loanWith(5));
    ok &= save(dir, "count-too-high.qhv", withCount(five, 1601));
    ok &= save(dir, "count-negative.qhv", withCount(five, -1));
    ok &= save(dir, "records-cut-short.qhv",
               withCount(five, 5).left(LoanFile::kRecordsOffset + 4 * LoanFile::kRecordSize + 10));
    ok &= save(dir, "count-past-end.qhv", withCount(five, 30));

    LoanFileData odd = loanWith(4);
    odd.terms[0] = nan;
    odd.terms[1] = inf;
    odd.terms[2] = -inf;
    odd.terms[3] = -0.0;
    odd.terms[4] = std::numeric_limits<double>::denorm_min();
    odd.terms[5] = std::numeric_limits<double>::max();
    odd.firstPaymentDate = 123199.5;
    odd.payments[0].escrow = nan;
    odd.payments[1].extraPrincipal = -inf;
    odd.payments[2].payDate = QStringLiteral("not a date");
    odd.payments[3].payDate = QStringLiteral("\u00e9t\u00e9");
    ok &= save(dir, "odd-values.qhv", LoanFile::encode(odd));

    const char *texts[] = {
        "1,200.00", "$1,234,567.89", "$-5", "-$5", "+7.", ".5", "  360  ", "10,000",
        "6.25", "0.00000", "1.005", "2.675", "-0", "32767.5", "-32768.5", "32766.5",
        "1,2,3", ",5", "$", "-", "1e5", "abc", "12abc", "\t-3.25x", "0x10",
        "01/31/08", "2/29/2024", "2/29/2023", "12/31/1999", "1/1/76", "13/01/20",
        "00/10/20", "1/2/3/4", "07/04/776", " 3/4/26 ", "\xc2\xa0""5", "\xef\xbc\x95",
        "99999999999.995", "999999999999.9949", "179769313486231570000000000000",
    };
    int n = 0;
    for (const char *t : texts) {
        const QByteArray name = QByteArray("text-") + QByteArray::number(++n);
        ok &= save(textDir, name.constData(), QByteArray(t));
    }
    const double doubles[] = {0.005, 0.015, 1.005, 2.675, 99999999999.994995, -0.0,
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::denorm_min(),
                              std::numeric_limits<double>::min(), 1e-300, 32767.5, -32768.5,
                              nan, inf};
    n = 0;
    for (double v : doubles) {
        const QByteArray name = QByteArray("double-") + QByteArray::number(++n);
        ok &= save(textDir, name.constData(), bitsOf(v));
    }
    return ok ? 0 : 1;
}
