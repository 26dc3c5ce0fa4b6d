#include "storage/loanfile.h"
#include "storage/loanfileterms.h"
#include "storage/paths.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <bit>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
double doubleAt(const QByteArray &b, int at) { return std::bit_cast<double>(qFromLittleEndian<quint64>(b.constData() + at)); }
LoanFileData withPayments(int n)
{
    LoanFileData d{{150000, 6.5, 360}, 10508, {}};
    for (int k = 1; k <= n; ++k)
        d.payments.push_back({250.0 + k, 87.5, QStringLiteral("%1/05/08").arg(k, 2, 10, QChar('0'))});
    return d;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}
bool put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
QByteArray local(const QString &path) { return QFile::encodeName(path); }
bool makeLink(const QString &to, const QString &at) { return ::symlink(local(to).constData(), local(at).constData()) == 0; }
// The kind of what is at `path` itself, where its link leads and what is
// there: what a call that replaced anything would change.
std::string node(const QString &path)
{
    struct stat own, end;
    if (::lstat(local(path).constData(), &own) != 0)
        return "nothing";
    std::string s = std::to_string(own.st_mode & S_IFMT) + " " + QFile::symLinkTarget(path).toStdString();
    if (::stat(local(path).constData(), &end) == 0)
        s += " to " + std::to_string(end.st_mode & S_IFMT) + ":" + std::to_string(end.st_rdev);
    return s;
}
QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// What a call made in a child process said, or in brackets how the child
// ended when it did not report. An alarm kills the child when it takes longer
// than allowed, so a call that blocks, or reads on and on, fails its test
// instead of holding up or exhausting the whole run. (The test program runs
// no other thread, so the child may use Qt freely.)
QString inChild(const std::function<QString()> &call, unsigned allowedSeconds = 10)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return "[no pipe: " + systemReason(errno) + "]";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::alarm(allowedSeconds);
#ifndef __SANITIZE_ADDRESS__
        // A runaway read stops at 1 GiB rather than at the machine's end.
        const rlimit data{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_DATA, &data);
#endif
        try {
            const QByteArray report = "=" + call().toUtf8();
            ::_exit(::write(fds[1], report.constData(), size_t(report.size())) == report.size() ? 0 : 2);
        } catch (...) { // never back into the test run: that is the parent's
            ::_exit(3);
        }
    }
    ::close(fds[1]);
    QByteArray report;
    char buf[4096];
    for (ssize_t n; pid > 0 && ((n = ::read(fds[0], buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR));)
        report.append(buf, std::max<ssize_t>(n, 0));
    ::close(fds[0]);
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (pid < 0)
        return "[no child: " + systemReason(errno) + "]";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && report.startsWith('='))
        return QString::fromUtf8(report.mid(1));
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
        return QStringLiteral("[still running after %1 s]").arg(allowedSeconds);
    return QStringLiteral("[ended with wait status %1]").arg(status);
}

// Reading `path`, and saving to it unless `saved` is empty, are refused with
// these texts, and nothing there is replaced.
void expectLeftAlone(const QString &path, const QString &read, const QString &saved)
{
    const std::string name = QFileInfo(path).fileName().toStdString(), before = node(path);
    EXPECT_EQ(inChild([path] { return LoanFile::read(path).reason; }), read) << "reading " << name;
    if (!saved.isEmpty())
        EXPECT_EQ(inChild([path] { return LoanFile::write(path, withPayments(1)).reason; }), saved) << "saving to " << name;
    EXPECT_EQ(node(path), before) << name << " was replaced";
}
QString notCreated(const QString &name, int error)
{
    return "The loan file \"" + name + "\" could not be created: " + systemReason(error) + ".";
}
QString notWritten(const QString &name, const QString &why)
{
    return "The loan file \"" + name + "\" could not be written: " + why + ". The loan was not saved.";
}
// Why something that is no loan file is not read or, `saving`, not saved.
QString notALoanFile(const QString &name, const QString &is, bool saving = false)
{
    return QStringLiteral("\"%1\" is %2, not a loan file%3").arg(name, is, saving ? "; the loan was not saved." : ".");
}

