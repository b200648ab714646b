// Channels as clipboard text: the tab-separated rows a copy writes, and which pasted
// texts fill which channels or are refused whole.

#include "document/ChannelClipboard.h"
#include "tests/support/TestSuite.h"

#include <QTest>

namespace {

const BandLimits kBand{13600000, 17400000}; // 136 - 174 MHz

const QString kTabHeader = QStringLiteral("CH\tRx Frequency\tTx Frequency\tQT/DQT Dec\tQT/DQT "
                                          "Enc\tPower\tScan Add\tBusy Lock\tW/N\tCompand\n");
const QString kTabRow2 =
    QStringLiteral("2\t146.52000\t146.52000\t67.0\tD023N\tHigh\tYes\tOff\tWide\tNo\n");
const QString kTabRow3 =
    QStringLiteral("3\t150.00625\t155.00000\tNone\tNone\tLow\tNo\tCarrier\tNarrow\tYes\n");

ChannelRow Row(const QString& tabbed) {
    ChannelRow row;
    const QStringList fields = tabbed.trimmed().split(u'\t');
    for (int c = 0; c < kChannelColumns; ++c)
        row[c] = fields.value(c);
    return row;
}

QString RxTexts(const ChannelTable& table) {
    QStringList texts;
    for (const ChannelRow& row : table)
        texts << row[kColRxFrequency];
    return texts.join(u',');
}

} // namespace

class ClipboardTextTest : public QObject {
    Q_OBJECT
private slots:
    void copyWritesTheExportTexts() {
        RadioImage image = NewImage();
        EncodeChannelRow(Row(kTabRow2), 2, image);
        EncodeChannelRow(Row(kTabRow3), 3, image);
        QCOMPARE(ChannelClipboardText(image, {2, 3}, Language::English),
                 kTabHeader + kTabRow2 + kTabRow3);
        QVERIFY(ChannelClipboardText(image, {2}, Language::Chinese)
                    .contains(QStringLiteral("\t高\t有\t")));
    }

    void paste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("rxAfter"); // every channel's Rx, or empty when refused
        QTest::addColumn<QString>("error");   // a part of the refusal

        QTest::newRow("tabs with header") << kTabHeader + kTabRow2 + kTabRow3 << 10
                                          << ",,,,,,,,,146.52000,150.00625,,,,," << QString();
        QTest::newRow("tabs without header, CRLF") << QString(kTabRow3).replace("\n", "\r\n") << 16
                                                   << ",,,,,,,,,,,,,,,150.00625" << QString();
        QTest::newRow("commas with header") << "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT "
                                               "Enc,Power,Scan Add,Busy Lock,W/N,Compand\r\n"
                                               "7,146.52,,None,None,High,Yes,Off,Wide,No\r\n"
                                            << 1 << "146.52000,,,,,,,,,,,,,,," << QString();
        QTest::newRow("commas without header, Chinese words")
            << "1,146.52,,無,無,高,有,關,寬,否\n"
            << 2 << ",146.52000,,,,,,,,,,,,,," << QString();
        QTest::newRow("an empty receive frequency empties the channel")
            << "1\t\t\t\t\t\t\t\t\t\n" + kTabRow2 << 1 << ",146.52000,,,,,,,,,,,,,," << QString();
        QTest::newRow("bad frequency names row and column")
            << kTabHeader + kTabRow2 + QString(kTabRow2).replace("146.52000", "146.52100") << 1
            << QString() << "line 3, column \"Rx Frequency\": 146.52100 MHz is on neither";
        QTest::newRow("bad word names row and column")
            << kTabRow2 + QString(kTabRow3).replace("Low", "Max") << 1 << QString()
            << "line 2, column \"Power\": \"Max\" is not allowed";
        QTest::newRow("out of band") << "1,446.00625,,None,None,High,Yes,Off,Wide,No\n"
                                     << 1 << QString() << "line 1, column \"Rx Frequency\"";
        // Fewer fields than a channel has go into the cells from the current column on.
        QTest::newRow("a row short of a field is a block of cells")
            << "1\t146.52\tNone\tNone\tHigh\tYes\tOff\tWide\tNo\n"
            << 1 << QString() << "line 1, column \"Rx Frequency\": 1 MHz is out of range";
        QTest::newRow("only receive frequencies") << "146.61\n146.62\n" << 3
                                                  << ",,146.61000,146.62000,,,,,,,,,,,," << QString();

        QTest::newRow("too many rows") << kTabRow2 + kTabRow3 + kTabRow2 << 15 << QString()
                                       << "3 rows do not fit: from channel 15 there is room for 2.";
        QTest::newRow("header only") << kTabHeader << 1 << QString() << "no channels";
    }

    void paste() {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(QString, error);
        ChannelTable table = DecodeChannels(NewImage(), Language::English);
        const ChannelTable before = table;
        QString message;
        const int count =
            PasteChannelText(text, first, kColNumber, kBand, table, Language::English, &message);
        if (error.isEmpty()) {
            QVERIFY2(count > 0, qPrintable(message));
            QTEST(RxTexts(table), "rxAfter");
        } else {
            QCOMPARE(count, 0);
            QVERIFY2(message.contains(error), qPrintable(message));
            QCOMPARE(RxTexts(table), RxTexts(before));
        }
    }

    // A block pasted from a later column: words and tones in any letter case, checked as
    // typed; an empty channel takes the new-channel settings with its first frequency.
    void blockFromTheCurrentColumn() {
        ChannelTable table = DecodeChannels(NewImage(), Language::English);
        QString message;
        const auto paste = [&](const char* text, int column) {
            return PasteChannelText(text, 1, column, kBand, table, Language::English, &message);
        };
        QCOMPARE(paste("146.52\t\td023n\tnone\tlow\n", kColRxFrequency), 1);
        QCOMPARE(table[0][kColTxFrequency], QString("146.52000"));
        QCOMPARE(table[0][kColDecodeTone], QString("D023N"));
        QCOMPARE(table[0][kColPower], QString("Low"));
        QVERIFY(!table[0][kColScanAdd].isEmpty()); // a new channel's default
        QCOMPARE(paste("High\tYes\tOff\tWide\tNo\tx\n", kColPower), 0);
        QVERIFY2(message.contains("6 cells do not fit from column \"Power\""), qPrintable(message));
        QCOMPARE(paste("wide\n", kColPower), 0); // W/N is not Power's list
        QVERIFY2(message.contains("\"wide\" is not allowed"), qPrintable(message));
        QCOMPARE(paste("HIGH\nHigh\n", kColPower), 2);
        QCOMPARE(table[0][kColPower], QString("High"));
        QCOMPARE(table[1][kColRxFrequency], QString()); // settings of an empty channel drop
    }
};

TEST_CLASS(ClipboardTextTest)
#include "tst_clipboard_text.moc"
