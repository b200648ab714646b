#include "files/RegularFile.h"
#include "radio/OwnTexts.h"

#include <QFileInfo>
#include <cstdio>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool Fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

// A path that exists but names no regular file (a link is followed).
bool NamesSomethingElse(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

#ifdef Q_OS_WIN

bool OpenChecked(QFile& file, QIODevice::OpenMode mode, QString* reason) {
    if (NamesSomethingElse(file.fileName()))
        return Fail(reason, NotRegularFileReason());
    if (!file.open(mode))
        return Fail(reason, file.errorString());
    return true;
}

#else

// open() with O_NONBLOCK returns at once even for a pipe without a writer; fstat()
// then tells what was opened. A regular file never blocks, so the flag is dropped for
// the reads and writes that follow.
bool OpenChecked(QFile& file, QIODevice::OpenMode mode, QString* reason) {
    if (NamesSomethingElse(file.fileName()))
        return Fail(reason, NotRegularFileReason());
    const int flags = mode.testFlag(QIODevice::Append) ? O_WRONLY | O_APPEND | O_CREAT : O_RDONLY;
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail(reason, qt_error_string(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Fail(reason, NotRegularFileReason());
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Fail(reason, file.errorString());
    }
    return true;
}

#endif

} // namespace

QString NotRegularFileReason() {
    return OwnText("it is not a regular file but a folder, device or pipe");
}

bool ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason) {
    QFile file(path);
    if (!OpenChecked(file, QIODevice::ReadOnly, reason))
        return false;
    *bytes = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        return Fail(reason, file.errorString());
    return true;
}

bool ReadStandardInput(qint64 maxBytes, QByteArray* bytes, QString* reason) {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return Fail(reason, input.errorString());
    bytes->clear();
    // A pipe hands over what its writer has written so far: read on until its end.
    while (bytes->size() <= maxBytes) {
        const QByteArray chunk = input.read(maxBytes + 1 - bytes->size());
        if (chunk.isEmpty())
            break;
        bytes->append(chunk);
    }
    if (input.error() != QFileDevice::NoError)
        return Fail(reason, input.errorString());
    return true;
}

bool OpenRegularFileToAppend(QFile& file, QString* reason) {
    // Text: the platform's own line ends, as a trace read in a text editor wants.
    return OpenChecked(file, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text, reason);
}
