// Program.ini rewritten by a setting change keeps the file as its owner wrote it: line
// ending, byte-order mark, comments and order; only the changed line differs.
#include "Files.h"
#include "ProgramIni.h"
#include "TestSuite.h"

#include <QTemporaryDir>
#include <QTest>

class ProfileLineEndingsTest : public QObject {
    Q_OBJECT
private slots:
    void rewriteKeepsTheFile_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("LF, value changed")
            << QByteArray("; radio setup\n[Setup]\nLanguage=English\nShowLang=1\n") << "Setup"
            << "Language" << QByteArray("; radio setup\n[Setup]\nLanguage=Chinese\nShowLang=1\n");
        QTest::newRow("CR LF, value changed")
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=English\r\nShowLang=1\r\n")
            << "Setup"
            << "Language"
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n");
        QTest::newRow("LF, key added to its section")
            << QByteArray("[Setup]\nShowLang=1\n\n[English]\nCompany=Radio\n") << "Setup"
            << "Language"
            << QByteArray("[Setup]\nShowLang=1\nLanguage=Chinese\n\n[English]\nCompany=Radio\n");
        QTest::newRow("CR LF, section added")
            << QByteArray("[English]\r\nCompany=Radio\r\n") << "Setup"
            << "Language"
            << QByteArray("[English]\r\nCompany=Radio\r\n\r\n[Setup]\r\nLanguage=Chinese\r\n");
        QTest::newRow("LF with a byte-order mark, no newline at the end")
            << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=English") << "Setup"
            << "Language" << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=Chinese\n");
    }

    void rewriteKeepsTheFile() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(WriteFileBytes(ini, before));
        QVERIFY(WriteProfileString(ini, section, key, "Chinese"));
        QCOMPARE(ReadFileBytes(ini), after);
    }

    void newFileGetsThePlatformEnding() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(WriteProfileString(ini, "Setup", "Language", "Chinese"));
#ifdef Q_OS_WIN
        QCOMPARE(ReadFileBytes(ini), QByteArray("[Setup]\r\nLanguage=Chinese\r\n"));
#else
        QCOMPARE(ReadFileBytes(ini), QByteArray("[Setup]\nLanguage=Chinese\n"));
#endif
    }
};

TEST_CLASS(ProfileLineEndingsTest)
#include "tst_profile_line_endings.moc"
