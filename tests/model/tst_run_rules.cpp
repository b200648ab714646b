// Rules the window program and its dialogs apply, checked without windows: the command
// line and the restart options, what a run takes from Program.ini, the language choice,
// the access code.
#include "radio/AlignmentAccess.h"
#include "files/AtomicFile.h"
#include "tests/support/Files.h"
#include "config/ProgramIni.h"
#include "config/RunConfig.h"
#include "config/StartupConfig.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QTest>

class RunRulesTest : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("datFile");
        QTest::addColumn<QStringList>("restart"); // --config DIR stands for the absolute folder
        QTest::newRow("all") << QStringList{"--port", "/dev/ttyUSB3", "--config", "DIR",
                                            "radio.dat"}
                             << false << "radio.dat"
                             << QStringList{"--config", "DIR", "--port", "/dev/ttyUSB3"};
        QTest::newRow("none") << QStringList{} << false << "" << QStringList{};
        QTest::newRow("trace kept") << QStringList{"--trace", "DIR"} << false << ""
                                    << QStringList{"--trace", "DIR"};
        QTest::newRow("unknown option") << QStringList{"--bogus"} << true << "" << QStringList{};
        QTest::newRow("two files") << QStringList{"a.dat", "b.dat"} << true << "" << QStringList{};
        QTest::newRow("port without device")
            << QStringList{"--port"} << true << "" << QStringList{};
        // A mistyped folder would start with an empty configuration.
        QTest::newRow("config without Program.ini")
            << QStringList{"--config", "EMPTY"} << true << "" << QStringList{};
        QTest::newRow("config whose Program.ini is a folder")
            << QStringList{"--config", "FOLDER"} << true << "" << QStringList{};
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, refused);
        QFETCH(QString, datFile);
        QFETCH(QStringList, restart);
        const ConfigDir config(DefaultIniText());
        const ConfigDir empty;
        QVERIFY(QDir(empty.path()).mkdir("FOLDER") &&
                QDir(empty.filePath("FOLDER")).mkdir("Program.ini"));
        arguments.replaceInStrings(QStringLiteral("DIR"), config.path());
        arguments.replaceInStrings(QStringLiteral("EMPTY"), empty.path());
        arguments.replaceInStrings(QStringLiteral("FOLDER"), empty.filePath("FOLDER"));
        restart.replaceInStrings(QStringLiteral("DIR"), config.path());
        const CommandLine parsed = ParseCommandLine(QStringList{"Program"} + arguments);
        QCOMPARE(!parsed.error.isEmpty(), refused);
        if (arguments.contains(empty.path()))
            QCOMPARE(parsed.error, "--config: there is no Program.ini in " + empty.path());
        if (refused)
            return;
        QCOMPARE(parsed.datFile, datFile);
        QCOMPARE(RestartArguments(parsed), restart);
    }

    void runConfigFromProgramIni_data() {
        QTest::addColumn<QString>("iniText"); // null: no Program.ini
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("company");
        QTest::addColumn<bool>("languageItem");
        QTest::newRow("default") << DefaultIniText() << false << "Quorvane Radio" << true;
        QTest::newRow("no Program.ini") << QString() << false << "" << false;
        QTest::newRow("no keys") << "[Setup]\n" << false << "" << false;
        QTest::newRow("Chinese without its section")
            << "[Setup]\nLanguage=Chinese\nShowLang=1\n[English]\nCompany=Acme\n" << true << ""
            << true;
        // Section names match without regard to case, so the texts still come from [Chinese].
        QTest::newRow("lower-case chinese runs in English")
            << DefaultIniWith("Language", "chinese") << false << "Quorvane 無線電" << true;
        QTest::newRow("ShowLang 0") << DefaultIniWith("ShowLang", "0") << false
                                    << "Quorvane Radio" << false;
        QTest::newRow("ShowLang letters") << DefaultIniWith("ShowLang", "yes") << false
                                          << "Quorvane Radio" << false;
        QTest::newRow("ShowLang blank and digits")
            << DefaultIniWith("ShowLang", " 2x") << false << "Quorvane Radio" << true;
    }

    void runConfigFromProgramIni() {
        QFETCH(QString, iniText);
        QFETCH(bool, chinese);
        auto config =
            iniText.isNull() ? std::make_unique<ConfigDir>() : std::make_unique<ConfigDir>(iniText);
        CommandLine commandLine;
        commandLine.configDir = config->path();
        commandLine.port = QStringLiteral("/dev/ttyACM7");
        LoadRunConfig(QStringLiteral(TEST_BIN_DIR), commandLine);
        QCOMPARE(startupConfig().iniFilePath, config->iniPath());
        QCOMPARE(startupConfig().chineseLanguage, chinese);
        QCOMPARE(startupConfig().helpFileName,
                 chinese ? QStringLiteral("chHelp") : QStringLiteral("enHelp"));
        QTEST(LanguageText(QStringLiteral("Company")), "company");
        QTEST(LanguageItemShown(), "languageItem");
    }

    void languageChoice_data() {
        QTest::addColumn<bool>("runChinese");
        QTest::addColumn<QString>("stored"); // [Setup] Language before
        QTest::addColumn<bool>("chooseChinese");
        QTest::addColumn<QString>("failure"); // a write that fails with this reason
        QTest::addColumn<bool>("restart");
        QTest::addColumn<QString>("storedAfter"); // empty: the file is not written
        QTest::newRow("the run's language") << false << "English" << false << "" << false << "";
        // The other language is written only once the window has closed (AppShellTest).
        QTest::newRow("the other language") << false << "English" << true << "" << true << "";
        QTest::newRow("back from Chinese") << true << "Chinese" << false << "" << true << "";
        // Program.ini changed by hand meanwhile: the next start follows this choice.
        QTest::newRow("the run's, Program.ini says otherwise")
            << false << "Chinese" << false << "" << false << "English";
        QTest::newRow("the run's, unwritable")
            << false << "Chinese" << false << "Read-only file system" << false << "";
    }

    void languageChoice() {
        QFETCH(bool, runChinese);
        QFETCH(QString, stored);
        QFETCH(bool, chooseChinese);
        QFETCH(QString, failure);
        QFETCH(bool, restart);
        QFETCH(QString, storedAfter);
        const ConfigDir config(DefaultIniWith("Language", stored));
        StartupConfigForTests().iniFilePath = config.iniPath();
        StartupConfigForTests().chineseLanguage = runChinese;
        const QByteArray before = ReadFileBytes(config.iniPath());
        AtomicFile::failWritesForTesting(failure);
        const LanguageChoiceResult result = ApplyLanguageChoice(chooseChinese);
        AtomicFile::failWritesForTesting(QString());
        QCOMPARE(result.restart, restart);
        QCOMPARE(result.ok, failure.isEmpty());
        QVERIFY(result.error.contains(failure));
        if (storedAfter.isEmpty())
            QCOMPARE(ReadFileBytes(config.iniPath()), before);
        else
            QCOMPARE(ReadProfileString(config.iniPath(), "Setup", "Language"), storedAfter);
    }

    void accessCode_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("unlocks");
        QTest::newRow("the code") << "470162" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("five digits") << "47016" << false;
        QTest::newRow("leading space") << " 47016" << false;
        QTest::newRow("trailing space") << "470162 " << false;
        QTest::newRow("other digits") << "470163" << false;
    }

    void accessCode() {
        QFETCH(QString, entry);
        QTEST(IsAlignmentAccessCode(entry), "unlocks");
    }
};

TEST_CLASS(RunRulesTest)
#include "tst_run_rules.moc"
