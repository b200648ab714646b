// Channel-list CSV import and export: how each value of the common layout (Duplex, Tone,
// CrossMode, Mode, Skip, Power) lands in the channel record, what either layout refuses
// (with line and column), how rows are placed, and that our export comes back byte for byte.

#include "radio/ChannelCodec.h"
#include "document/ChannelCsv.h"
#include "document/CommonCsvLayout.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QTest>

namespace {

const QString kHeader = QStringLiteral(
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "Mode,TStep,Skip,Comment,Power,RxDtcsCode,CrossMode\r\n");
const QString kOwnHeader = QStringLiteral(
    "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Scan Add,Busy Lock,W/N,Compand\r\n");

// Imports `csv` into `image`; false with `error` set when the file is refused.
bool ImportInto(RadioImage* image, const QString& csv, const ImportOptions& options, QString* error,
                CsvImportReport* report = nullptr) {
    CsvImportReport ignored;
    return ImportChannelCsv(csv, options, *image, report ? report : &ignored, error);
}

QStringList GridRow(const RadioImage& image, int channel) {
    const ChannelRow row = DecodeChannels(image, Language::English)[channel - 1];
    return QStringList(row.begin() + 1, row.end());
}

// `fields` with "Name=value;..." changes applied, each name one of `names`.
QString Changed(QStringList fields, const QStringList& names, const char* changes) {
    for (const QString& change : QString::fromUtf8(changes).split(';', Qt::SkipEmptyParts))
        fields[names.indexOf(change.section('=', 0, 0))] = change.section('=', 1);
    return fields.join(',');
}

// A common-layout record: a simplex channel at 146.52 MHz with no tones, changed.
QString Record(const char* changes) {
    return Changed(QString("1,,146.52,,0,,88.5,88.5,023,NN,FM,5,,,,,").split(','),
                   kHeader.trimmed().split(','), changes);
}

// A channel as the grid shows it (Rx, Tx, Dec, Enc, Power, Scan, Busy, WN, Compand), changed.
QStringList Grid(const char* changes) {
    return Changed({"146.52000", "146.52000", "None", "None", "High", "Yes", "Off", "Wide", "No"},
                   {"Rx", "Tx", "Dec", "Enc", "Power", "Scan", "Busy", "WN", "Compand"}, changes)
        .split(',');
}

} // namespace

class CommonCsvTest : public QObject {
    Q_OBJECT
private slots:
    void mapsEachValue_data() {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("grid");
        const auto row = [](const char* name, const char* changes, const char* grid) {
            QTest::newRow(name) << Record(changes) << Grid(grid);
        };
        row("simplex", "", "");
        row("plus offset", "Frequency=146.94;Duplex=+;Offset=0.6", "Rx=146.94000;Tx=147.54000");
        row("minus offset", "Frequency=146.94;Duplex=-;Offset=0.600000",
            "Rx=146.94000;Tx=146.34000");
        row("split", "Frequency=446.00625;Duplex=split;Offset=145.5875",
            "Rx=446.00625;Tx=145.58750");
        row("off: no transmit frequency", "Frequency=162.4;Duplex=off",
            "Rx=162.40000;Tx=;Dec=;Enc=;Power=;Scan=;Busy=;WN=;Compand=");
        row("Tone encodes only", "Tone=Tone;rToneFreq=100.0", "Enc=100.0");
        row("TSQL both ways", "Tone=TSQL;rToneFreq=67.0;cToneFreq=123.0", "Dec=123.0;Enc=123.0");
        row("DTCS NN", "Tone=DTCS;DtcsCode=23", "Dec=D023N;Enc=D023N");
        row("DTCS RN: transmit reversed", "Tone=DTCS;DtcsCode=754;DtcsPolarity=RN",
            "Dec=D754N;Enc=D754I");
        const char* cross = "Tone=Cross;rToneFreq=67.0;cToneFreq=71.9;RxDtcsCode=131;CrossMode=";
        const auto crossRow = [cross](const char* mode, const char* more, const char* grid) {
            QTest::newRow(mode) << Record(qPrintable(cross + QString(mode) + ";" + more))
                                << Grid(grid);
        };
        crossRow("Tone->Tone", "", "Dec=71.9;Enc=67.0");
        crossRow("Tone->DTCS", "DtcsPolarity=NR", "Dec=D131I;Enc=67.0"); // uses RxDtcsCode
        crossRow("DTCS->Tone", "DtcsCode=025;DtcsPolarity=RN", "Dec=71.9;Enc=D025I");
        crossRow("->Tone", "", "Dec=71.9;Enc=None");
        crossRow("->DTCS", "RxDtcsCode=265", "Dec=D265N;Enc=None");
        crossRow("DTCS->", "DtcsCode=047", "Dec=None;Enc=D047N");
        crossRow("DTCS->DTCS", "DtcsCode=047;RxDtcsCode=265;DtcsPolarity=NR",
                 "Dec=D265I;Enc=D047N");
        row("NFM is narrow", "Mode=NFM", "WN=Narrow");
        row("Skip S leaves the scan list", "Skip=S", "Scan=No");
        row("Power Low", "Power=Low", "Power=Low");
        row("Power High (2W)", "Power=High (2W)", "");
    }
    void mapsEachValue() {
        QFETCH(QString, record);
        RadioImage image = NewImage();
        QString error;
        QVERIFY2(ImportInto(&image, kHeader + record + "\r\n", {}, &error), qPrintable(error));
        QTEST(GridRow(image, 1), "grid");
    }

