#include "outputfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {
namespace {

core::Failure cannotWrite(const QString &path, const QString &why)
{
    return {QStringLiteral("Cannot write \"%1\": %2.").arg(path, why)};
}

// Every byte, whatever the pipe or device takes at a time.
core::Result<> writeAll(int fd, const QString &path, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return cannotWrite(path, QString::fromLocal8Bit(std::strerror(written < 0 ? errno : EIO)));
        done += written;
    }
    return {};
}

// A pipe or a device, opened as it is: nothing is created or truncated.
core::Result<> writeDirectly(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return cannotWrite(path, QString::fromLocal8Bit(std::strerror(errno)));
    core::Result<> written = writeAll(fd, path, bytes);
    if (::close(fd) != 0 && written)
        written = cannotWrite(path, QString::fromLocal8Bit(std::strerror(errno)));
    return written;
}

// The file a path names, through any symbolic links; the path itself when
// it names nothing yet.
QString fileNamedBy(const QString &path)
{
    const QFileInfo info(path);
    if (const QString canonical = info.canonicalFilePath(); !canonical.isEmpty())
        return canonical;
    return info.isSymLink() ? info.symLinkTarget() : path;
}

} // namespace

core::Result<> writeOutput(const QString &path, const QByteArray &bytes)
{
    if (path == u"-")
        return writeAll(STDOUT_FILENO, QStringLiteral("standard output"), bytes);
    struct stat status {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode))
        return cannotWrite(path, QStringLiteral("it is a folder"));
    if (exists && !S_ISREG(status.st_mode))
        return writeDirectly(path, bytes);
    QSaveFile file(fileNamedBy(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return cannotWrite(path, file.errorString());
    return {};
}

} // namespace cli
