// chprog edit: the named columns set on a range of channels, every other byte kept, and
// a refused value or a bad argument writing nothing.
#include "files/DatFile.h"
#include "radio/ChannelRecord.h"
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

RadioImage LoadedImage(const QString& path) {
    RadioImage image;
    LoadDatFile(path, image, nullptr);
    return image;
}

} // namespace

class CliEditTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_plan = m_dir.filePath("pmr.dat");
        QCOMPARE(Chprog({"new", "--plan", "pmr446", "--model", "QR-16U", "-o", m_plan}).status, 0);
        m_pattern = m_dir.filePath("pattern.dat");
        QVERIFY(SaveDatFile(m_pattern, PatternImage(5), nullptr));
    }

    // The fields named change on the channels of the range, and nothing else: putting
    // back the fields of the file before gives its bytes exactly.
    void onlyTheNamedFieldsChange_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("shown"); // Power|W/N of each edited channel after
        const QStringList both{"Power=Low", "W/N=Wide"};
        QTest::newRow("plan image") << m_plan << both << 3 << 8 << "Low|Wide";
        QTest::newRow("stray bits kept") << m_pattern << both << 1 << 16 << "Low|Wide";
        QTest::newRow("Chinese headings, any case")
            << m_plan << QStringList{QString::fromUtf8("功率=High"), "w/n=Wide"} << 16 << 16
            << "High|Wide";
    }
    void onlyTheNamedFieldsChange() {
        QFETCH(QString, base);
        QFETCH(QStringList, assignments);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, shown);
        const QString out = m_dir.filePath("out.dat");
        const ChprogRun run = Chprog(QStringList{"edit", base, "--channels",
                                                 QString("%1-%2").arg(first).arg(last), "-o", out} +
                                     assignments);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        const RadioImage before = LoadedImage(base);
        RadioImage after = LoadedImage(out);
        ChannelFields fields;
        fields.set(FieldIndex(ChannelField::Power)).set(FieldIndex(ChannelField::Bandwidth));
        for (int channel = 1; channel <= ImageMap::kChannelCount; ++channel) {
            const Channel edited = ReadChannel(after, channel);
            const bool inRange = channel >= first && channel <= last;
            const QString fieldsNow = QString("%1|%2").arg(edited.power == Power::Low ? "Low" : "High",
                                                           edited.bandwidth == Bandwidth::Wide ? "Wide" : "Narrow");
            if (inRange)
                QCOMPARE(fieldsNow, shown);
            WriteChannelFields(ReadChannel(before, channel), fields, channel, after);
        }
        QCOMPARE(ImageBytes(after), ImageBytes(before));
    }

    // A refused value, or a bad argument, exits 2 and leaves both files as they were.
    void refusalsWriteNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("out of the band, after an accepted column")
            << QStringList{"--channels", "3-8", "Power=Low", "Tx Frequency=480"}
            << "Channel 3, Tx Frequency: Out of range,please input again.";
        QTest::newRow("off the channel step")
            << QStringList{"--channels", "2-4", "Rx Frequency=446.003"}
            << "Channel 2, Rx Frequency: Error data Value";
        QTest::newRow("unknown column") << QStringList{"Volume=3"} << "\"Volume\" is not a channel column";
        QTest::newRow("the number column") << QStringList{"CH=3"} << "\"CH\" is not a channel column";
        QTest::newRow("no equals sign") << QStringList{"Power"} << "\"Power\" is not COLUMN=VALUE";
        QTest::newRow("no assignment") << QStringList{} << "at least one COLUMN=VALUE";
        QTest::newRow("single channel") << QStringList{"--channels", "5", "Power=Low"}
                                        << "\"5\" is not a range of channels 1 to 16";
        QTest::newRow("beyond 16") << QStringList{"--channels", "9-17", "Power=Low"}
                                   << "is not a range of channels 1 to 16";
    }
    void refusalsWriteNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const QByteArray before = ReadFileBytes(m_plan);
        const QString out = m_dir.filePath("refused.dat");
        for (const QStringList& target : {QStringList{}, QStringList{"-o", out}}) {
            const ChprogRun run = Chprog(QStringList{"edit", m_plan} + target + arguments);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains(said), qPrintable(run.err));
            QCOMPARE(ReadFileBytes(m_plan), before);
            QVERIFY(!QFile::exists(out));
        }
    }

    // Without -o the file itself is rewritten; a receive frequency on empty channels
    // programs them as typing it would, with the simplex transmit frequency.
    void editsInPlace() {
        const QString file = m_dir.filePath("new.dat");
        QCOMPARE(Chprog({"new", "-o", file}).status, 0);
        const ChprogRun run = Chprog({"edit", file, "--channels", "15-16", "Rx Frequency=145.5"});
        QCOMPARE(run.status, 0);
        const QStringList rows = Chprog({"show", file}).out.split(u'\n');
        QVERIFY2(rows[14].startsWith("15\t145.50000\t145.50000\t"), qPrintable(rows[14]));
        QVERIFY2(rows[15].startsWith("16\t145.50000\t145.50000\t"), qPrintable(rows[15]));
        QVERIFY2(rows[13].startsWith("14\t\t"), qPrintable(rows[13]));
    }

private:
    QTemporaryDir m_dir;
    QString m_plan;
    QString m_pattern;
};

TEST_CLASS(CliEditTest)
#include "tst_cli_edit.moc"
