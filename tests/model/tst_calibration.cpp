// The calibration tables without widgets: band rows, fill and store rules, the
// normalisation of all 11 rows and the clamps of the two in-place editors.

#include "radio/Calibration.h"
#include "radio/ProductInfo.h"
#include "tests/support/TestSuite.h"

#include <QTest>
#include <tuple>

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
        QTEST(CalibrationPoints(BandLimitsFromText(band)), "points");
    }

    void powerFillShowsDefaultsForOutOfRangeBytes() {
        RadioImage image = NewImage();
        // Low below 25 and high above 250 show the defaults 100 and 200; the limits are valid.
        const std::vector<int> stored = {10, 251, 25, 250, 151, 127};
        std::copy(stored.begin(), stored.end(), image.begin() + kPowerCalibration);
        const RadioImage before = image;
        QList<int> shown;
        for (const PowerSetting& row : ReadPowerTable(image, 3))
            shown << row.low << row.high;
        QCOMPARE(shown, (QList<int>{100, 200, 25, 250, 100, 200}));
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

    // The in-place editor clamps the leading integer (none: 0) to the column's nearest
    // limit: low 25 to 150, high 128 to 250.
    void powerEditorClampsToNearestLimit() {
        const QList<std::tuple<int, const char*, int>> entries = {
            {kPowerColumnHigh, "300", 250}, {kPowerColumnLow, "5", 25},
            {kPowerColumnLow, "abc", 25},   {kPowerColumnHigh, "xy", 128},
            {kPowerColumnHigh, "", 128},    {kPowerColumnLow, "999", 150},
            {kPowerColumnLow, "-7", 25},    {kPowerColumnHigh, "131", 131}};
        for (const auto& [column, typed, shown] : entries)
            QVERIFY2(ClampPowerEntry(column, typed) == shown, typed);
    }

    void squelchSignAndMagnitude() {
        // Bit 7 the sign, the rest a magnitude of at most 5; anything else reads and stores 0.
        const QList<QPair<int, int>> fromByte = {{0x83, -3}, {0x03, 3},  {0x86, 0},
                                                 {0x06, 0},  {0x85, -5}, {0xFF, 0}};
        for (const auto& [byte, value] : fromByte)
            QCOMPARE(SquelchFromByte(std::uint8_t(byte)), value);
        const QList<QPair<int, int>> toByte = {
            {-2, 0x82}, {5, 0x05}, {0, 0x00}, {-6, 0x00}, {258, 0x00}};
        for (const auto& [value, byte] : toByte)
            QCOMPARE(int(SquelchToByte(value)), byte);
        QCOMPARE(SquelchFromCellText(" -4"), -4);
        QCOMPARE(SquelchFromCellText("x"), 0);
        QCOMPARE(ClampSquelchEntry("-2"), -2);
        QCOMPARE(ClampSquelchEntry("9"), 5);
        QCOMPARE(ClampSquelchEntry("-9"), -5);
        QCOMPARE(ClampSquelchEntry(""), 0);
    }

    void squelchStoreNormalisesAllRows() {
        RadioImage image = NewImage();
        image[kPowerCalibration] = 0; // the power table is not squelch's to normalise
        // Row: stored before, after storing {-2, 3, 0} for the band's three rows. Valid bytes
        // beyond the band stay, "minus zero" included; invalid ones become 0.
        const QList<QPair<int, int>> rows = {{0xFF, 0x82}, {0xFF, 0x03}, {0xFF, 0x00}, {0x85, 0x85},
                                             {0x80, 0x80}, {0x86, 0x00}, {0x7F, 0x00}};
        const QList<int> at = {0, 1, 2, 5, 6, 9, 10};
        for (int i = 0; i < at.size(); ++i)
            image[kSquelchCalibration + at[i]] = std::uint8_t(rows[i].first);
        StoreSquelchTable({-2, 3, 0}, image);
        for (int i = 0; i < at.size(); ++i)
            QCOMPARE(int(image[kSquelchCalibration + at[i]]), rows[i].second);
        QCOMPARE(int(image[kPowerCalibration]), 0);
        QCOMPARE(int(image[kSquelchCalibration + 11]), int(NewImage()[kSquelchCalibration + 11]));
    }

    void wideBandNeverWritesOutsideTheTables() {
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
