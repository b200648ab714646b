// Numbers in text (radio/TextNumbers, radio/DecimalMultiply): decimal products without
// binary rounding errors, the leading number of a text, fixed-point texts.

#include "radio/DecimalMultiply.h"
#include "radio/TextNumbers.h"
#include "tests/support/TestSuite.h"

#include <QTest>
#include <climits>
#include <tuple>

class TextNumbersTest : public QObject {
    Q_OBJECT
private slots:
    // Decimal texts times a power of ten, truncated without binary rounding errors.
    void decimalMultiplyIsExact() {
        const QList<std::tuple<double, double, qlonglong>> products = {
            {146.5125, 100000.0, 14651250LL},
            {446.00625, 100000.0, 44600625LL},
            {69.3, 10.0, 693LL},
            {0.55, 20.0, 11LL},
            {2.35, 20.0, 47LL},
            {-146.52, 100000.0, -14652000LL},
            {0.0, 100000.0, 0LL}};
        for (const auto& [a, b, truncated] : products)
            QCOMPARE(DecimalMultiplyTruncated(a, b), truncated);
    }

    // A number's leading part: an exponent needs digits, a run beyond int stops at its end.
    void leadingNumbers() {
        const QList<QPair<const char*, double>> doubles = {
            {"  146.52abc", 146.52}, {"1e2x", 100.0}, {"5e", 5.0}, {".5", 0.5}, {"-3", -3.0}};
        for (const auto& [text, value] : doubles)
            QCOMPARE(LeadingDouble(text), value);
        const QList<QPair<const char*, int>> ints = {
            {" 5", 5}, {"+12MHz", 12}, {"-3", -3}, {"99999999999", INT_MAX}};
        for (const auto& [text, value] : ints)
            QCOMPARE(LeadingInt(text), value);
        bool found = true;
        for (const char* text : {"abc", "."}) {
            QCOMPARE(LeadingDouble(text, &found), 0.0);
            QVERIFY(!found);
        }
        QCOMPARE(LeadingInt("x1", &found), 0);
        QVERIFY(!found);
        QCOMPARE(FormatFixedPoint(14652000, 5), QString("146.52000"));
        QCOMPARE(FormatFixedPoint(5, 5), QString("0.00005"));
        QCOMPARE(FormatFixedPoint(-15, 1), QString("-1.5"));
    }
};

TEST_CLASS(TextNumbersTest)
#include "tst_text_numbers.moc"
