// The backups folder: where it is, the names of its files, and that only the newest
// 200 are kept.

#include "Backups.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "TestSuite.h"

class BackupsTest : public QObject {
    Q_OBJECT
private slots:
    void folderFollowsXdgDataHomeAndAppName_data() {
        QTest::addColumn<QString>("appName");
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << "RadioProgrammer" << "RadioProgrammer/backups";
        QTest::newRow("blanks kept") << "FM Radio Programmer" << "FM Radio Programmer/backups";
        QTest::newRow("separators and drive colon replaced") << "C:a/b\\c" << "C_a_b_c/backups";
        QTest::newRow("no climbing out") << ".." << "__/backups";
        QTest::newRow("empty") << "" << "_/backups";
    }

    void folderFollowsXdgDataHomeAndAppName() {
        QFETCH(QString, appName);
        QFETCH(QString, folder);
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY(!dataHome.isEmpty()); // set for every test by the build
        QCOMPARE(BackupFolder(appName), QDir(dataHome).filePath(folder));
    }

    void namesTellTimeAndKind() {
        QTemporaryDir dir;
        const RadioImage image = NewImage();
        const QDateTime at(QDate(2026, 12, 7), QTime(18, 15, 0));
        QString error;
        QCOMPARE(QFileInfo(SaveBackup(dir.path(), image, BackupKind::Read, at, &error)).fileName(),
                 QStringLiteral("20261207-181500-read.dat"));
        QCOMPARE(QFileInfo(SaveBackup(dir.path(), image, BackupKind::Write, at, &error)).fileName(),
                 QStringLiteral("20261207-181500-write-2.dat"));
        QCOMPARE(QFileInfo(SaveBackup(dir.path(), image, BackupKind::Read, at, &error)).fileName(),
                 QStringLiteral("20261207-181500-read-3.dat"));
        const std::vector<BackupEntry> list = ListBackups(dir.path());
        QCOMPARE(list.size(), std::size_t(3));
        QCOMPARE(list[0].time, at);
        // Within one second the later one comes first.
        QCOMPARE(QFileInfo(list[0].path).fileName(), QStringLiteral("20261207-181500-read-3.dat"));
        QCOMPARE(list[1].kind, QStringLiteral("write"));
    }

    void keepsTheNewest200() {
        QTemporaryDir dir;
        RadioImage image = NewImage();
        const QDateTime start(QDate(2026, 1, 1), QTime(0, 0, 0));
        QString error;
        for (int i = 0; i < kBackupsKept + 5; ++i) {
            image[0x1C4] = static_cast<std::uint8_t>(i);
            QVERIFY(!SaveBackup(dir.path(), image, BackupKind::Read, start.addSecs(90 * i), &error).isEmpty());
        }
        // A file of the user's own in the folder is left alone and not counted.
        QFile own(QDir(dir.path()).filePath("notes.dat"));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.close();
        QVERIFY(!SaveBackup(dir.path(), image, BackupKind::Write, start.addSecs(90 * 300), &error).isEmpty());
        const std::vector<BackupEntry> list = ListBackups(dir.path());
        QCOMPARE(int(list.size()), kBackupsKept);
        QCOMPARE(list.front().kind, QStringLiteral("write"));
        QCOMPARE(list.back().time, start.addSecs(90 * 6)); // the six oldest are gone
        QVERIFY(QFile::exists(own.fileName()));
        for (std::size_t i = 1; i < list.size(); ++i)
            QVERIFY(list[i - 1].time > list[i].time);
    }

    void unwritableFolderIsAnError() {
        QTemporaryDir dir;
        const QString blocker = QDir(dir.path()).filePath("file");
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QString error;
        QVERIFY(SaveBackup(blocker + "/backups", NewImage(), BackupKind::Read, QDateTime::currentDateTime(),
                           &error)
                    .isEmpty());
        QVERIFY(!error.isEmpty());
    }
};

TEST_CLASS(BackupsTest)
#include "tst_backups.moc"
