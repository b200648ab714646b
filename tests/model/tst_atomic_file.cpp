// Saves that fail keep the old file and say why; targets that are no regular file are
// refused; a symbolic link is followed.

#include "AtomicFile.h"
#include "Files.h"
#include "FullDisk.h"
#include "ProgramIni.h"
#include "RadioImage.h"
#include "TestSuite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// The writers of this program, each given a path; they return false and a reason.
using Writer = std::function<bool(const QString& path, QString* error)>;

Writer DatWriter() {
    return [](const QString& path, QString* error) { return SaveDatFile(path, NewImage(), error); };
}

Writer IniWriter() {
    return [](const QString& path, QString* error) {
        return WriteProfileString(path, "Setup", "Language", "Chinese", error);
    };
}

} // namespace

class AtomicFileTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AtomicFile::failWritesForTesting(QString()); }

    // A write that fails (told to, or on a full disk, which needs root to set up) keeps the
    // old file and leaves no temporary file behind.
    void failedWriteKeepsOldFile_data() {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<bool>("fullDisk");
        for (bool full : {false, true}) {
            QTest::addRow(".dat%s", full ? ", full disk" : "") << DatWriter() << full;
            QTest::addRow("Program.ini%s", full ? ", full disk" : "") << IniWriter() << full;
        }
    }
    void failedWriteKeepsOldFile() {
        QFETCH(Writer, writer);
        QFETCH(bool, fullDisk);
        FullDisk disk;
        QTemporaryDir dir;
        if (fullDisk && !disk.isMounted())
            QSKIP("mounting a small tmpfs needs root");
        const QString path = fullDisk ? disk.filePath("target") : dir.filePath("target");
        const QByteArray old = "[Setup]\r\nLanguage=English\r\n" + QByteArray(1000, '\x11');
        QVERIFY(WriteFileBytes(path, old));
        if (fullDisk)
            disk.fill();
        else
            AtomicFile::failWritesForTesting("No space left on device");
        QString error;
        QVERIFY(!writer(path, &error));
        QVERIFY2(error.contains("No space left on device"), qPrintable(error));
        QCOMPARE(ReadFileBytes(path), old);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
                 fullDisk ? QStringList({".filler", "target"}) : QStringList{"target"});
    }

    void refusesTargetsThatAreNoRegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("device") << "device";
        QTest::newRow("link to a folder") << "link";
    }

    void refusesTargetsThatAreNoRegularFile() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("target");
        const QByteArray name = QFile::encodeName(path);
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("target"));
        else if (kind == "pipe")
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        else if (kind == "link")
            QVERIFY(QFile::link(dir.path(), path));
        else if (::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("creating a device node needs root");
        QString error;
        QVERIFY(!SaveDatFile(path, NewImage(), &error));
        QVERIFY2(error.contains("not a regular file"), qPrintable(error));
        QVERIFY(error.contains(path));
        const QFileInfo after(path);
        QVERIFY(after.exists() && !after.isFile()); // still what it was
    }

    void followsSymbolicLink() {
        QTemporaryDir dir;
        const QString real = dir.filePath("real.dat");
        const QString link = dir.filePath("link.dat");
        QVERIFY(WriteFileBytes(real, QByteArray(1024, '\x33')));
        QVERIFY(QFile::link(real, link));
        QString error;
        QVERIFY2(SaveDatFile(link, NewImage(), &error), qPrintable(error));
        QVERIFY(QFileInfo(link).isSymLink());
        const RadioImage image = NewImage();
        QCOMPARE(ReadFileBytes(real), ImageBytes(image));
    }
};

TEST_CLASS(AtomicFileTest)
#include "tst_atomic_file.moc"