    // Both layouts: what is refused and where; the image stays as it was.
    void refusesWithLineAndColumn_data() {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QString>("message");
        const auto own = [](const char* name, const char* row, const char* message) {
            QTest::newRow(name) << kOwnHeader + row + "\r\n" << QString::fromUtf8(message);
        };
        // The common layout: the named column is the last one changed.
        const auto common = [](const char* name, const char* changes, const char* message = "") {
            const QString column = QString(changes).section(';', -1).section('=', 0, 0);
            QTest::newRow(name) << kHeader + Record(changes) + "\r\n"
                                << "line 2, column \"" + column + "\"" + message;
        };
        common("unknown Duplex", "Duplex=x", ": \"x\" is not supported");
        common("unknown Tone", "Tone=TSQL-R");
        common("unknown CrossMode", "Tone=Cross;CrossMode=Tone->NX");
        common("empty CrossMode", "Tone=Cross;CrossMode=");
        common("AM", "Mode=AM", ": \"AM\" is not supported");
        common("priority skip", "Skip=P");
        common("tone off the list", "Tone=Tone;rToneFreq=88.6");
        common("DCS code off the list", "Tone=DTCS;DtcsCode=024");
        common("bad polarity", "Tone=DTCS;DtcsPolarity=NX");
        common("off the channel step", "Frequency=146.521");
        common("offset off the step", "Duplex=+;Offset=0.601");
        common("power word", "Power=Medium");
        common("Location beyond 16", "Location=17",
               ": 17 is not a channel 1 to 16; choose the rows with --rows A-B and place them "
               "with --first-channel N");
        QTest::newRow("Location twice") << kHeader + Record("") + "\r\n" + Record("Location=2") +
                                               "\r\n" + Record("Frequency=146.54") + "\r\n"
                                        << "Location 1 appears twice: lines 2 and 4";
        own("own: CH twice",
            "3,146.52,,None,None,High,No,Off,Wide,No\r\n03,146.54,,None,None,High,No,Off,Wide,No",
            "CH 3 appears twice: lines 2 and 3");
        own("own: off step", "1,146.514,,None,None,High,No,Off,Wide,No",
            "line 2, column \"Rx Frequency\": 146.514 MHz is on neither");
        own("own: 1000 MHz", "1,1000,,None,None,High,No,Off,Wide,No",
            "line 2, column \"Rx Frequency\": 1000 MHz is out of range; allowed: below 1000 MHz");
        own("own: no plain number", "1,1.46e2,,None,None,High,No,Off,Wide,No",
            "line 2, column \"Rx Frequency\": \"1.46e2\" is not a frequency");
        own("own: transmit nan", "5,146.5,nan,None,None,High,No,Off,Wide,No",
            "line 2, column \"Tx Frequency\": \"nan\" is not a frequency");
        own("own: not a tone", "2,146.52,,67.1,None,High,No,Off,Wide,No",
            "line 2, column \"QT/DQT Dec\": \"67.1\" is not a tone");
        own("own: bad word", "2,146.52,,None,None,Medium,No,Off,Wide,No", "High/高");
        own("own: channel 17", "17,146.52,,None,None,High,No,Off,Wide,No", "1 to 16");
        own("own: unclosed quote", "1,\"146.52,,None", "line 2");
        own("own: short record", "1,146.52", "line 2");
        QTest::newRow("own: missing heading") << "CH,Rx Frequency\r\n1,146.52\r\n"
                                              << "Tx Frequency";
    }
    void refusesWithLineAndColumn() {
        QFETCH(QString, csv);
        QFETCH(QString, message);
        RadioImage image = NewImage();
        QString error;
        CsvImportReport report;
        QVERIFY(!ImportChannelCsv(csv, {}, image, &report, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(image == NewImage());
    }

    // Without the model's watts the whole file's largest wattage is High, whichever rows
    // are imported; with them a wattage is the nearer of the model's High and Low.
    void wattsPickHighAndLow_data() {
        QTest::addColumn<QString>("file"); // the Power of Locations 1..4
        QTest::addColumn<bool>("model");   // the model's 5.0W|1.0W known
        QTest::addColumn<int>("from");     // --rows from-to, 0 for none
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("powers"); // of channels 1..4
        const QString mixed = "5.0W,1.0W,,0.5W";
        QTest::newRow("whole file") << mixed << false << 0 << 0 << "High,Low,High,Low";
        QTest::newRow("rows 2-4 without the 5.0 W row")
            << mixed << false << 2 << 4 << ",Low,High,Low";
        QTest::newRow("row 4 alone") << mixed << false << 4 << 4 << ",,,Low";
        QTest::newRow("all 1.0 W")
            << "1.0W,1.0W,1.0W,1.0W" << false << 0 << 0 << "High,High,High,High";
        QTest::newRow("all 1.0 W of a 5 W model")
            << "1.0W,1.0W,1.0W,1.0W" << true << 0 << 0 << "Low,Low,Low,Low";
        QTest::newRow("nearer of 5 W and 1 W")
            << "4.0W,2.9W,3.0W,High" << true << 0 << 0 << "High,Low,High,High";
    }
    void wattsPickHighAndLow() {
        QFETCH(QString, file);
        QFETCH(bool, model);
        QFETCH(int, from);
        QFETCH(int, to);
        ImportOptions options;
        if (from > 0)
            options.rows = LocationRange{from, to};
        if (model)
            options.watts = ModelWatts{50, 10};
        QString csv = kHeader;
        const QStringList watts = file.split(',');
        for (int location = 1; location <= 4; ++location)
            csv += Record(qPrintable(QStringLiteral("Location=%1;Frequency=146.5%2;Power=%3")
                                         .arg(location)
                                         .arg(2 * location)
                                         .arg(watts[location - 1]))) +
                   "\r\n";
        RadioImage image = NewImage();
        QString error;
        QVERIFY2(ImportInto(&image, csv, options, &error), qPrintable(error));
        QStringList shown;
        for (int channel = 1; channel <= 4; ++channel)
            shown << GridRow(image, channel).at(4);
        QTEST(shown.join(','), "powers");
    }

    void placesRows_data() {
        QTest::addColumn<int>("from"); // --rows A-B, -1 for none
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("first");           // --first-channel, 0 for none
        QTest::addColumn<QString>("error");       // start of the refusal, empty when accepted
        QTest::addColumn<QList<int>>("channels"); // programmed channels after the import
        // The file holds Locations 0..59 at 150.000, 150.025, ... MHz.
        QTest::newRow("Location 0 without options")
            << -1 << -1 << 0 << "line 2, column \"Location\": 0 is not a channel" << QList<int>{};
        QTest::newRow("rows 1-16 by Location") << 1 << 16 << 0 << "" << QList<int>{1, 16};
        QTest::newRow("rows 10-14 from channel 3") << 10 << 14 << 3 << "" << QList<int>{3, 7};
        QTest::newRow("first channel 1 takes rows 0-15") << 0 << 15 << 1 << "" << QList<int>{1, 16};
        QTest::newRow("too many rows")
            << 0 << 59 << 1 << "60 rows do not fit from channel 1 on: only 16 fit" << QList<int>{};
        QTest::newRow("too many from channel 12")
            << 0 << 5 << 12 << "6 rows do not fit from channel 12 on: only 5 fit" << QList<int>{};
        QTest::newRow("no row in range")
            << 100 << 120 << 1 << "no row has a Location from 100 to 120" << QList<int>{};
    }
    void placesRows() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, first);
        QFETCH(QString, error);
        QFETCH(QList<int>, channels);
        QString csv = kHeader;
        for (int location = 0; location < 60; ++location)
            csv += QStringLiteral("%1,,%2,,0,,88.5,88.5,023,NN,FM,5,,,,,\r\n")
                       .arg(location)
                       .arg(FrequencyText(15000000 + 2500 * location));
        ImportOptions options;
        if (from >= 0)
            options.rows = LocationRange{from, to};
        if (first > 0)
            options.firstChannel = first;
        RadioImage image = NewImage();
        QString message;
        const bool ok = ImportInto(&image, csv, options, &message);
        QCOMPARE(ok, error.isEmpty());
        if (!ok) {
            QVERIFY2(message.startsWith(error), qPrintable(message));
            return;
        }
        const ChannelTable table = DecodeChannels(image, Language::English);
        for (int channel = 1; channel <= 16; ++channel) {
            const bool programmed = channel >= channels[0] && channel <= channels[1];
            QCOMPARE(!table[channel - 1][kColRxFrequency].isEmpty(), programmed);
        }
        // The first placed row is the first kept row, whatever its Location.
        QCOMPARE(table[channels[0] - 1][kColRxFrequency], FrequencyText(15000000 + 2500 * from));
    }

