// The calibration tables without widgets: band rows, fill and store rules, the
// normalisation of all 11 rows and the clamps of the two in-place editors.

#include "Calibration.h"
#include "ProductInfo.h"
#include "TestSuite.h"

#include <QTest>

using namespace ImageMap;

class CalibrationTest : public QObject {
    Q_OBJECT
private slots:
    void bandRows_data() {
        QTest::addColumn<QString>("band");
        QTest::addColumn<std::vector<int>>("points");
        QTest::newRow("136-174") << "136 - 174MHz" << std::vector<int>{136, 140, 150, 160, 170};
        QTest::newRow("130-160") << "130 - 160MHz" << std::vector<int>{130, 140, 150};
        QTest::newRow("400-470") << "400 - 470MHz"
                                 << std::vector<int>{400, 410, 420, 430, 440, 450, 460};
        QTest::newRow("exactly 11")
            << "100 - 210MHz"
            << std::vector<int>{100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200};
        QTest::newRow("beyond 11: first 11 only")
            << "135 - 300MHz"
            << std::vector<int>{135, 140, 150, 160, 170, 180, 190, 200, 210, 220, 230};
        QTest::newRow("no band: one row at 0") << "" << std::vector<int>{0};
    }

    void bandRows() {
        QFETCH(QString, band);
        QFETCH(std::vector<int>, points);
        QCOMPARE(CalibrationPoints(BandLimitsFromText(band)), points);
    }

    void powerFillShowsDefaultsForOutOfRangeBytes() {
        RadioImage image = NewImage();
        image[kPowerCalibration + 0] = 10;  // low below 25
        image[kPowerCalibration + 1] = 251; // high above 250
        image[kPowerCalibration + 2] = 25;  // both limits are valid values
        image[kPowerCalibration + 3] = 250;
        image[kPowerCalibration + 4] = 151;
        image[kPowerCalibration + 5] = 127;
        const RadioImage before = image;
        const PowerTable table = ReadPowerTable(image, 3);
        QCOMPARE(table.size(), size_t(3));
        QCOMPARE(table[0].low, 100);
        QCOMPARE(table[0].high, 200);
        QCOMPARE(table[1].low, 25);
        QCOMPARE(table[1].high, 250);
        QCOMPARE(table[2].low, 100);
        QCOMPARE(table[2].high, 200);
        QVERIFY(image == before); // reading changes nothing
        QCOMPARE(ReadPowerTable(image, 40).size(), size_t(kCalibrationRows));
    }

    void powerStoreUsesDefaultsAndNormalisesAllRows() {
        QCOMPARE(PowerFromCellText(kPowerColumnLow, " 120"), 120);
        QCOMPARE(PowerFromCellText(kPowerColumnLow, "300"), 100); // default, not the limit
        QCOMPARE(PowerFromCellText(kPowerColumnHigh, "5"), 200);
        QCOMPARE(PowerFromCellText(kPowerColumnHigh, "abc"), 200);
        QCOMPARE(PowerFromCellText(kPowerColumnHigh, "+140x"), 140);

        RadioImage image = NewImage();
        image[kPowerCalibration + 2 * 7] = 0;       // row 7, beyond the band's 3 rows
        image[kPowerCalibration + 2 * 10 + 1] = 99; // row 10
        image[kPowerCalibration + 2 * 4] = 30;      // a valid value beyond the band: kept
        StorePowerTable({{26, 249}, {-1, 1000}, {150, 128}}, image);
        const std::vector<int> expected = {26, 249, 100, 200, 150, 128};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(int(image[kPowerCalibration + i]), expected[i]);
        QCOMPARE(int(image[kPowerCalibration + 2 * 7]), 100);
        QCOMPARE(int(image[kPowerCalibration + 2 * 10 + 1]), 200);
        QCOMPARE(int(image[kPowerCalibration + 2 * 4]), 30);
        QCOMPARE(int(image[kPowerCalibration - 1]), int(NewImage()[kPowerCalibration - 1]));
        QCOMPARE(int(image[kPowerCalibration + 22]), int(NewImage()[kPowerCalibration + 22]));
    }

