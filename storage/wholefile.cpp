#include "wholefile.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace WholeFile {

QString reason(const QIODevice &device, int error)
{
    const QString told = device.errorString();
    if (!told.isEmpty() && told != QLatin1String("Unknown error")
        && told != QCoreApplication::translate("QIODevice", "Unknown error"))
        return told;
    if (error != 0)
        return QString::fromLocal8Bit(std::strerror(error));
    return told.isEmpty() ? QStringLiteral("Unknown error") : told;
}

Result write(const QString &path, const QByteArray &bytes, const WriteThrough &through)
{
    // Unbuffered, so that a disk that takes fewer bytes says so at the write
    // rather than in commit().
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Result::failed(reason(file, errno));
    std::unique_ptr<QIODevice> front = through ? through(file) : nullptr;
    QIODevice &out = front ? *front : file;
    errno = 0;
    const qint64 wrote = out.write(bytes);
    const int error = errno;
    if (wrote != bytes.size()) {
        QString why = wrote < 0 ? reason(out, error)
                                : error != 0 ? QString::fromLocal8Bit(std::strerror(error))
                                             : QStringLiteral("only %1 of %2 bytes were written")
                                                   .arg(wrote)
                                                   .arg(bytes.size());
        file.cancelWriting();
        return Result::failed(why);
    }
    front.reset();
    errno = 0;
    if (!file.commit())
        return Result::failed(reason(file, errno));
    return {};
}

} // namespace WholeFile
