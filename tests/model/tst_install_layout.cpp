// Where a run finds its companions and which Program.ini it reads and writes: the
// build folder, an installed tree (<prefix>/bin + <prefix>/share/<package>), --config,
// and a folder the user may not write.

#include "Files.h"
#include "InstallLayout.h"
#include "TestSuite.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    return QDir().mkpath(QFileInfo(path).absolutePath()) && WriteFileBytes(path, bytes);
}

} // namespace

class InstallLayoutTest : public QObject {
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
            WriteFile(prefix + "/share/" + PackageName() + "/Program.ini", "[Setup]\nLanguage=Chinese\n");
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

    void buildFolderKeepsItsFilesBesideTheProgram() {
        const QString bin = makePrefix("build", false) + "/bin";
        WriteFile(bin + "/Program.ini", "[Setup]\n");
        const InstallLayout layout = DetectInstallLayout(bin);
        QVERIFY(!layout.installed);
        QCOMPARE(layout.companionDirectory, bin + "/");
        QCOMPARE(UsableRunIniPath(layout, QString(), true), bin + "/Program.ini");
        QVERIFY(!QFile::exists(UserIniPath()));
    }

    void installedRunMakesTheUserCopyOnce() {
        const QString prefix = makePrefix("usr", true);
        const QString shared = prefix + "/share/" + PackageName() + "/";
        QFile::setPermissions(shared + "Program.ini", QFileDevice::ReadOwner | QFileDevice::ReadOther);
        const InstallLayout layout = DetectInstallLayout(prefix + "/bin");
        QVERIFY(layout.installed);
        QCOMPARE(layout.companionDirectory, shared);
        QCOMPARE(RunIniPath(layout, QString()), UserIniPath());

        // chprog only reads: the default stands in until the window program made the copy.
        QCOMPARE(UsableRunIniPath(layout, QString(), false), shared + "Program.ini");
        QVERIFY(!QFile::exists(UserIniPath()));

        QCOMPARE(UsableRunIniPath(layout, QString(), true), UserIniPath());
        QCOMPARE(ReadFileBytes(UserIniPath()), QByteArray("[Setup]\nLanguage=Chinese\n"));
        QVERIFY2(QFileInfo(UserIniPath()).isWritable(), "the copy must not keep the read-only mode");

        // A later run keeps what the user changed.
        WriteFile(UserIniPath(), "[Setup]\nLanguage=English\n");
        QCOMPARE(UsableRunIniPath(layout, QString(), true), UserIniPath());
        QCOMPARE(ReadFileBytes(UserIniPath()), QByteArray("[Setup]\nLanguage=English\n"));
    }

    void configFolderAlwaysWins_data() {
        QTest::addColumn<bool>("installed");
        QTest::newRow("build") << false;
        QTest::newRow("installed") << true;
    }
    void configFolderAlwaysWins() {
        QFETCH(bool, installed);
        const QString prefix = makePrefix(installed ? "usr2" : "build2", installed);
        const QString config = m_root.filePath("elsewhere");
        const InstallLayout layout = DetectInstallLayout(prefix + "/bin");
        QCOMPARE(UsableRunIniPath(layout, config, true), config + "/Program.ini");
        QVERIFY(!QFile::exists(UserIniPath()));
    }

    void readOnlyProgramIniBesideTheProgramMovesToTheUserCopy() {
        if (::geteuid() == 0)
            QSKIP("the superuser may write any file");
        const QString bin = makePrefix("readonly", false) + "/bin";
        WriteFile(bin + "/Program.ini", "[Setup]\nShowLang=0\n");
        QFile::setPermissions(bin + "/Program.ini", QFileDevice::ReadOwner);
        const InstallLayout layout = DetectInstallLayout(bin);
        QVERIFY(!layout.installed);
        QCOMPARE(UsableRunIniPath(layout, QString(), true), UserIniPath());
        QCOMPARE(ReadFileBytes(UserIniPath()), QByteArray("[Setup]\nShowLang=0\n"));
    }
};

TEST_CLASS(InstallLayoutTest)
#include "tst_install_layout.moc"
