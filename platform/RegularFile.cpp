#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileReadResult ReadRegularFile(const QString& fileName, qsizetype maxSize) {
    FileReadResult result;
    auto fail = [&](FileReadStatus status, const QString& error) {
        result.Status = status;
        result.Error = error;
        return result;
    };
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return fail(error == ENOENT ? FileReadStatus::Missing : FileReadStatus::Failed, errorText(error));
    }
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fail(FileReadStatus::Failed, errorText(errno));
    if (S_ISDIR(st.st_mode))
        return fail(FileReadStatus::NotRegular,
                    QCoreApplication::translate("FileErrors", "Es ist ein Ordner, keine Datei."));
    if (!S_ISREG(st.st_mode))
        return fail(FileReadStatus::NotRegular,
                    QCoreApplication::translate("FileErrors", "Es ist keine gewöhnliche Datei."));
    const QString tooLarge =
        QCoreApplication::translate("FileErrors", "Die Datei ist größer als %1 Bytes.").arg(maxSize);
    if (st.st_size > maxSize)
        return fail(FileReadStatus::TooLarge, tooLarge);
    // Read to the end, but never past the limit: the file may grow while it is read.
    QByteArray bytes;
    bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxSize)
                return fail(FileReadStatus::TooLarge, tooLarge);
            bytes.resize(std::min(maxSize + 1, 2 * got + 4096));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(FileReadStatus::Failed, errorText(errno));
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxSize)
        return fail(FileReadStatus::TooLarge, tooLarge);
    bytes.truncate(got);
    result.Status = FileReadStatus::Read;
    result.Bytes = std::move(bytes);
    return result;
}

QString errorText(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
        return QCoreApplication::translate("FileErrors", "Kein Speicherplatz mehr auf dem Gerät.");
    case EDQUOT:
        return QCoreApplication::translate("FileErrors",
                                           "Der zugeteilte Speicherplatz (Quota) ist erschöpft.");
    case EFBIG:
        return QCoreApplication::translate("FileErrors", "Die Datei ist zu groß.");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("FileErrors", "Keine Berechtigung.");
    case EROFS:
        return QCoreApplication::translate("FileErrors", "Das Dateisystem ist nur lesbar.");
    case ENOENT:
        return QCoreApplication::translate("FileErrors", "Die Datei oder der Ordner existiert nicht.");
    case ENOTDIR:
        return QCoreApplication::translate("FileErrors", "Ein Teil des Pfades ist kein Ordner.");
    case EISDIR:
        return QCoreApplication::translate("FileErrors", "Es ist ein Ordner, keine Datei.");
    case ENAMETOOLONG:
        return QCoreApplication::translate("FileErrors", "Der Dateiname ist zu lang.");
    case EIO:
        return QCoreApplication::translate("FileErrors", "Ein-/Ausgabefehler des Geräts.");
    case EMFILE:
    case ENFILE:
        return QCoreApplication::translate("FileErrors", "Zu viele offene Dateien.");
    case EBUSY:
    case ETXTBSY:
        return QCoreApplication::translate("FileErrors", "Die Datei ist in Benutzung.");
    case ENXIO:
    case ENODEV:
        return QCoreApplication::translate("FileErrors", "Das Gerät ist nicht vorhanden.");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

} // namespace platform
