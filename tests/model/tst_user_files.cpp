// Where a run keeps its files: the per-user settings file and the backups folder named by
// [Setup] AppName, and which Program.ini a run reads and writes from
// the build folder, an installed tree (<prefix>/bin + <prefix>/share/<package>) or --config.

#include "tests/support/Files.h"
#include "config/InstallLayout.h"
#include "tests/support/TestSuite.h"
#include "config/UserStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

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
        QTest::newRow("plain, blanks and dots kept") << "Radio Programmer 1.2"
                                                     << "Radio Programmer 1.2";
        QTest::newRow("parent folders") << "../../x/evil"
                                        << "______x_evil";
        QTest::newRow("backslashes") << "..\\..\\evil"
                                     << "______evil";
        QTest::newRow("absolute path, drive colon") << "C:/tmp/evil"
                                                    << "C__tmp_evil";
        QTest::newRow("control characters") << "a\tb\x01"
                                               "c"
                                            << "a_b_c";
        QTest::newRow("empty") << ""
                               << "_";
    }
    void appNameStaysInsideItsFolders() {
        QFETCH(QString, appName);
        QFETCH(QString, safe);
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY(!dataHome.isEmpty()); // set for every test by the build
        QCOMPARE(BackupFolder(appName), QDir(dataHome).filePath(safe + "/backups"));

        const QString folder =
            QFileInfo(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Software", "probe")
                          .fileName())
                .absolutePath();
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
        if (::geteuid() == 0)
            QSKIP("the superuser may write any file");
        const QString bin = makePrefix("readonly", false) + "/bin";
        WriteFile(bin + "/Program.ini", "[Setup]\nShowLang=0\n");
        QFile::setPermissions(bin + "/Program.ini", QFileDevice::ReadOwner);
        QCOMPARE(UsableRunIniPath(DetectInstallLayout(bin), QString(), true), UserIniPath());
        QCOMPARE(ReadFileBytes(UserIniPath()), QByteArray("[Setup]\nShowLang=0\n"));
    }
};

TEST_CLASS(UserFilesTest)
#include "tst_user_files.moc"
