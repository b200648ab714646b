// The grid's marks: cells that break the document's plan, or hold a frequency outside
// the band or off the channel step, follow every change of the image and of the plan.
#include "tests/editor/ChannelScreen.h"
#include "files/DatFile.h"
#include "radio/ChannelRecord.h"
#include "tests/support/TestSuite.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

ChannelPlan LowPowerPlan(std::vector<long long> frequencies = {}) {
    ChannelPlan plan;
    plan.id = QStringLiteral("low");
    plan.name[0] = plan.name[1] = QStringLiteral("Low");
    plan.rules.maxPower = Power::Low;
    plan.rules.frequencies = std::move(frequencies);
    return plan;
}

Channel ChannelAt(long long units) {
    Channel channel;
    channel.rx.units = channel.tx.units = units;
    return channel;
}

} // namespace

class ChannelMarksTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }
    void planBreachFollowsEditsAndUndo();
    void storedFaultsOfAnOpenedImage();

private:
    EditorRun m_run;
};

void ChannelMarksTest::planBreachFollowsEditsAndUndo() {
    ChannelScreen s;
    s.program(1, "145");
    QVERIFY(!s.grid().CellMarkColor(1, kColPower).isValid());
    s.doc.setPlan(LowPowerPlan());
    QCOMPARE(s.grid().CellMarkTip(1, kColPower), QStringLiteral("Low: the plan allows Low power only"));
    QVERIFY(s.grid().CellMarkColor(1, kColPower).isValid());
    QVERIFY(!s.grid().CellMarkColor(1, kColRxFrequency).isValid());

    s.enterIn(1, kColPower, "L");
    QCOMPARE(s.cell(1, kColPower), QStringLiteral("Low"));
    QVERIFY(!s.grid().CellMarkColor(1, kColPower).isValid());
    QVERIFY(s.grid().CellMarkTip(1, kColPower).isEmpty());
    s.view.undo();
    QCOMPARE(s.grid().CellMarkTip(1, kColPower), QStringLiteral("Low: the plan allows Low power only"));
}

// A file holds what typing refuses; a cell breaking the band and the plan is red and
// names both.
void ChannelMarksTest::storedFaultsOfAnOpenedImage() {
    RadioImage image = NewImage();
    image[ImageMap::kProductType] = image[ImageMap::kProductBand] = 0x00; // 130 - 160MHz
    WriteChannel(ChannelAt(40000000), 1, image);
    WriteChannel(ChannelAt(14500300), 2, image);
    QTemporaryDir dir;
    const QString path = dir.filePath("faults.dat");
    QVERIFY(SaveDatFile(path, image, nullptr));
    ChannelScreen s;
    QString error;
    QVERIFY2(s.doc.OnOpenDocument(path, &error), qPrintable(error));
    s.view.OnInitialUpdate();

    const QString outside = QStringLiteral("outside the band (130.00000 - 160.00000 MHz)");
    QCOMPARE(s.grid().CellMarkTip(1, kColRxFrequency), outside);
    QCOMPARE(s.grid().CellMarkTip(1, kColTxFrequency), outside);
    QCOMPARE(s.grid().CellMarkTip(2, kColRxFrequency),
             QStringLiteral("off the channel step (5 kHz / 6.25 kHz)"));
    const QColor fault = s.grid().CellMarkColor(1, kColRxFrequency);
    QVERIFY(fault.isValid());

    s.doc.setPlan(LowPowerPlan({14500000}));
    QCOMPARE(s.grid().CellMarkTip(1, kColRxFrequency),
             outside + QStringLiteral("\nLow: not a frequency of the plan"));
    QCOMPARE(s.grid().CellMarkColor(1, kColRxFrequency), fault);
    QVERIFY(s.grid().CellMarkColor(1, kColPower).isValid());
    QVERIFY(s.grid().CellMarkColor(1, kColPower) != fault);
}

TEST_CLASS(ChannelMarksTest)
#include "tst_channel_marks.moc"