// Passes the first `room` bytes written to it on to `file`, then fails with
// ENOSPC in errno and, if not empty, a text of its own: a disk filling up in
// the middle of a save.
struct FillingDevice : QIODevice {
    FillingDevice(QIODevice &file, qint64 room, const QString &told) : file(file), room(room)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        setErrorString(told); // an empty one reads as Qt's "Unknown error"
    }
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const qint64 took = file.write(data, std::min(len, room));
        room -= std::max<qint64>(took, 0);
        return took;
    }
    QIODevice &file;
    qint64 room;
};
} // namespace

TEST(LoanFileLayout, TermsDateAndRecordsAtTheirOffsetsAndFewerPaymentsKeepTheOldTail)
{
    // The fixed part: thirteen terms and the date, a filler typed as a text
    // of 512 bytes, and the count.
    EXPECT_EQ(LoanFile::encode(LoanFileData{}),
              QByteArray(112, '\0') + QByteArray::fromHex("08000002") + QByteArray(512, '\0'));
    const QByteArray b = LoanFile::encode(withPayments(2));
    ASSERT_EQ(b.size(), 628); // two records end before the filler does
    using At = std::pair<int, double>;
    for (const auto &[at, value] : {At{0, 150000}, At{8, 6.5}, At{104, 10508}, At{514, 251}, At{522, 87.5}})
        EXPECT_EQ(doubleAt(b, at), value) << "at " << at;
    EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 512), 2);
    EXPECT_EQ(b.mid(530, 8) + b.mid(554, 8), "01/05/0802/05/08");
    const auto d = LoanFile::decode(b);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.data.terms, withPayments(2).terms);
    EXPECT_EQ(d.data.payments, withPayments(2).payments);

    // Written over ten, one payment leaves the bytes of the other nine after it.
    const QByteArray ten = LoanFile::encode(withPayments(10)), one = LoanFile::encode(withPayments(1), ten);
    EXPECT_EQ(one, LoanFile::encode(withPayments(1)) + ten.mid(628));
    EXPECT_EQ(LoanFile::decode(one).data.payments.size(), 1u);
}

TEST(LoanFileLayout, ShortAndDamagedBytes)
{
    // A short fixed part reads its missing values as 0, and so do values
    // that are not finite.
    auto d = LoanFile::decode(LoanFile::encode(withPayments(0)).left(12));
    ASSERT_TRUE(d.ok && LoanFile::decode(QByteArray()).ok);
    EXPECT_EQ(d.data.terms[0], 150000.0);
    EXPECT_EQ(d.data.terms[1], 0.0);
    LoanFileData nan;
    nan.terms[3] = std::numeric_limits<double>::quiet_NaN();
    nan.terms[4] = std::numeric_limits<double>::infinity();
    d = LoanFile::decode(LoanFile::encode(nan));
    EXPECT_TRUE(d.ok && d.data.terms[3] == 0 && d.data.terms[4] == 0);

    // A count outside 0..1600, or records cut short, refuse the bytes.
    QByteArray bad = LoanFile::encode(withPayments(3));
    for (qint16 count : {-1, 1601}) {
        qToLittleEndian<qint16>(count, bad.data() + 512);
        EXPECT_FALSE(LoanFile::decode(bad).ok) << count;
    }
    const QByteArray cut = LoanFile::encode(withPayments(30));
    EXPECT_TRUE(LoanFile::decode(cut).ok);
    EXPECT_FALSE(LoanFile::decode(cut.left(cut.size() - 1)).ok);
}

TEST(LoanFileAccess, AMissingFileIsCreatedAReadOnlyOneReadButKeptAndALinkFollowed)
{
    QTemporaryDir dir;
    const QString missing = qhtest::tempPath(dir, "New.qhv"), path = qhtest::tempPath(dir, "Loan.qhv");
    // New asks before replacing only a file that is there to be read.
    EXPECT_FALSE(isReadableFile(dir.path()) || isReadableFile(missing));
    EXPECT_TRUE(LoanFile::read(missing).ok);
    EXPECT_EQ(contents(missing), ""); // created empty

    ASSERT_EQ(LoanFile::write(path, withPayments(3)).reason, "");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    EXPECT_EQ(LoanFile::read(path).data.payments.size(), 3u);
    EXPECT_EQ(LoanFile::write(path, withPayments(1)).reason,
              "The loan file \"Loan.qhv\" is read-only; the loan was not saved.");
    EXPECT_EQ(contents(path), LoanFile::encode(withPayments(3)));

    // A link to a loan file is saved and read through, and stays a link.
    const QString link = qhtest::tempPath(dir, "ToNew.qhv");
    ASSERT_TRUE(makeLink(missing, link));
    ASSERT_EQ(LoanFile::write(link, withPayments(2)).reason, "");
    EXPECT_EQ(QFile::symLinkTarget(link), missing);
    EXPECT_EQ(contents(missing), LoanFile::encode(withPayments(2)));
    EXPECT_EQ(LoanFile::read(link).data.payments.size(), 2u);
}

