#include "storage/loanfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>
#include <QtEndian>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

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

// How a call made in a child process came out. The child is killed when it
// takes longer than allowed, so a call that blocks, or reads on and on,
// fails its test instead of holding up or exhausting the whole run. (The
// test program runs no other thread, so the child may use Qt freely.)
struct Outcome {
    bool finished = false;            // returned in time and reported back
    bool ok = false;
    QString message;
    std::string trouble;              // how it ended when it did not finish
};

Outcome inChild(const std::function<Outcome()> &call,
                std::chrono::milliseconds allowed = std::chrono::seconds(10))
{
    Outcome out;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        out.trouble = std::string("no pipe: ") + std::strerror(errno);
        return out;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        out.trouble = std::string("no child: ") + std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return out;
    }
    if (pid == 0) {
        ::close(fds[0]);
#ifndef __SANITIZE_ADDRESS__
        // A runaway read stops at 1 GiB rather than at the machine's end.
        const rlimit data{rlim_t(1) << 30, rlim_t(1) << 30};
        ::setrlimit(RLIMIT_DATA, &data);
#endif
        Outcome o;
        try {
            o = call();
        } catch (...) { // never back into the test run: that is the parent's
            ::_exit(3);
        }
        QByteArray report = (o.ok ? "1" : "0") + o.message.toUtf8();
        for (qsizetype at = 0; at < report.size();) {
            const ssize_t n = ::write(fds[1], report.constData() + at, size_t(report.size() - at));
            if (n <= 0)
                ::_exit(2);
            at += n;
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray report;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    while (!ended) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{fds[0], POLLIN, 0};
        const int r = ::poll(&p, 1, int(left.count()));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        char buf[4096];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n > 0)
            report.append(buf, n);
        else if (n == 0)
            ended = true; // the child closed its end: it is done
        else if (errno != EINTR)
            break;
    }
    ::close(fds[0]);
    if (!ended)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    out.finished = ended && WIFEXITED(status) && WEXITSTATUS(status) == 0 && !report.isEmpty();
    if (out.finished) {
        out.ok = report.startsWith('1');
        out.message = QString::fromUtf8(report.mid(1));
    } else if (!ended) {
        out.trouble = "still running after " + std::to_string(allowed.count()) + " ms";
    } else if (WIFSIGNALED(status)) {
        out.trouble = std::string("killed by ") + ::strsignal(WTERMSIG(status));
    } else {
        out.trouble = "gave up with exit status " + std::to_string(WEXITSTATUS(status));
    }
    return out;
}

QByteArray local(const QString &path)
{
    return QFile::encodeName(path);
}
// The kind and device number of what is at `path` itself, links not followed.
std::pair<mode_t, dev_t> node(const QString &path)
{
    struct stat st;
    if (::lstat(local(path).constData(), &st) != 0)
        return {0, 0};
    return {st.st_mode & S_IFMT, st.st_rdev};
}
bool makeSocket(const QString &path)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray name = local(path);
    if (size_t(name.size()) >= sizeof addr.sun_path)
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return bound;
}

// Passes the first `room` bytes written to it on to `file`, then fails with
// `error` in errno and, if given, a text of its own: a disk filling up in
// the middle of a save.
class FillingDevice : public QIODevice
{
public:
    FillingDevice(QIODevice &file, qint64 room, int error, const QString &told = QString())
        : m_file(file), m_room(room), m_error(error), m_told(told)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (m_room == 0) {
            if (!m_told.isEmpty())
                setErrorString(m_told);
            errno = m_error;
            return -1;
        }
        const qint64 took = m_file.write(data, std::min(len, m_room));
        m_room -= std::max<qint64>(took, 0);
        return took;
    }

private:
    QIODevice &m_file;
    qint64 m_room;
    int m_error;
    QString m_told;
};

