#pragma once
// The loan file (.qhv): a fixed little-endian layout of thirteen loan-term
// doubles, the first payment date as the number mmddyy, a filler, the payment
// count at offset 512 and 24-byte payment records from offset 514.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "loan/paymentrecord.h"
#include "storage/result.h"

class QIODevice;

struct LoanFileData {
    std::array<double, 13> terms{};   // in loan-term field order
    double firstPaymentDate = 0;      // the digits mmddyy as a number
    std::vector<PaymentRecord> payments;
    // The extension section's payload (UTF-8 JSON of an object); empty when
    // the loan needs none. Read: why a section there could not be read.
    QByteArray extension;
    QString extensionProblem;
};

namespace LoanFile {

constexpr int kFixedSize = 628;
constexpr int kCountOffset = 512;
constexpr int kRecordsOffset = 514;
constexpr int kRecordSize = 24;
// No loan file is longer (1,600 records end at 38,914 bytes): a longer file
// is not read, and a save over it keeps none of its bytes.
constexpr qint64 kMaxFileSize = 64 * 1024;
// Past the room of the 1,600 payment records, which no reader or writer of
// the plain layout touches, a file may carry one extension section: "QHVX",
// version (u16 LE, 1), 0 (u16), the payload's length N (u32 LE), its CRC-32
// (zlib's polynomial, u32 LE), then N bytes of UTF-8 JSON. Such a file may
// be up to 1 MiB.
constexpr qint64 kExtensionOffset = 38914;
constexpr qint64 kExtensionHeader = 16;
constexpr qint64 kMaxFileSizeWithExtension = 1024 * 1024;
// CRC-32 as zlib computes it.
quint32 crc32(const QByteArray &bytes);
// Whether `bytes` carry a section's mark at its offset.
bool hasExtension(const QByteArray &bytes);

// The bytes of a save over a file that held `previous`: the fixed part and the
// records are written over it, and bytes beyond the last record stay. A loan
// with an extension writes its section at its offset, after the plain bytes
// (zeros where there were none); a loan without one over a file that had a
// section ends at that offset, so that no section is left.
QByteArray encode(const LoanFileData &data, const QByteArray &previous = QByteArray());

struct Decoded : Result {
    Decoded() { ok = false; }
    LoanFileData data;
};
// Missing values of a short fixed part read as 0, and a value that is not
// finite as 0. A count below 0 or above 1600, or records cut short, refuse
// the file.
Decoded decode(const QByteArray &bytes);

struct ReadResult : Result {
    ReadResult() { ok = false; }
    LoanFileData data;
};
// Reads a loan file; a missing one is created empty and reads as an empty
// loan. A read-only file is read all the same; a file longer than
// kMaxFileSize is refused unread, and so is anything other than a regular
// file (a folder, a pipe, a device), which is never opened.
ReadResult read(const QString &path);
// Whether `path` is a regular file whose bytes read as a loan file's: the
// filler's type and length at their places and payments that decode. Only a
// regular file is looked into, without waiting.
bool looksLikeLoanFile(const QString &path);

// Writes through a temporary file renamed over the old one. The bytes past the records of the
// old file stay, unless it is longer than kMaxFileSize. Only a regular file,
// or a new name, is written. A save that does not get every byte to the
// disk fails and leaves the old file as it was.
Result write(const QString &path, const LoanFileData &data);

// A device put in front of the temporary file of a save, given the bytes in
// its place (to try out a disk that takes fewer bytes than it is given).
using WriteThrough = std::function<std::unique_ptr<QIODevice>(QIODevice &file)>;
Result write(const QString &path, const LoanFileData &data, const WriteThrough &through);

} // namespace LoanFile