TEST(LoanFileKinds, WhatIsNoLoanFileIsLeftAsItWas)
{
    // Every call comes back at once: opening a pipe with no writer at its
    // other end waits for one, and /dev/zero would be read until memory ran
    // out (/dev/null, a device of the same kind, would read as an empty loan).
    QTemporaryDir dir;
    const auto at = [&](const QString &name) { return qhtest::tempPath(dir, name); };
    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.qhv"));
    ASSERT_EQ(::mkfifo(local(at("Pipe.qhv")).constData(), 0666), 0);
    ASSERT_EQ(::mknod(local(at("Socket.qhv")).constData(), S_IFSOCK | 0666, 0), 0);
    ASSERT_TRUE(makeLink(at("B.qhv"), at("A.qhv")) && makeLink(at("A.qhv"), at("B.qhv")));
    ASSERT_TRUE(makeLink("/dev/zero", at("Zero.qhv")));
    const struct { QString name, read, saved; } cases[] = {
        // A name in a folder that is not there, and a loop of links.
        {"No/Loan.qhv", notCreated("Loan.qhv", ENOENT), notWritten("Loan.qhv", systemReason(ENOENT))},
        {"A.qhv", notCreated("A.qhv", ELOOP), notWritten("A.qhv", systemReason(ELOOP))},
        {"Folder.qhv", "\"Folder.qhv\" is a folder, not a loan file.",
         "\"Folder.qhv\" is a folder; the loan was not saved."},
        {"Pipe.qhv", notALoanFile("Pipe.qhv", "a pipe"), notALoanFile("Pipe.qhv", "a pipe", true)},
        {"Socket.qhv", notALoanFile("Socket.qhv", "a socket"), notALoanFile("Socket.qhv", "a socket", true)},
        // The system's own devices are only read: a save that went through
        // would put a plain file in their place and break the machine.
        {"Zero.qhv", notALoanFile("Zero.qhv", "a device"), ""},
    };
    for (const auto &c : cases)
        expectLeftAlone(at(c.name), c.read, c.saved);

    // A save is tried through a link to a copy of /dev/null made here.
    struct stat st;
    if (::stat("/dev/null", &st) != 0 || ::mknod(local(at("null")).constData(), S_IFCHR | 0666, st.st_rdev) != 0)
        GTEST_SKIP() << "no device can be made here: " << std::strerror(errno);
    ASSERT_TRUE(makeLink(at("null"), at("ToNull.qhv")));
    expectLeftAlone(at("ToNull.qhv"), notALoanFile("ToNull.qhv", "a device"),
                    notALoanFile("ToNull.qhv", "a device", true));
}

TEST(LoanFileSize, FilesLongerThan64KiBAreNotLoans)
{
    QTemporaryDir dir;
    const QString path = qhtest::tempPath(dir, "Loan.qhv");
    // A file of exactly 64 KiB is read, and a save over it keeps its tail.
    const QByteArray bytes = LoanFile::encode(withPayments(3)).leftJustified(64 * 1024, 'x');
    ASSERT_TRUE(put(path, bytes));
    EXPECT_EQ(LoanFile::read(path).data.payments.size(), 3u);
    ASSERT_EQ(LoanFile::write(path, withPayments(1)).reason, "");
    EXPECT_EQ(contents(path), LoanFile::encode(withPayments(1), bytes));

    // One byte more, or several GiB (more than an int holds) where the folder
    // keeps such a file sparse: refused unread, and a save keeps none of it.
    for (const qint64 size : {qint64(64 * 1024 + 1), (qint64(4) << 30) + 4096}) {
        struct stat st;
        ASSERT_TRUE(put(path, LoanFile::encode(withPayments(40))));
        if (!QFile::resize(path, size) || ::stat(local(path).constData(), &st) != 0
            || qint64(st.st_blocks) * 512 > (qint64(1) << 20))
            GTEST_SKIP() << "the temporary folder keeps no sparse file of " << size << " bytes";
        EXPECT_EQ(inChild([path] { return LoanFile::read(path).reason; }),
                  QStringLiteral("The loan file \"Loan.qhv\" is %1 bytes long; a loan file is at most 64 KiB. "
                                 "It was not loaded.").arg(size));
        EXPECT_EQ(QFileInfo(path).size(), size);
        EXPECT_EQ(inChild([path] { return LoanFile::write(path, withPayments(2)).reason; }), "") << size;
        EXPECT_EQ(contents(path), LoanFile::encode(withPayments(2))) << size;
    }
}

