// Feeds arbitrary bytes to the loan file codec. Whatever it accepts must come
// back unchanged through a save over the same bytes and a second read, and
// reading the bytes from disk must agree with decoding them in memory.
#include "storage/loanextension.h"
#include "storage/loanfile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_loanfile: %s\n", what);
    std::abort();
}

void check(bool ok, const char *what)
{
    if (!ok)
        fail(what);
}

// Bit-for-bit equality, so that -0.0 and 0.0 count as different values.
bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameData(const LoanFileData &a, const LoanFileData &b)
{
    for (size_t i = 0; i < a.terms.size(); ++i)
        if (!sameBits(a.terms[i], b.terms[i]))
            return false;
    if (!sameBits(a.firstPaymentDate, b.firstPaymentDate))
        return false;
    if (a.payments.size() != b.payments.size())
        return false;
    for (size_t k = 0; k < a.payments.size(); ++k) {
        const PaymentRecord &x = a.payments[k], &y = b.payments[k];
        if (!sameBits(x.escrow, y.escrow) || !sameBits(x.extraPrincipal, y.extraPrincipal)
            || x.payDate != y.payDate)
            return false;
    }
    return true;
}

bool allFinite(const LoanFileData &d)
{
    for (double t : d.terms)
        if (!std::isfinite(t))
            return false;
    if (!std::isfinite(d.firstPaymentDate))
        return false;
    for (const PaymentRecord &r : d.payments)
        if (!std::isfinite(r.escrow) || !std::isfinite(r.extraPrincipal) || r.payDate.size() != 8)
            return false;
    return true;
}

QString scratchFile()
{
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        if (!dir->isValid())
            fail("no temporary folder");
    }
    return QDir(dir->path()).filePath(QStringLiteral("fuzz.qhv"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // QFile and QTemporaryDir need no event loop, but an application object
    // gives them the same environment as the program.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const LoanFile::Decoded first = LoanFile::decode(bytes);
    if (first.ok) {
        check(first.reason.isEmpty(), "accepted bytes with an error message");
        check(first.data.payments.size() <= 1600, "more than 1600 payments accepted");
        check(allFinite(first.data), "a decoded value is not finite or a date is not 8 characters");

        // A save over the same bytes, read again, gives the same loan.
        const QByteArray saved = LoanFile::encode(first.data, bytes);
        // Only a section the loan no longer has is cut away.
        check(saved.size() >= bytes.size() || LoanFile::hasExtension(bytes),
              "a save shortened the file");
        // A section's contents are read without harm, and written back the same.
        LoanExtension ext;
        if (!first.data.extension.isEmpty() && LoanExtension::read(first.data.extension, ext)) {
            LoanExtension again;
            const QByteArray payload = ext.payload();
            check(payload.isEmpty() || LoanExtension::read(payload, again), "a written section does not read back");
        }
        check(saved.size() >= LoanFile::kFixedSize, "a save is shorter than the fixed part");
        const LoanFile::Decoded second = LoanFile::decode(saved);
        check(second.ok, "a saved loan does not read back");
        check(sameData(first.data, second.data), "a saved loan reads back different");
        // And saving that again changes no byte.
        check(LoanFile::encode(second.data, saved) == saved, "a second save changed the bytes");
        // A fresh save holds the same loan as one over old bytes.
        const LoanFile::Decoded fresh = LoanFile::decode(LoanFile::encode(first.data));
        check(fresh.ok && sameData(first.data, fresh.data), "a fresh save reads back different");
    } else {
        check(!first.reason.isEmpty(), "refused bytes without a message");
    }

    // Reading from disk agrees with decoding in memory.
    const QString path = scratchFile();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            fail("cannot write the scratch file");
    }
    const LoanFile::ReadResult fromDisk = LoanFile::read(path);
    check(fromDisk.ok == first.ok, "reading the file and decoding its bytes disagree");
    if (fromDisk.ok)
        check(sameData(fromDisk.data, first.data), "the file reads different from its bytes");
    else
        check(fromDisk.reason.contains(first.reason), "the read error hides the reason");
    return 0;
}