    void powerEditorClampsToNearestLimit_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("high 300") << kPowerColumnHigh << "300" << 250;
        QTest::newRow("low 5") << kPowerColumnLow << "5" << 25;
        QTest::newRow("low letters") << kPowerColumnLow << "abc" << 25;
        QTest::newRow("high letters") << kPowerColumnHigh << "xy" << 128;
        QTest::newRow("high empty") << kPowerColumnHigh << "" << 128;
        QTest::newRow("low 999") << kPowerColumnLow << "999" << 150;
        QTest::newRow("low -7") << kPowerColumnLow << "-7" << 25;
        QTest::newRow("high in range") << kPowerColumnHigh << "131" << 131;
    }

    void powerEditorClampsToNearestLimit() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(int, shown);
        QCOMPARE(ClampPowerEntry(column, typed), shown);
    }

    void squelchSignAndMagnitude() {
        QCOMPARE(SquelchFromByte(0x83), -3);
        QCOMPARE(SquelchFromByte(0x03), 3);
        QCOMPARE(SquelchFromByte(0x86), 0);
        QCOMPARE(SquelchFromByte(0x06), 0);
        QCOMPARE(SquelchFromByte(0x85), -5);
        QCOMPARE(SquelchFromByte(0xFF), 0);
        QCOMPARE(SquelchToByte(-2), 0x82);
        QCOMPARE(SquelchToByte(5), 0x05);
        QCOMPARE(SquelchToByte(0), 0x00);
        QCOMPARE(SquelchToByte(-6), 0x00); // never a byte the radio would misread
        QCOMPARE(SquelchToByte(258), 0x00);
        QCOMPARE(SquelchFromCellText(" -4"), -4);
        QCOMPARE(SquelchFromCellText("x"), 0);

        RadioImage image = NewImage();
        image[kSquelchCalibration + 0] = 0x83;
        image[kSquelchCalibration + 1] = 0x86;
        image[kSquelchCalibration + 2] = 0x06;
        QCOMPARE(ReadSquelchTable(image, 3), (SquelchTable{-3, 0, 0}));
    }

    void squelchStoreNormalisesAllRows() {
        RadioImage image = NewImage();
        image[kSquelchCalibration + 5] = 0x85; // valid, beyond the band: kept
        image[kSquelchCalibration + 6] = 0x80; // "minus zero", valid magnitude: kept as it is
        image[kSquelchCalibration + 9] = 0x86;
        image[kSquelchCalibration + 10] = 0x7F;
        image[kPowerCalibration] = 0; // the power table is not squelch's to normalise
        StoreSquelchTable({-2, 3, 0}, image);
        QCOMPARE(int(image[kSquelchCalibration + 0]), 0x82);
        QCOMPARE(int(image[kSquelchCalibration + 1]), 0x03);
        QCOMPARE(int(image[kSquelchCalibration + 2]), 0x00);
        QCOMPARE(int(image[kSquelchCalibration + 5]), 0x85);
        QCOMPARE(int(image[kSquelchCalibration + 6]), 0x80);
        QCOMPARE(int(image[kSquelchCalibration + 9]), 0x00);
        QCOMPARE(int(image[kSquelchCalibration + 10]), 0x00);
        QCOMPARE(int(image[kPowerCalibration]), 0);
        QCOMPARE(int(image[kSquelchCalibration + 11]), int(NewImage()[kSquelchCalibration + 11]));
    }

    void squelchListEditor() {
        QCOMPARE(ClampSquelchEntry("-2"), -2);
        QCOMPARE(ClampSquelchEntry("9"), 5);
        QCOMPARE(ClampSquelchEntry("-9"), -5);
        QCOMPARE(ClampSquelchEntry(""), 0);
    }

    void wideBandNeverWritesOutsideTheTables() {
        const std::vector<int> points = CalibrationPoints(BandLimitsFromText("100 - 999MHz"));
        QCOMPARE(int(points.size()), kCalibrationRows);
        // A band near the top of the int range neither overflows nor builds a huge list.
        QCOMPARE(int(CalibrationPoints(BandLimitsFromText("2147483000 - 2147483647MHz")).size()),
                 kCalibrationRows);

        RadioImage image = NewImage();
        const RadioImage before = image;
        StorePowerTable(PowerTable(30, PowerSetting{50, 150}), image);
        StoreSquelchTable(SquelchTable(30, -1), image);
        for (int offset = 0; offset < kImageSize; ++offset) {
            const bool inPower = offset >= kPowerCalibration && offset < kPowerCalibration + 22;
            const bool inSquelch =
                offset >= kSquelchCalibration && offset < kSquelchCalibration + 11;
            if (!inPower && !inSquelch)
                QCOMPARE(int(image[offset]), int(before[offset]));
        }
        QCOMPARE(int(image[kPowerCalibration + 21]), 150);
        QCOMPARE(int(image[kSquelchCalibration + 10]), 0x81);
    }
};

TEST_CLASS(CalibrationTest)
#include "tst_calibration.moc"
