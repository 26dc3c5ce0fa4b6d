#include "loanfile.h"
#include "wholefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void putDouble(QByteArray &b, int at, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    qToLittleEndian(bits, b.data() + at);
}

void putShort(QByteArray &b, int at, int16_t v)
{
    qToLittleEndian(v, b.data() + at);
}

double getDouble(const QByteArray &b, int at)
{
    if (at + 8 > b.size())
        return 0;
    quint64 bits = qFromLittleEndian<quint64>(b.constData() + at);
    double v;
    std::memcpy(&v, &bits, 8);
    return std::isfinite(v) ? v : 0;
}

QString describe(const QString &path)
{
    return QStringLiteral("\"%1\"").arg(QFileInfo(path).fileName());
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

using WholeFile::reason;

QString notWritten(const QString &path, const QString &why)
{
    return QStringLiteral("The loan file %1 could not be written: %2. The loan was not saved.")
        .arg(describe(path), why);
}

// What a path leads to, links followed, found without opening it.
struct Found {
    int error = 0;                    // why nothing was found, else 0
    mode_t type = 0;                  // S_IFREG, S_IFDIR, ...
    qint64 size = 0;
};

void take(Found &f, const struct stat &st)
{
    f.type = st.st_mode & S_IFMT;
    f.size = st.st_size;
}

Found look(const QString &path)
{
    Found f;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        f.error = errno;
    else
        take(f, st);
    return f;
}

// The bytes of a regular file, of which no more than LoanFile::kMaxFileSize
// are read. It is opened without waiting, so that a pipe or a device put in
// its place since it was looked at cannot hold the program up; found to be
// such, or longer, once open, it is left unread, and `found` says what it is.
struct Loaded {
    Found found;
    QByteArray bytes;
    int openError = 0;
    int readError = 0;
};

Loaded load(const QString &path)
{
    Loaded out;
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        out.openError = errno;
        return out;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        out.readError = errno;
        ::close(fd);
        return out;
    }
    take(out.found, st);
    if (out.found.type != S_IFREG || out.found.size > LoanFile::kMaxFileSizeWithExtension) {
        ::close(fd);
        return out;
    }
    out.bytes.resize(LoanFile::kMaxFileSizeWithExtension);
    qsizetype got = 0;
    while (got < out.bytes.size()) {
        const ssize_t n = ::read(fd, out.bytes.data() + got, size_t(out.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.readError = errno;
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    // A file that filled the whole buffer may have grown since it was opened.
    if (got == out.bytes.size() && ::fstat(fd, &st) == 0)
        take(out.found, st);
    ::close(fd);
    out.bytes.truncate(got);
    return out;
}

QString kindOf(mode_t type)
{
    switch (type) {
    case S_IFIFO:
        return QStringLiteral("a pipe");
    case S_IFSOCK:
        return QStringLiteral("a socket");
    case S_IFCHR:
    case S_IFBLK:
        return QStringLiteral("a device");
    default:
        return QStringLiteral("something other than a file");
    }
}

// Why what was found at `path` is not read, or nothing when it may be; a
// file that carries an extension section may be larger.
QString refusedForReading(const QString &path, const Found &f, bool extension = true)
{
    if (f.type == S_IFDIR)
        return QStringLiteral("%1 is a folder, not a loan file.").arg(describe(path));
    if (f.type != S_IFREG)
        return QStringLiteral("%1 is %2, not a loan file.").arg(describe(path), kindOf(f.type));
    if (f.size > (extension ? LoanFile::kMaxFileSizeWithExtension : LoanFile::kMaxFileSize))
        return QStringLiteral("The loan file %1 is %2 bytes long; a loan file is at most 64 KiB. "
                              "It was not loaded.")
            .arg(describe(path))
            .arg(f.size);
    return QString();
}

// Why what was found at `path` is not written over, or nothing when it may be.
QString refusedForSaving(const QString &path, const Found &f)
{
    if (f.type == S_IFDIR)
        return QStringLiteral("%1 is a folder; the loan was not saved.").arg(describe(path));
    if (f.type != S_IFREG)
        return QStringLiteral("%1 is %2, not a loan file; the loan was not saved.")
            .arg(describe(path), kindOf(f.type));
    return QString();
}

// A name that does not exist yet starts an empty loan file. Opened without
// waiting: a pipe put there meanwhile fails at once instead of waiting for
// a reader.
LoanFile::ReadResult startEmpty(const QString &path)
{
    LoanFile::ReadResult out;
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        out.reason = QStringLiteral("The loan file %1 could not be created: %2.")
                        .arg(describe(path), systemReason(errno));
        return out;
    }
    struct stat st;
    const bool seen = ::fstat(fd, &st) == 0;
    const int error = errno;
    ::close(fd);
    if (!seen) {
        out.reason = QStringLiteral("The loan file %1 could not be created: %2.")
                        .arg(describe(path), systemReason(error));
        return out;
    }
    Found f;
    take(f, st);
    out.reason = refusedForReading(path, f);
    out.ok = out.reason.isEmpty();
    return out;
}

} // namespace

namespace LoanFile {

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool hasExtension(const QByteArray &bytes)
{
    return bytes.size() >= kExtensionOffset + 4
           && std::memcmp(bytes.constData() + kExtensionOffset, "QHVX", 4) == 0;
}

QByteArray encode(const LoanFileData &data, const QByteArray &previous)
{
    const int n = int(data.payments.size());
    // Below the section's offset the bytes are those a plain save leaves: its
    // old tail where there is one, zeros beyond it. A section starts at its
    // offset; a loan without one over a file that had one ends there.
    const bool section = !data.extension.isEmpty();
    QByteArray b = hasExtension(previous) || section ? previous.left(kExtensionOffset) : previous;
    qsizetype size = std::max<qsizetype>(
        {b.size(), kFixedSize, kRecordsOffset + qsizetype(kRecordSize) * n});
    if (section || hasExtension(previous))
        size = std::max<qsizetype>(size, kExtensionOffset);
    b.resize(size, '\0');
    for (int i = 0; i < 13; ++i)
        putDouble(b, 8 * i, data.terms[size_t(i)]);
    putDouble(b, 104, data.firstPaymentDate);
    // The filler is a typed text value: type code 8, length 512, then zeros.
    putShort(b, 112, 8);
    putShort(b, 114, 512);
    std::memset(b.data() + 116, 0, kFixedSize - 116);
    putShort(b, kCountOffset, int16_t(n));
    for (int k = 0; k < n; ++k) {
        const PaymentRecord &r = data.payments[size_t(k)];
        const int at = kRecordsOffset + kRecordSize * k;
        putDouble(b, at, r.escrow);
        putDouble(b, at + 8, r.extraPrincipal);
        const QByteArray date = PaymentRecord::fitDate(r.payDate).toLatin1();
        std::memcpy(b.data() + at + 16, date.constData(), 8);
    }
    if (!data.extension.isEmpty()) {
        QByteArray header("QHVX", 4);
        header.resize(kExtensionHeader);
        qToLittleEndian<quint16>(1, header.data() + 4);
        qToLittleEndian<quint16>(0, header.data() + 6);
        qToLittleEndian<quint32>(quint32(data.extension.size()), header.data() + 8);
        qToLittleEndian<quint32>(crc32(data.extension), header.data() + 12);
        b += header + data.extension;
    }
    return b;
}

namespace {

// The section's payload, or why it cannot be read. The plain loan opens
// either way.
QString readExtension(const QByteArray &bytes, QByteArray *payload)
{
    const char *h = bytes.constData() + kExtensionOffset;
    if (bytes.size() < kExtensionOffset + kExtensionHeader)
        return QStringLiteral("its header is cut short");
    if (const quint16 version = qFromLittleEndian<quint16>(h + 4); version != 1)
        return QStringLiteral("its version %1 is not known to this program").arg(version);
    const quint32 length = qFromLittleEndian<quint32>(h + 8);
    if (length > quint64(bytes.size() - kExtensionOffset - kExtensionHeader))
        return QStringLiteral("it says it is longer than the file");
    const QByteArray body = bytes.mid(kExtensionOffset + kExtensionHeader, length);
    if (crc32(body) != qFromLittleEndian<quint32>(h + 12))
        return QStringLiteral("its check sum does not match");
    *payload = body;
    return QString();
}

} // namespace

Decoded decode(const QByteArray &bytes)
{
    Decoded out;
    for (int i = 0; i < 13; ++i)
        out.data.terms[size_t(i)] = getDouble(bytes, 8 * i);
    out.data.firstPaymentDate = getDouble(bytes, 104);
    int count = 0;
    if (bytes.size() >= kCountOffset + 2)
        count = qFromLittleEndian<qint16>(bytes.constData() + kCountOffset);
    if (count < 0 || count > PaymentRecord::kMaxPayments) {
        out.reason = QStringLiteral("It says it holds %1 payments; a loan file holds 0 to %2.")
                        .arg(count)
                        .arg(PaymentRecord::kMaxPayments);
        return out;
    }
    if (count > 0 && bytes.size() < kRecordsOffset + kRecordSize * count) {
        out.reason = QStringLiteral("It ends inside its payment records: it is cut short.");
        return out;
    }
    out.data.payments.reserve(size_t(count));
    for (int k = 0; k < count; ++k) {
        const int at = kRecordsOffset + kRecordSize * k;
        PaymentRecord r;
        r.escrow = getDouble(bytes, at);
        r.extraPrincipal = getDouble(bytes, at + 8);
        r.payDate = QString::fromLatin1(bytes.constData() + at + 16, 8);
        out.data.payments.push_back(r);
    }
    if (hasExtension(bytes)) {
        const QString why = readExtension(bytes, &out.data.extension);
        if (!why.isEmpty())
            out.data.extensionProblem = why;
    }
    out.ok = true;
    return out;
}

ReadResult read(const QString &path)
{
    ReadResult out;
    const Found found = look(path);
    if (found.error != 0)
        return startEmpty(path);
    out.reason = refusedForReading(path, found);
    if (!out.reason.isEmpty())
        return out;
    const Loaded loaded = load(path);
    if (loaded.openError != 0) {
        out.reason = QStringLiteral("The loan file %1 could not be opened: %2.")
                        .arg(describe(path), systemReason(loaded.openError));
        return out;
    }
    if (loaded.readError != 0) {
        out.reason = QStringLiteral("The loan file %1 could not be read: %2.")
                        .arg(describe(path), systemReason(loaded.readError));
        return out;
    }
    out.reason = refusedForReading(path, loaded.found, hasExtension(loaded.bytes));
    if (!out.reason.isEmpty())
        return out;
    Decoded d = decode(loaded.bytes);
    if (!d.ok) {
        out.reason = QStringLiteral("The loan file %1 is damaged and was not loaded. %2")
                        .arg(describe(path), d.reason);
        return out;
    }
    out.ok = true;
    out.data = std::move(d.data);
    return out;
}

bool looksLikeLoanFile(const QString &path)
{
    const Loaded loaded = load(path);
    const QByteArray &b = loaded.bytes;
    if (loaded.found.type != S_IFREG || b.size() < 116 || loaded.openError != 0)
        return false;
    // The filler's type and length stand where every loan file has them.
    if (qFromLittleEndian<qint16>(b.constData() + 112) != 8
        || qFromLittleEndian<qint16>(b.constData() + 114) != 512)
        return false;
    return decode(b).ok;
}

Result write(const QString &path, const LoanFileData &data)
{
    return write(path, data, WriteThrough());
}

Result write(const QString &path, const LoanFileData &data, const WriteThrough &through)
{
    const Found found = look(path);
    // Only a name that leads nowhere is new; one that cannot be followed (a
    // loop of links, say) is not written over.
    if (found.error != 0 && found.error != ENOENT)
        return Result::failed(notWritten(path, systemReason(found.error)));
    QByteArray previous;
    if (found.error == 0) {
        if (QString why = refusedForSaving(path, found); !why.isEmpty())
            return Result::failed(why);
        // A file marked read-only is not written over, whoever runs the program.
        QFileInfo info(path);
        const auto writeBits = QFile::WriteOwner | QFile::WriteGroup
                               | QFile::WriteOther;
        if (!info.isWritable() || !(info.permissions() & writeBits))
            return Result::failed(
                QStringLiteral("The loan file %1 is read-only; the loan was not saved.")
                    .arg(describe(path)));
        // The bytes past the records of a file no longer than a loan file
        // can be are kept; a longer file is written over whole.
        if (found.size <= kMaxFileSizeWithExtension) {
            const Loaded old = load(path);
            const int error = old.openError != 0 ? old.openError : old.readError;
            if (error != 0)
                return Result::failed(QStringLiteral("The loan file %1 could not be opened: "
                                                     "%2. The loan was not saved.")
                                          .arg(describe(path), systemReason(error)));
            if (QString why = refusedForSaving(path, old.found); !why.isEmpty())
                return Result::failed(why);
            if (old.found.size <= kMaxFileSize || hasExtension(old.bytes))
                previous = old.bytes;
        }
    }
    // Unbuffered: a disk that takes fewer bytes than it is given says so at
    // the write. Through a buffer it would say so only when the buffer was
    // flushed by commit(), which renames the file cut short into place all
    // the same.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int error = errno;
        return Result::failed(notWritten(path, reason(file, error)));
    }
    const QByteArray bytes = encode(data, previous);
    std::unique_ptr<QIODevice> front = through ? through(file) : nullptr;
    QIODevice &out = front ? *front : file;
    errno = 0;
    const qint64 wrote = out.write(bytes);
    const int error = errno;
    if (wrote < 0) {
        const QString why = reason(out, error);
        file.cancelWriting();
        return Result::failed(notWritten(path, why));
    }
    front.reset();
    // What the file holds, not only what the write says.
    const qint64 held = wrote == bytes.size() ? file.size() : wrote;
    if (held != bytes.size()) {
        // Fewer bytes than the loan's: the old file stays as it was.
        file.cancelWriting();
        const QString count = QStringLiteral("only %1 of %2 bytes were written")
                                  .arg(held)
                                  .arg(bytes.size());
        return Result::failed(notWritten(
            path, error != 0 ? QStringLiteral("%1 (%2)").arg(systemReason(error), count) : count));
    }
    errno = 0;
    if (!file.commit()) {
        const int commitError = errno;
        return Result::failed(notWritten(path, reason(file, commitError)));
    }
    return {};
}

} // namespace LoanFile