LoanFile::WriteThrough filling(qint64 room, int error, const QString &told = QString())
{
    return [=](QIODevice &file) { return std::make_unique<FillingDevice>(file, room, error, told); };
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

Outcome readInChild(const QString &path)
{
    return inChild([path] {
        const LoanFile::ReadResult r = LoanFile::read(path);
        return Outcome{true, r.ok, r.error};
    });
}
Outcome writeInChild(const QString &path, const LoanFileData &data)
{
    return inChild([path, data] {
        const QString error = LoanFile::write(path, data);
        return Outcome{true, error.isEmpty(), error};
    });
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

TEST(LoanFileAccess, MessagesGiveTheSystemsReason)
{
    QTemporaryDir dir;
    // A path through a file, as if it were a folder.
    const QString file = qhtest::tempPath(dir, "File");
    ASSERT_TRUE(put(file, "not a folder"));
    const QString inFile = qhtest::tempPath(dir, "File/Loan.qhv");
    EXPECT_EQ(LoanFile::read(inFile).error,
              "The loan file \"Loan.qhv\" could not be created: " + systemReason(ENOTDIR) + ".");
    EXPECT_EQ(LoanFile::write(inFile, withPayments(1)),
              "The loan file \"Loan.qhv\" could not be written: " + systemReason(ENOTDIR)
                  + ". The loan was not saved.");
    // A name longer than any the file system takes.
    const QString longName = QString(300, 'L') + ".qhv";
    const QString tooLong = qhtest::tempPath(dir, longName);
    EXPECT_EQ(LoanFile::read(tooLong).error, "The loan file \"" + longName
                                                 + "\" could not be created: "
                                                 + systemReason(ENAMETOOLONG) + ".");
    EXPECT_EQ(LoanFile::write(tooLong, withPayments(1)),
              "The loan file \"" + longName + "\" could not be written: "
                  + systemReason(ENAMETOOLONG) + ". The loan was not saved.");
    EXPECT_EQ(contents(file), "not a folder");
}

TEST(LoanFileSize, FilesLongerThan64KiBAreNotLoans)
{
    QTemporaryDir dir;
    // A file of exactly 64 KiB is read, and a save over it keeps its tail.
    const QString edge = qhtest::tempPath(dir, "Edge.qhv");
    QByteArray bytes = LoanFile::encode(withPayments(3));
    bytes.append(QByteArray(LoanFile::kMaxFileSize - bytes.size(), 'x'));
    ASSERT_TRUE(put(edge, bytes));
    auto r = LoanFile::read(edge);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.data.payments.size(), 3u);
    ASSERT_EQ(LoanFile::write(edge, withPayments(1)), "");
    EXPECT_EQ(contents(edge), LoanFile::encode(withPayments(1), bytes));

    // One byte more and it is refused unread; a save over it keeps nothing of it.
    const QString longer = qhtest::tempPath(dir, "Longer.qhv");
    bytes.append('x');
    ASSERT_TRUE(put(longer, bytes));
    r = LoanFile::read(longer);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("The loan file \"Longer.qhv\" is 65537 bytes long; a loan "
                                      "file is at most 64 KiB. It was not loaded."));
    EXPECT_EQ(contents(longer), bytes);
    ASSERT_EQ(LoanFile::write(longer, withPayments(1)), "");
    EXPECT_EQ(contents(longer), LoanFile::encode(withPayments(1)));
}

TEST(LoanFileSize, SparseFileOfSeveralGiB)
{
    QTemporaryDir dir;
    const QString path = qhtest::tempPath(dir, "Huge.qhv");
    const qint64 huge = (qint64(4) << 30) + 4096; // more than an int holds
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(LoanFile::encode(withPayments(40))), 514 + 24 * 40);
        if (!f.resize(huge))
            GTEST_SKIP() << "the temporary folder takes no file of " << huge << " bytes";
    }
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    if (qint64(st.st_blocks) * 512 > (qint64(1) << 20))
        GTEST_SKIP() << "the temporary folder's file system keeps no sparse files";

    const Outcome r = readInChild(path);
    ASSERT_TRUE(r.finished) << "reading a file of several GiB: " << r.trouble;
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("is %1 bytes long").arg(huge))) << r.message.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), huge);

    const Outcome w = writeInChild(path, withPayments(2));
    ASSERT_TRUE(w.finished) << "saving over a file of several GiB: " << w.trouble;
    EXPECT_TRUE(w.ok) << w.message.toStdString();
    EXPECT_EQ(contents(path), LoanFile::encode(withPayments(2))); // none of the old bytes
}

