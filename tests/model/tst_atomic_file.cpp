// Saves (files/AtomicFile, files/DatFile): .dat files read and written, and saves that
// fail (they keep the old file and say why; targets that are no regular file are refused;
// a symbolic link is followed).

#include "config/ProgramIni.h"
#include "files/AtomicFile.h"
#include "files/DatFile.h"
#include "tests/support/Files.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

// The writers of this program, each given a path; they return false and a reason.
using Writer = std::function<bool(const QString& path, QString* error)>;

} // namespace

class AtomicFileTest : public QObject {
    Q_OBJECT
private slots:
    // 1024 bytes save and load; a longer file loads its first 1024; a shorter one is
    // refused, named with its size, and leaves the image as it was.
    void datFileRoundTripAndRefusals() {
        QTemporaryDir dir;
        const QString path = dir.filePath("radio.dat");
        const RadioImage image = PatternImage(3);
        QString error;
        QVERIFY(SaveDatFile(path, image, &error));
        QCOMPARE(ReadFileBytes(path), ImageBytes(image));
        QVERIFY(WriteFileBytes(dir.filePath("long.dat"), ImageBytes(image) + '\x01'));
        RadioImage loaded = NewImage();
        QVERIFY(LoadDatFile(dir.filePath("long.dat"), loaded, &error));
        QVERIFY(loaded == image);
        QVERIFY(WriteFileBytes(dir.filePath("short.dat"), ImageBytes(image).left(1023)));
        QVERIFY(!LoadDatFile(dir.filePath("short.dat"), loaded, &error));
        QVERIFY(loaded == image);
        QVERIFY2(error.contains("short.dat") && error.contains("1023"), qPrintable(error));
    }

    void cleanup() { AtomicFile::failWritesForTesting(QString()); }

    // A write that fails (told to, or on a full disk, which needs root to set up) keeps the
    // old file and leaves no temporary file behind.
    void failedWriteKeepsOldFile_data() {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<bool>("fullDisk");
        const Writer dat = [](const QString& path, QString* error) {
            return SaveDatFile(path, NewImage(), error);
        };
        const Writer ini = [](const QString& path, QString* error) {
            return WriteProfileString(path, "Setup", "Language", "Chinese", error);
        };
        for (bool full : {false, true}) {
            QTest::addRow(".dat%s", full ? ", full disk" : "") << dat << full;
            QTest::addRow("Program.ini%s", full ? ", full disk" : "") << ini << full;
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
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir("target"));
        else if (kind == "pipe" && !MakeFifo(path))
            QSKIP("this system has no named pipes");
        else if (kind == "link")
            QVERIFY(QFile::link(dir.path(), path));
        else if (kind == "device" && !MakeCharacterDevice(path))
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
        QCOMPARE(ReadFileBytes(real), ImageBytes(NewImage()));
    }
};

TEST_CLASS(AtomicFileTest)
#include "tst_atomic_file.moc"
