// [Setup] AppName names the per-user settings file; whatever it holds, the file stays
// inside the settings folder.

#include "Files.h"
#include "TestSuite.h"
#include "UserStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class AppNameTest : public QObject {
    Q_OBJECT
private slots:
    void settingsFileStaysInItsFolder_data() {
        QTest::addColumn<QString>("appName");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("plain") << "Radio Programmer 1.2"
                               << "Radio Programmer 1.2.conf";
        QTest::newRow("parent folders") << "../../x/evil"
                                        << "______x_evil.conf";
        QTest::newRow("backslashes") << "..\\..\\evil"
                                     << "______evil.conf";
        QTest::newRow("absolute path") << "/tmp/evil"
                                       << "_tmp_evil.conf";
        QTest::newRow("control characters") << "a\tb\x01"
                                               "c"
                                            << "a_b_c.conf";
        QTest::newRow("empty") << ""
                               << "_.conf";
    }

    void settingsFileStaysInItsFolder() {
        QFETCH(QString, appName);
        QFETCH(QString, fileName);
        // The folder the per-user settings go to in this run.
        const QString folder =
            QFileInfo(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Software", "probe")
                          .fileName())
                .absolutePath();
        const QString unsafe = folder + "/" + appName + ".conf"; // the name taken as a path
        const QString expected = folder + "/" + fileName;
        QFile::remove(unsafe);
        QFile::remove(expected);
        QTemporaryDir configDir;
        QVERIFY(WriteFileBytes(configDir.filePath("Program.ini"),
                               ("[Setup]\r\nAppName=" + appName + "\r\n").toUtf8()));

        UserStore(configDir.filePath("Program.ini")).writeNumber("com", 3);
        QCOMPARE(UserStore(configDir.filePath("Program.ini")).readNumber("com"), 3);
        QVERIFY2(QFile::exists(expected), qPrintable(expected));
        if (unsafe != expected)
            QVERIFY2(!QFile::exists(unsafe), qPrintable(unsafe));
        QFile::remove(expected);
    }
};

TEST_CLASS(AppNameTest)
#include "tst_app_name.moc"
