// Channel lists built from public frequency tables (tests/data/lists/, sources in its
// README), run through chprog with the shipped Program.ini: each lands in a base image
// of a band that holds it, or is refused with the first frequency the base's band does
// not hold; an accepted one exports in the common layout and imports back into the same
// bytes.
#include "tests/support/Chprog.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QFile>
#include <QTest>

namespace {

QString ListPath(const QString& name) {
    return QStringLiteral(TEST_SOURCE_DIR "/tests/data/lists/") + name;
}

// Channels with a receive frequency in `chprog show`'s lines.
int ProgrammedChannels(const QString& shown) {
    int count = 0;
    for (const QString& line : shown.split(u'\n', Qt::SkipEmptyParts))
        count += line.section(u'\t', 1, 1).isEmpty() ? 0 : 1;
    return count;
}

} // namespace

class PublicListsTest : public QObject {
    Q_OBJECT
private slots:
    void landInTheBaseBandAndComeBack_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::addColumn<int>("channels"); // 0: refused
        QTest::addColumn<QString>("said"); // the refusal after "FILE: line 2, column "Frequency": "
        const auto lands = [](const char* list, const char* model, const char* band, int channels) {
            QTest::addRow("%s into %s %s", list, model, band)
                << list << model << band << channels << "";
        };
        const auto refused = [](const char* list, const char* model, const char* band,
                                const char* said) {
            QTest::addRow("%s refused by %s %s", list, model, band)
                << list << model << band << 0 << said;
        };
        lands("noaa-weather.csv", "QR-16V", "136 - 174MHz", 7);
        refused("noaa-weather.csv", "QR-16U", "400 - 470MHz",
                "162.400 MHz is out of range; allowed: 400.00000 to 470.00000 MHz");
        lands("pmr446.csv", "QR-16U", "400 - 470MHz", 16);
        refused("pmr446.csv", "QR-16V", "136 - 174MHz",
                "446.00625 MHz is out of range; allowed: 136.00000 to 174.00000 MHz");
        lands("frs-interstitials.csv", "QR-16U", "450 - 520MHz", 14);
        lands("marine-vhf.csv", "QR-16V", "136 - 174MHz", 8);
        refused("marine-vhf.csv", "QR-16V", "144 - 148MHz",
                "156.800000 MHz is out of range; allowed: 144.00000 to 148.00000 MHz");
        lands("murs.csv", "QR-16M", "136 - 174MHz", 5);
    }
    void landInTheBaseBandAndComeBack() {
        QFETCH(QString, list);
        QFETCH(QString, model);
        QFETCH(QString, band);
        QFETCH(int, channels);
        QFETCH(QString, said);
        const ConfigDir config(DefaultIniText());
        const QStringList withConfig{"--config", config.path()};
        const QString base = config.filePath("base.dat"), out = config.filePath("out.dat");
        QCOMPARE(
            Chprog(QStringList{"new", "--model", model, "--band", band, "-o", base} + withConfig)
                .status,
            0);
        const ChprogRun imported = Chprog(
            QStringList{"import-csv", ListPath(list), "--base", base, "-o", out} + withConfig);
        if (channels == 0) {
            QCOMPARE(imported.status, 2);
            QCOMPARE(imported.err, "chprog: " + ListPath(list) +
                                       ": line 2, column \"Frequency\": " + said + "\n");
            QVERIFY(!QFile::exists(out));
            return;
        }
        QCOMPARE(imported.status, 0);
        QCOMPARE(ProgrammedChannels(Chprog({"show", out}).out), channels);

        const QString exported = config.filePath("exported.csv"),
                      again = config.filePath("again.dat");
        QCOMPARE(Chprog(QStringList{"export-csv", out, "--layout", "common", "-o", exported} +
                        withConfig)
                     .status,
                 0);
        const ChprogRun back =
            Chprog(QStringList{"import-csv", exported, "--base", base, "-o", again} + withConfig);
        QCOMPARE(back.err, QString());
        QCOMPARE(ReadFileBytes(again), ReadFileBytes(out));
    }
};

TEST_CLASS(PublicListsTest)
#include "tst_public_lists.moc"
