// The program's own messages in a Chinese run: every form in the table is Chinese in
// Traditional characters with the placeholders of its English form, and the messages
// that files, backups and the start-up checks give are Chinese when the run is.
#include "config/ProgramIni.h"
#include "document/ChannelCsv.h"
#include "files/Backups.h"
#include "files/DatFile.h"
#include "radio/OwnTexts.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <set>

namespace {

// Characters written differently in Simplified Chinese, in their Simplified form: one
// of them in a Traditional text is a slip into the other script.
const QString kSimplifiedOnly = QString::fromUtf8(
    "这们个时无为发开关设读写错误请输选择数据没过应该对话框档标题复制贴储资夹变进线连载"
    "报确认败网络览图钮从页来与华会区单号机电频类语记录还试状态径称统长实现动启闭结执项"
    "处传装备当优级务证码导编样节调静销扫紧将换际较删");

bool HasChinese(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

QString SimplifiedIn(const QString& text) {
    QString found;
    for (const QChar c : text) {
        if (kSimplifiedOnly.contains(c))
            found += c;
    }
    return found;
}

std::multiset<QString> Placeholders(const QString& text) {
    std::multiset<QString> found;
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// Runs `body` with the messages of a Chinese run.
class ChineseRun {
public:
    ChineseRun() { SetMessageLanguage(Language::Chinese); }
    ~ChineseRun() { SetMessageLanguage(Language::English); }
};

} // namespace

class OwnTextsTest : public QObject {
    Q_OBJECT
private slots:
    void everyChineseFormIsTraditional() {
        int count = 0;
        const OwnTextForms* table = OwnTextTable(&count);
        QVERIFY(count > 0);
        std::set<QString> keys;
        for (int i = 0; i < count; ++i) {
            const QString english = QString::fromUtf8(table[i].english);
            const QString chinese = QString::fromUtf8(table[i].chinese);
            QVERIFY2(keys.insert(english).second, qPrintable("listed twice: " + english));
            QVERIFY2(HasChinese(chinese), qPrintable("not Chinese: " + chinese));
            QVERIFY2(
                SimplifiedIn(chinese).isEmpty(),
                qPrintable(
                    QStringLiteral("Simplified %1 in: %2").arg(SimplifiedIn(chinese), chinese)));
            QVERIFY2(Placeholders(chinese) == Placeholders(english),
                     qPrintable("placeholders differ: " + english));
        }
    }

    // What the user sees when each goes wrong, as the window program shows it.
    void messagesOfAChineseRun_data() {
        QTest::addColumn<std::function<QString(const QString& folder)>>("failure");
        using Failure = std::function<QString(const QString&)>;
        const auto load = [](const QString& path) {
            RadioImage image{};
            QString error;
            LoadDatFile(path, image, &error);
            return error;
        };
        QTest::newRow("open a missing file")
            << Failure([load](const QString& folder) { return load(folder + "/missing.dat"); });
        QTest::newRow("open a short file") << Failure([load](const QString& folder) {
            WriteFileBytes(folder + "/short.dat", QByteArray(10, 0));
            return load(folder + "/short.dat");
        });
        QTest::newRow("open a folder") << Failure(load);
        QTest::newRow("save into a missing folder") << Failure([](const QString& folder) {
            QString error;
            SaveDatFile(folder + "/no/such/folder/a.dat", RadioImage{}, &error);
            return error;
        });
        QTest::newRow("backups where a file is") << Failure([](const QString& folder) {
            WriteFileBytes(folder + "/plain", {});
            return KeepBackup(folder + "/plain/backups", RadioImage{}, BackupKind::Read,
                              QDateTime::currentDateTime())
                .error;
        });
        QTest::newRow("backup kept already") << Failure([](const QString& folder) {
            const QDateTime now = QDateTime::currentDateTime();
            KeepBackup(folder, RadioImage{}, BackupKind::Read, now);
            return KeepBackup(folder, RadioImage{}, BackupKind::Read, now.addSecs(5)).note();
        });
        QTest::newRow("--config without Program.ini") << Failure([](const QString& folder) {
            return ConfigFolderProblem(folder);
        });
        QTest::newRow("channel list over 1 MiB") << Failure([](const QString& folder) {
            WriteFileBytes(folder + "/long.csv", QByteArray(kChannelListMaxBytes + 1, '\n'));
            QString text, error;
            ReadChannelList(folder + "/long.csv", &text, &error);
            return error;
        });
        // A refused channel list names its line and column in the run's language, from the
        // CSV reader, our own layout and the common layout alike.
        const auto import = [](const char* csv) {
            return Failure([csv](const QString&) {
                RadioImage image{};
                CsvImportReport report;
                QString error;
                ImportChannelCsv(QString::fromUtf8(csv), ImportOptions{}, image, &report, &error);
                return error;
            });
        };
        QTest::newRow("list with an open quote") << import("CH,Rx Frequency\n1,\"146.5\n");
        QTest::newRow("list with a stray heading") << import("CH,Rx Frequency,Colour\n");
        QTest::newRow("list with a bad frequency")
            << import("CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,Busy Lock,"
                      "W/N,Compand\n1,146.5x,,None,None,High,Yes,Off,Wide,No\n");
        QTest::newRow("common list with a repeated Location")
            << import("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                      "DtcsPolarity,Mode,Skip\n1,,146.52,,0,,88.5,88.5,023,NN,FM,\n"
                      "1,,146.54,,0,,88.5,88.5,023,NN,FM,\n");
        QTest::newRow("common list with an unknown mode")
            << import("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                      "DtcsPolarity,Mode,Skip\n1,A,146.52,,0,,88.5,88.5,023,NN,AM,\n");
    }

    void messagesOfAChineseRun() {
        QFETCH(std::function<QString(const QString&)>, failure);
        QTemporaryDir folder;
        const ChineseRun run;
        const QString message = failure(folder.path());
        QVERIFY(!message.isEmpty());
        // The folder's own name is Latin; the words around it must not be.
        const QString words = QString(message).remove(folder.path());
        QVERIFY2(HasChinese(words), qPrintable(message));
        QVERIFY2(SimplifiedIn(words).isEmpty(), qPrintable(message));
    }

    void englishRunKeepsEnglish() {
        QCOMPARE(OwnText("Please enter a number."), QStringLiteral("Please enter a number."));
        const ChineseRun run;
        QCOMPARE(OwnText("Please enter a number."), QString::fromUtf8("請輸入一個數字。"));
        // A text not in the table stays as written rather than vanish.
        QCOMPARE(OwnText("not a message of ours"), QStringLiteral("not a message of ours"));
    }
};

TEST_CLASS(OwnTextsTest)
#include "tst_own_texts.moc"