TEST(LoanFileKinds, OnlyRegularFilesCount)
{
    QTemporaryDir dir;
    const QString file = qhtest::tempPath(dir, "Loan.qhv");
    ASSERT_TRUE(put(file, LoanFile::encode(withPayments(1))));
    const QString toFile = qhtest::tempPath(dir, "ToLoan.qhv");
    const QString toNull = qhtest::tempPath(dir, "ToNull.qhv");
    const QString fifo = qhtest::tempPath(dir, "Pipe.qhv");
    ASSERT_EQ(::symlink(local(file).constData(), local(toFile).constData()), 0);
    ASSERT_EQ(::symlink("/dev/null", local(toNull).constData()), 0);
    ASSERT_EQ(::mkfifo(local(fifo).constData(), 0666), 0);

    EXPECT_TRUE(LoanFile::isRegularFile(file));
    EXPECT_TRUE(LoanFile::isRegularFile(toFile));
    EXPECT_FALSE(LoanFile::isRegularFile(qhtest::tempPath(dir, "Missing.qhv")));
    EXPECT_FALSE(LoanFile::isRegularFile(dir.path()));
    EXPECT_FALSE(LoanFile::isRegularFile(fifo));
    EXPECT_FALSE(LoanFile::isRegularFile("/dev/null"));
    EXPECT_FALSE(LoanFile::isRegularFile(toNull));

    // A link to a loan file is read, and a save through it goes to the file.
    ASSERT_EQ(LoanFile::write(toFile, withPayments(2)), "");
    EXPECT_EQ(node(toFile).first, S_IFLNK);
    EXPECT_EQ(contents(file), LoanFile::encode(withPayments(2)));
    EXPECT_EQ(LoanFile::read(toFile).data.payments.size(), 2u);
}

TEST(LoanFileKinds, ALoopOfLinksIsLeftAlone)
{
    QTemporaryDir dir;
    const QString a = qhtest::tempPath(dir, "A.qhv");
    const QString b = qhtest::tempPath(dir, "B.qhv");
    ASSERT_EQ(::symlink(local(b).constData(), local(a).constData()), 0);
    ASSERT_EQ(::symlink(local(a).constData(), local(b).constData()), 0);
    EXPECT_EQ(LoanFile::read(a).error,
              "The loan file \"A.qhv\" could not be created: " + systemReason(ELOOP) + ".");
    EXPECT_EQ(LoanFile::write(a, withPayments(1)),
              "The loan file \"A.qhv\" could not be written: " + systemReason(ELOOP)
                  + ". The loan was not saved.");
    EXPECT_EQ(node(a).first, S_IFLNK); // not replaced by a file
    EXPECT_EQ(QFileInfo(a).symLinkTarget(), b);
}

TEST(LoanFileKinds, PipesAndSocketsAreNeitherReadNorWritten)
{
    QTemporaryDir dir;
    const QString fifo = qhtest::tempPath(dir, "Pipe.qhv");
    ASSERT_EQ(::mkfifo(local(fifo).constData(), 0666), 0);
    const QString sock = qhtest::tempPath(dir, "Socket.qhv");
    ASSERT_TRUE(makeSocket(sock));

    // Opening a pipe with no writer at its other end waits for one: these
    // calls must come back at once.
    for (const auto &[path, kind] : {std::pair{fifo, S_IFIFO}, std::pair{sock, S_IFSOCK}}) {
        const QString name = QFileInfo(path).fileName();
        const QString is = kind == S_IFIFO ? "a pipe" : "a socket";
        const Outcome r = readInChild(path);
        EXPECT_TRUE(r.finished) << "reading " << name.toStdString() << ": " << r.trouble;
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, QStringLiteral("\"%1\" is %2, not a loan file.").arg(name, is));
        const Outcome w = writeInChild(path, withPayments(1));
        EXPECT_TRUE(w.finished) << "saving to " << name.toStdString() << ": " << w.trouble;
        EXPECT_FALSE(w.ok);
        EXPECT_EQ(w.message,
                  QStringLiteral("\"%1\" is %2, not a loan file; the loan was not saved.").arg(name, is));
        EXPECT_EQ(node(path).first, kind) << name.toStdString() << " was replaced";
    }
}

TEST(LoanFileKinds, LinksToDevicesAreNotRead)
{
    QTemporaryDir dir;
    // /dev/zero would be read until memory ran out; /dev/null would read as
    // an empty loan.
    for (const char *device : {"/dev/zero", "/dev/null"}) {
        const QString link = qhtest::tempPath(dir, "Loan.qhv");
        QFile::remove(link);
        ASSERT_EQ(::symlink(device, local(link).constData()), 0);
        const Outcome r = readInChild(link);
        EXPECT_TRUE(r.finished) << "reading a link to " << device << ": " << r.trouble;
        EXPECT_FALSE(r.ok) << device;
        EXPECT_EQ(r.message, QStringLiteral("\"Loan.qhv\" is a device, not a loan file.")) << device;
        EXPECT_EQ(node(device).first, S_IFCHR);
    }
}