    void looseFilesAreAcceptedAndNamesReported() {
        // More trailing empty fields than the header, fewer fields, short and long numbers.
        const QString csv = QStringLiteral(
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
            "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL\n"
            "1,,162.4,,0,,88.5,88.5,23,NN,FM,5,,,,,,,,,\n"
            "2,,462.562500,,5.000000,DTCS,88.5,88.5,023,NN,NFM,12.5\n"
            ",,,,,,,,,,,,,\n");
        RadioImage image = NewImage();
        QString error;
        CsvImportReport report;
        QVERIFY2(ImportInto(&image, csv, {}, &error, &report), qPrintable(error));
        QCOMPARE(report.layout, CsvLayout::Common);
        QVERIFY(!report.namesDropped);
        QCOMPARE(GridRow(image, 1).first(), QStringLiteral("162.40000"));
        QCOMPARE(GridRow(image, 2).mid(0, 4),
                 (QStringList{"462.56250", "462.56250", "D023N", "D023N"}));
        QVERIFY(
            ImportInto(&image, QString(csv).replace("1,,162", "1,WX1,162"), {}, &error, &report));
        QVERIFY(report.namesDropped);
    }

    void exportComesBackByteForByte() {
        RadioImage image = NewImage();
        ChannelTable table = DecodeChannels(image, Language::English);
        const QList<QStringList> rows = {
            {"146.52000", "146.52000", "None", "None", "High", "Yes", "Off", "Wide", "No"},
            {"146.94000", "146.34000", "100.0", "100.0", "Low", "No", "Carrier", "Narrow", "Yes"},
            {"446.00625", "446.00625", "D023N", "D023I", "High", "Yes", "QT/DQT", "Wide", "No"},
            {"145.58750", "145.58750", "D131I", "67.0", "High", "No", "Off", "Narrow", "No"},
            {"150.00000", "155.00000", "71.9", "D754N", "Low", "Yes", "Off", "Wide", "Yes"},
            {"151.00000", "151.00000", "None", "D047N", "High", "Yes", "Off", "Wide", "No"},
            {"152.00000", "152.00000", "D265I", "None", "High", "Yes", "Off", "Wide", "No"},
            {"153.00000", "153.00000", "71.9", "None", "High", "Yes", "Off", "Wide", "No"},
            {"154.00000", "154.00000", "D025N", "D047N", "High", "Yes", "Off", "Wide", "No"},
            {"155.00000", "155.00000", "67.0", "88.5", "High", "Yes", "Off", "Wide", "No"},
        };
        for (int i = 0; i < rows.size(); ++i) {
            for (int c = 0; c < rows[i].size(); ++c)
                table[i + 2][c + 1] = rows[i][c]; // channels 3..12; the others stay empty
        }
        GridToImage(table, image);
        for (CsvLayout layout : {CsvLayout::Common, CsvLayout::Own}) {
            const QString csv = ChannelCsvText(image, layout, Language::Chinese);
            RadioImage again = image;
            QString error;
            QVERIFY2(ImportInto(&again, csv, {}, &error), qPrintable(error));
            QVERIFY(again == image);
        }
        // Into a new image the channels arrive with the defaults for Busy Lock and Compand.
        RadioImage fresh = NewImage();
        QString error;
        QVERIFY(ImportInto(&fresh, ChannelCsvText(image, CsvLayout::Common, Language::English), {},
                           &error));
        for (int channel = 1; channel <= 16; ++channel)
            QCOMPARE(GridRow(fresh, channel).mid(0, 6), GridRow(image, channel).mid(0, 6));
    }

