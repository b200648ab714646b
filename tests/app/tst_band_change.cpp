// A band change in Product Information keeps the channels the new band leaves out and
// says once how many they are.
#include "CProductInfoDlg.h"
#include "ChannelCodec.h"
#include "CommandIds.h"
#include "Modal.h"
#include "ProgramDoc.h"
#include "ProgramFixture.h"
#include "TestSuite.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

namespace {

// Edit > Product Information, choosing model `type` and band `band` (0-based), OK.
void ChooseProduct(CMainFrame* frame, int type, int band) {
    WhenModal<CProductInfoDlg>([type, band](CProductInfoDlg* dialog) {
        dialog->typeList()->setCurrentIndex(type);
        dialog->bandList()->setCurrentIndex(band);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    frame->commandAction(CommandId::kProductInformation)->trigger();
}

} // namespace

class BandChangeTest : public QObject {
    Q_OBJECT
private slots:
    void channelsOutsideTheNewBandAreKept();
};

void BandChangeTest::channelsOutsideTheNewBandAreKept() {
    RunningProgram program;
    QVERIFY(program.frame);
    ChooseProduct(program.frame, 0, 0); // QR-16V, 136 - 174MHz, whatever the last run chose
    CProgramDoc* doc = program.frame->activeDocument();
    doc->edit("three channels", [](RadioImage& image) {
        int channel = 0;
        for (const char* frequency : {"146.52000", "150.00000", "450.00000"}) {
            ChannelRow row{};
            row[kColRxFrequency] = row[kColTxFrequency] = frequency;
            EncodeChannelRow(row, ++channel, image);
        }
    });
    const RadioImage before = doc->image();
    ChooseProduct(program.frame, 1, 0); // QR-16U, 400 - 470MHz
    QCOMPARE(program.prompts.asked.size(), 1);
    QCOMPARE(
        program.prompts.asked[0].text,
        QString("2 programmed channel(s) lie outside the new band. They are kept as they are."));
    QVERIFY(std::equal(before.begin() + ImageMap::channelRecord(1),
                       before.begin() + ImageMap::channelRecord(ImageMap::kChannelCount + 1),
                       doc->image().begin() + ImageMap::channelRecord(1)));
}

TEST_CLASS(BandChangeTest)
#include "tst_band_change.moc"
