// Program.ini read and rewritten (config/ProgramIni) as its owner wrote it.

#include "config/ProgramIni.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QTemporaryDir>
#include <QTest>

class ProgramIniTest : public QObject {
    Q_OBJECT
private slots:
    void profileReadWrite() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QCOMPARE(ReadProfileString(ini, "Setup", "Language"), QString()); // no file
        QVERIFY(WriteFileBytes(
            ini, "\xEF\xBB\xBF[Setup]\r\nLanguage=Chinese\r\nAppName = Radio\r\n\r\n"
                 "[Chinese]\r\nCompany=\xE5\x85\xAC\xE5\x8F\xB8\r\n[Other]\r\nlanguage=x\r\n"));
        QCOMPARE(ReadProfileString(ini, "setup", "LANGUAGE"), QString("Chinese"));
        QCOMPARE(ReadProfileString(ini, "Setup", "AppName"), QString("Radio"));
        QCOMPARE(ReadProfileString(ini, "Chinese", "Company"), QString("公司"));
        QCOMPARE(ReadProfileString(ini, "Setup", "Missing"), QString());

        // What a write leaves is rewriteKeepsTheFile's; values are cut to 259 characters.
        QVERIFY(WriteProfileString(ini, "Setup", "Long", QString(300, 'a')));
        QCOMPARE(ReadProfileString(ini, "Setup", "Long").size(), 259);
    }

    // A setting change keeps the file as its owner wrote it: line ending, byte-order mark,
    // comments and order; only the changed line differs.
    void rewriteKeepsTheFile_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file yet
        QTest::addColumn<QByteArray>("after");  // Language=Chinese stored in [Setup]
        QTest::newRow("LF, value changed")
            << QByteArray("; radio setup\n[Setup]\nLanguage=English\nShowLang=1\n")
            << QByteArray("; radio setup\n[Setup]\nLanguage=Chinese\nShowLang=1\n");
        QTest::newRow("CR LF, value changed")
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=English\r\nShowLang=1\r\n")
            << QByteArray("; radio setup\r\n[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n");
        QTest::newRow("LF, key added to its section")
            << QByteArray("[Setup]\nShowLang=1\n\n[English]\nCompany=Radio\n")
            << QByteArray("[Setup]\nShowLang=1\nLanguage=Chinese\n\n[English]\nCompany=Radio\n");
        QTest::newRow("CR LF, section added")
            << QByteArray("[English]\r\nCompany=Radio\r\n")
            << QByteArray("[English]\r\nCompany=Radio\r\n\r\n[Setup]\r\nLanguage=Chinese\r\n");
        QTest::newRow("LF with a byte-order mark, no newline at the end")
            << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=English")
            << QByteArray("\xEF\xBB\xBF[Setup]\nLanguage=Chinese\n");
        QTest::newRow("a new file ends its lines with LF")
            << QByteArray() << QByteArray("[Setup]\nLanguage=Chinese\n");
    }

    void rewriteKeepsTheFile() {
        QFETCH(QByteArray, before);
        QTemporaryDir dir;
        const QString ini = dir.filePath("Program.ini");
        QVERIFY(before.isNull() || WriteFileBytes(ini, before));
        QVERIFY(WriteProfileString(ini, "Setup", "Language", "Chinese"));
        QTEST(ReadFileBytes(ini), "after");
    }
};

TEST_CLASS(ProgramIniTest)
#include "tst_program_ini.moc"
