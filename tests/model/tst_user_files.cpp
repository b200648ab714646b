// Where a run keeps its files: the per-user settings file and the backups folder named by
// [Setup] AppName under the package's own folders (and the move from where earlier
// versions kept them), and which Program.ini a run reads and writes from
// the build folder, an installed tree (<prefix>/bin + <prefix>/share/<package>) or --config.

#include "tests/support/Files.h"
#include "config/InstallLayout.h"
#include "tests/support/TestSuite.h"
#include "config/UserStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    return QDir().mkpath(QFileInfo(path).absolutePath()) && WriteFileBytes(path, bytes);
}

} // namespace

class UserFilesTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_root;
    QString m_configHome;
    QByteArray m_savedConfigHome;

    // <root>/<name>/bin and, when `installed`, <root>/<name>/share/<package>/Program.ini.
    QString makePrefix(const QString& name, bool installed) {
        const QString prefix = m_root.filePath(name);
        QDir().mkpath(prefix + "/bin");
        if (installed)
            WriteFile(prefix + "/share/" + PackageName() + "/Program.ini",
                      "[Setup]\nLanguage=Chinese\n");
        return prefix;
    }

private slots:
    void initTestCase() {
        m_savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        m_configHome = m_root.filePath("config-home");
        qputenv("XDG_CONFIG_HOME", m_configHome.toUtf8());
        QCOMPARE(UserIniPath(), m_configHome + "/" + PackageName() + "/Program.ini");
    }

    void cleanupTestCase() {
        if (m_savedConfigHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_savedConfigHome);
    }

    void init() { QDir(m_configHome).removeRecursively(); }

    // Whatever AppName holds, the settings file and the backups stay inside their folders.
    void appNameStaysInsideItsFolders_data() {
        QTest::addColumn<QString>("appName");
        QTest::addColumn<QString>("safe");
        QTest::newRow("blanks and dots kept") << "Radio Programmer 1.2" << "Radio Programmer 1.2";
        QTest::newRow("parent folders") << "../../x/evil" << "______x_evil";
        QTest::newRow("backslashes") << "..\\..\\evil" << "______evil";
        QTest::newRow("absolute path, drive colon") << "C:/tmp/evil" << "C__tmp_evil";
        QTest::newRow("control characters") << "a\tb\x01" "c" << "a_b_c";
        QTest::newRow("empty") << "" << "_";
    }
    void appNameStaysInsideItsFolders() {
        QFETCH(QString, appName);
        QFETCH(QString, safe);
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY(!dataHome.isEmpty()); // set for every test by the build
        QCOMPARE(BackupFolder(appName),
                 QDir(dataHome).filePath(PackageName() + "/" + safe + "/backups"));

        const QString folder = m_configHome + "/" + PackageName();
        const QString unsafe = folder + "/" + appName + ".conf"; // the name taken as a path
        const QString expected = folder + "/" + safe + ".conf";
        QFile::remove(unsafe);
        QFile::remove(expected);
        const QString ini = m_root.filePath("Program.ini");
        QVERIFY(WriteFileBytes(ini, ("[Setup]\r\nAppName=" + appName + "\r\n").toUtf8()));
        UserStore(ini).writeNumber("com", 3);
        QCOMPARE(UserStore(ini).readNumber("com"), 3);
        QVERIFY2(QFile::exists(expected), qPrintable(expected));
        if (unsafe != expected)
            QVERIFY2(!QFile::exists(unsafe), qPrintable(unsafe));
        QFile::remove(expected);
    }

    // The places of earlier versions move under the package's own folders once: the
    // settings and every backup arrive, nothing is lost, and the old places are not read
    // again (a file that reappears there later is left alone).
    void earlierPlacesMoveOnce() {
        const QString appName = QStringLiteral("MoveTest");
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        const QString oldStore = m_configHome + "/Software/" + appName + ".conf";
        const QString oldBackups = dataHome + "/" + appName + "/backups/";
        const QStringList backups{"20261207-181500-read-first.dat", "20261207-182000-write.dat"};
        const QString newBackups = dataHome + "/" + PackageName() + "/" + appName + "/backups/";
        QDir(oldBackups).removeRecursively(); // what an earlier run left
        QDir(newBackups).removeRecursively();
        QVERIFY(WriteFile(oldStore, "[General]\ncom=3\ndevice=/dev/ttyUSB7\n"));
        for (const QString& name : backups)
            QVERIFY(WriteFile(oldBackups + name, name.toUtf8()));
        // A backup of that name already in the new folder keeps its old twin where it was.
        QVERIFY(WriteFile(newBackups + "20261207-170000-read.dat", "new"));
        QVERIFY(WriteFile(oldBackups + "20261207-170000-read.dat", "old twin"));

        MoveEarlierUserFiles(appName);
        const QString ini = m_root.filePath("move.ini");
        QVERIFY(WriteFileBytes(ini, ("[Setup]\nAppName=" + appName + "\n").toUtf8()));
        QCOMPARE(UserStore(ini).readNumber("com"), 3);
        QCOMPARE(UserStore(ini).readText("device"), QString("/dev/ttyUSB7"));
        QVERIFY(QFile::exists(m_configHome + "/" + PackageName() + "/" + appName + ".conf"));
        QVERIFY(!QFile::exists(oldStore));
        QCOMPARE(BackupFolder(appName), QDir::cleanPath(newBackups));
        for (const QString& name : backups) {
            QCOMPARE(ReadFileBytes(newBackups + name), name.toUtf8());
            QVERIFY(!QFile::exists(oldBackups + name));
        }
        QCOMPARE(ReadFileBytes(newBackups + "20261207-170000-read.dat"), QByteArray("new"));
        QCOMPARE(ReadFileBytes(oldBackups + "20261207-170000-read.dat"), QByteArray("old twin"));

        // Once moved, the old store is not read again.
        QVERIFY(WriteFile(oldStore, "[General]\ncom=4\n"));
        MoveEarlierUserFiles(appName);
        QCOMPARE(UserStore(ini).readNumber("com"), 3);
        QVERIFY(QFile::exists(oldStore));
    }

    void buildFolderKeepsItsFilesBesideTheProgram() {
        const QString bin = makePrefix("build", false) + "/bin";
        WriteFile(bin + "/Program.ini", "[Setup]\n");
        const InstallLayout layout = DetectInstallLayout(bin);
        QVERIFY(!layout.installed);
        QCOMPARE(layout.companionDirectory, bin + "/");
        QCOMPARE(UsableRunIniPath(layout, QString(), true), bin + "/Program.ini");
        QCOMPARE(UsableRunIniPath(layout, m_root.filePath("elsewhere"), true),
                 m_root.filePath("elsewhere") + "/Program.ini"); // --config wins
        QVERIFY(!QFile::exists(UserIniPath()));
    }

    void installedRunMakesTheUserCopyOnce() {
        const QString prefix = makePrefix("usr", true);
        const QString shared = prefix + "/share/" + PackageName() + "/";
        QFile::setPermissions(shared + "Program.ini",
                              QFileDevice::ReadOwner | QFileDevice::ReadOther);
        const InstallLayout layout = DetectInstallLayout(prefix + "/bin");
        QVERIFY(layout.installed);
        QCOMPARE(layout.companionDirectory, shared);
        QCOMPARE(RunIniPath(layout, QString()), UserIniPath());
        QCOMPARE(UsableRunIniPath(layout, m_root.filePath("elsewhere"), true),
                 m_root.filePath("elsewhere") + "/Program.ini"); // --config wins

        // chprog only reads: the default stands in until the window program made the copy.
        QCOMPARE(UsableRunIniPath(layout, QString(), false), shared + "Program.ini");
        QVERIFY(!QFile::exists(UserIniPath()));

        QCOMPARE(UsableRunIniPath(layout, QString(), true), UserIniPath());
        QCOMPARE(ReadFileBytes(UserIniPath()), QByteArray("[Setup]\nLanguage=Chinese\n"));
        QVERIFY2(QFileInfo(UserIniPath()).isWritable(),
                 "the copy must not keep the read-only mode");

        // A later run keeps what the user changed.
        WriteFile(UserIniPath(), "[Setup]\nLanguage=English\n");
        QCOMPARE(UsableRunIniPath(layout, QString(), true), UserIniPath());
        QCOMPARE(ReadFileBytes(UserIniPath()), QByteArray("[Setup]\nLanguage=English\n"));
    }

    void readOnlyProgramIniBesideTheProgramMovesToTheUserCopy() {
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QSKIP("the superuser may write any file");
#else
        QSKIP("a read-only mode bit does not make a file read-only for this check on Windows");
#endif
        const QString bin = makePrefix("readonly", false) + "/bin";
        WriteFile(bin + "/Program.ini", "[Setup]\nShowLang=0\n");
        QFile::setPermissions(bin + "/Program.ini", QFileDevice::ReadOwner);
        QCOMPARE(UsableRunIniPath(DetectInstallLayout(bin), QString(), true), UserIniPath());
        QCOMPARE(ReadFileBytes(UserIniPath()), QByteArray("[Setup]\nShowLang=0\n"));
    }
};

TEST_CLASS(UserFilesTest)
#include "tst_user_files.moc"
