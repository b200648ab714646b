#pragma once
// A tiny tmpfs for tests of saves on a full or read-only disk: mounted on a temporary
// folder, filled on request, unmounted at the end. Mounting needs root (and Linux);
// elsewhere isMounted() is false and the test skips the case.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

class FullDisk {
public:
    enum Access { Writable, ReadOnly };
    explicit FullDisk(Access access = Writable) {
#ifdef Q_OS_LINUX
        m_mounted = m_dir.isValid() &&
                    ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                            access == ReadOnly ? MS_RDONLY : 0, "size=12k") == 0;
#else
        Q_UNUSED(access); // no tmpfs to mount: the cases that need one skip
#endif
    }
    ~FullDisk() {
#ifdef Q_OS_LINUX
        if (m_mounted)
            ::umount(QFile::encodeName(m_dir.path()).constData());
#endif
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Takes every free byte, so the next write fails with "No space left on device".
    void fill() {
        QFile filler(filePath(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray chunk(512, 'x');
        while (filler.write(chunk) > 0) {
        }
        while (filler.write(chunk.left(1)) > 0) {
        }
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