TEST(LoanFileKinds, SavesGoIntoNoDevice)
{
    // The devices are copies of /dev/null and /dev/zero made here: a save
    // that went through would put a plain file in place of the device the
    // link leads to, which for the system's own would break the machine.
    QTemporaryDir dir;
    for (const char *device : {"/dev/zero", "/dev/null"}) {
        struct stat st;
        ASSERT_EQ(::stat(device, &st), 0);
        const QString copy = qhtest::tempPath(dir, QFileInfo(device).fileName());
        if (::mknod(local(copy).constData(), S_IFCHR | 0666, st.st_rdev) != 0)
            GTEST_SKIP() << "no device can be made here: " << std::strerror(errno);
        const QString link = qhtest::tempPath(dir, "Loan.qhv");
        QFile::remove(link);
        ASSERT_EQ(::symlink(local(copy).constData(), local(link).constData()), 0);

        const Outcome w = writeInChild(link, withPayments(1));
        EXPECT_TRUE(w.finished) << "saving through a link to " << device << ": " << w.trouble;
        EXPECT_FALSE(w.ok) << device;
        EXPECT_EQ(w.message,
                  QStringLiteral("\"Loan.qhv\" is a device, not a loan file; the loan was not saved."))
            << device;
        EXPECT_EQ(node(copy), std::make_pair(mode_t(S_IFCHR), st.st_rdev)) << device;
        EXPECT_EQ(node(link).first, S_IFLNK) << device;
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), copy) << device;
    }
}

TEST(LoanFileSaving, ASaveThatDoesNotTakeEveryByteKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = qhtest::tempPath(dir, "Loan.qhv");
    ASSERT_EQ(LoanFile::write(path, withPayments(10)), "");
    const QByteArray old = contents(path);
    const QString before = "The loan file \"Loan.qhv\" could not be written: ";
    const QString after = ". The loan was not saved.";

    // Some bytes taken, then no more.
    EXPECT_EQ(LoanFile::write(path, withPayments(3), filling(100, ENOSPC)),
              before + "only 100 of 754 bytes were written" + after);
    EXPECT_EQ(contents(path), old);
    // None taken: the device says nothing, so the system's reason is given.
    EXPECT_EQ(LoanFile::write(path, withPayments(3), filling(0, ENOSPC)),
              before + systemReason(ENOSPC) + after);
    EXPECT_EQ(contents(path), old);
    // A device's own account of its failure comes first.
    EXPECT_EQ(LoanFile::write(path, withPayments(3), filling(0, ENOSPC, "The disk was taken out")),
              before + "The disk was taken out" + after);
    EXPECT_EQ(contents(path), old);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"Loan.qhv"});

    // With room enough the save goes through the device whole.
    ASSERT_EQ(LoanFile::write(path, withPayments(3), filling(LoanFile::kMaxFileSize, ENOSPC)), "");
    EXPECT_EQ(contents(path), LoanFile::encode(withPayments(3), old));
}

TEST(LoanFileSaving, ASaveCutShortByTheSystemSaysWhy)
{
    QTemporaryDir dir;
    const QString path = qhtest::tempPath(dir, "Loan.qhv");
    ASSERT_EQ(LoanFile::write(path, withPayments(10)), "");
    const QByteArray old = contents(path);

    // The largest file this process may write is made smaller than the save,
    // which the system then cuts short. One loan fits the buffer the bytes
    // wait in before they are written, the other does not.
    for (int payments : {100, 1600}) {
        const Outcome w = inChild([path, payments] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{1000, 1000};
            if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
                return Outcome{true, false, QStringLiteral("no file size limit")};
            const QString error = LoanFile::write(path, withPayments(payments));
            return Outcome{true, error.isEmpty(), error};
        });
        ASSERT_TRUE(w.finished) << payments << " payments: " << w.trouble;
        EXPECT_FALSE(w.ok) << payments << " payments";
        EXPECT_TRUE(w.message.startsWith(
            "The loan file \"Loan.qhv\" could not be written: " + systemReason(EFBIG)))
            << w.message.toStdString();
        EXPECT_TRUE(w.message.endsWith(". The loan was not saved.")) << w.message.toStdString();
        EXPECT_EQ(contents(path), old) << payments << " payments";
    }
}