    // A receive-only channel (Duplex off) is empty to the grid, which shows none of its
    // settings on channels 1..8; the export still carries the record's own scan bit, mode
    // and power, so the list comes back as it went out.
    void receiveOnlyChannelsComeBack() {
        QString csv = kHeader;
        for (int location = 1; location <= 8; ++location)
            csv += Record(qPrintable(QStringLiteral("Location=%1;Frequency=162.%2;Duplex=off;%3")
                                         .arg(location)
                                         .arg(400 + 25 * location)
                                         .arg(location == 8   ? "Skip=S"
                                              : location == 2 ? "Mode=NFM"
                                              : location == 3 ? "Power=Low"
                                                              : ""))) +
                   "\r\n";
        RadioImage image = NewImage();
        QString error;
        QVERIFY2(ImportInto(&image, csv, {}, &error), qPrintable(error));
        QCOMPARE(image[ImageMap::kScanListLow], std::uint8_t(0x7F));
        RadioImage again = NewImage();
        QVERIFY2(ImportInto(&again, ChannelCsvText(image, CsvLayout::Common, Language::English), {},
                            &error),
                 qPrintable(error));
        QCOMPARE(ImageBytes(again), ImageBytes(image));
    }

    void exportWritesTheToneModes() {
        RadioImage image = NewImage();
        ChannelTable table = DecodeChannels(image, Language::English);
        table[0] = {"1",   "146.52000", "147.12000", "D023N",  "D023I",
                    "Low", "No",        "Off",       "Narrow", "No"};
        table[1] = {"2",    "146.52000", "146.52000", "71.9", "67.0",
                    "High", "Yes",       "Off",       "Wide", "No"};
        GridToImage(table, image);
        QCOMPARE(
            ChannelCsvText(image, CsvLayout::Common, Language::English),
            kHeader +
                "1,,146.520000,+,0.600000,DTCS,88.5,88.5,023,RN,NFM,5.00,S,,Low,023,Tone->Tone\r\n"
                "2,,146.520000,,0.000000,Cross,67.0,71.9,023,NN,FM,5.00,,,High,023,Tone->Tone\r\n");
        // With the model's watts, Power is written in them (read back: wattsPickHighAndLow).
        const QString watts =
            ChannelCsvText(image, CsvLayout::Common, Language::English, ModelWatts{40, 5});
        QCOMPARE(watts.section("\r\n", 1, 1).section(',', 14, 14), QString("0.5W"));
        QCOMPARE(watts.section("\r\n", 2, 2).section(',', 14, 14), QString("4.0W"));
    }
};

TEST_CLASS(CommonCsvTest)
#include "tst_common_csv.moc"
