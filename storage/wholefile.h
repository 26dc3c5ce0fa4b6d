#pragma once
// A file written whole or not at all: the bytes go to a temporary file beside
// it, renamed over the old one only when every byte got to the disk. A
// failure is told in the system's words ("No space left on device"), never as
// "Unknown error".
#include <QByteArray>
#include <QString>

#include "storage/result.h"
#include <functional>
#include <memory>

class QIODevice;

namespace WholeFile {

// A device put in front of the temporary file, given the file in its place
// (to try out a disk that takes fewer bytes than it is given).
using WriteThrough = std::function<std::unique_ptr<QIODevice>(QIODevice &file)>;

// Nothing is left behind on failure.
Result write(const QString &path, const QByteArray &bytes, const WriteThrough &through = {});

// Why `device` failed: its own account, or when it has none the system's,
// from the errno taken right after the call that failed.
QString reason(const QIODevice &device, int error);

} // namespace WholeFile