TEST(LoanFileSaving, ASaveThatDoesNotTakeEveryByteKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = qhtest::tempPath(dir, "Loan.qhv");
    ASSERT_EQ(LoanFile::write(path, withPayments(10)).reason, "");
    const QByteArray old = contents(path);
    const struct { qint64 room; QString told, why; } cases[] = {
        {100, "", "only 100 of 754 bytes were written"}, // some bytes taken, then no more
        {0, "", systemReason(ENOSPC)}, // none taken, and the device says nothing
        {0, "The disk was taken out", "The disk was taken out"}, // its own account first
    };
    for (const auto &c : cases) {
        const auto filling = [&c](QIODevice &file) { return std::make_unique<FillingDevice>(file, c.room, c.told); };
        EXPECT_EQ(LoanFile::write(path, withPayments(3), filling).reason, notWritten("Loan.qhv", c.why));
        EXPECT_EQ(contents(path), old) << c.room;
    }
    // The largest file the process may write made smaller than the save, which
    // the system then cuts short: one loan fits the buffer the bytes wait in
    // before they are written, the other does not.
    for (int payments : {100, 1600}) {
        const QString said = inChild([path, payments] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{1000, 1000};
            return ::setrlimit(RLIMIT_FSIZE, &size) != 0 ? QStringLiteral("no file size limit")
                                                          : LoanFile::write(path, withPayments(payments)).reason;
        });
        EXPECT_TRUE(said.startsWith("The loan file \"Loan.qhv\" could not be written: " + systemReason(EFBIG))
                    && said.endsWith(". The loan was not saved."))
            << payments << " payments: " << said.toStdString();
        EXPECT_EQ(contents(path), old) << payments << " payments";
    }
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"Loan.qhv"});
}

// A loan file's terms as a window started on it uses them on its tabs.
TEST(LoanFileTerms, DerivedAndComputedAsAfterALoadAndStoredBack)
{
    using namespace LoanTerms;
    LoanFileData d;
    d.terms[Price] = 125000;
    d.terms[DownAmount] = 25000;
    d.terms[LoanAmount] = 1; // stale: the price less the down amount wins
    d.terms[AnnualRate] = 6;
    d.terms[NumberOfPayments] = 360;
    d.terms[DownPercent] = -3; // none
    d.firstPaymentDate = 11508;
    const Terms t = LoanFile::terms(d);
    EXPECT_EQ(t.loanAmount(), 100000.0);
    EXPECT_EQ(t.texts()[MonthlyPayment], "599.55");
    EXPECT_EQ(t.firstPaymentText(), "01/15/08");

    LoanFileData back;
    LoanFile::store(t, back);
    EXPECT_EQ(back.terms[LoanAmount], 100000.0);
    EXPECT_EQ(back.terms[DownPercent], 0.0);
    EXPECT_EQ(back.terms[MonthlyPayment], 599.55);
    EXPECT_EQ(back.terms[TotalInterest], 115838.45); // to the cent, as it is shown
    EXPECT_EQ(back.firstPaymentDate, 11508.0);

    d.firstPaymentDate = 1011508; // too many digits: the date the loan had before stays
    EXPECT_EQ(LoanFile::terms(d, "020108").firstPaymentText(), "02/01/08");
    EXPECT_EQ(LoanFile::terms(d).firstPaymentText(), "__/__/__");
}
