// The Product Information dialog with its channel view: lists, OK, Cancel, title forms
// and the per-user values.
#include "dialogs/CProductInfoDlg.h"
#include "tests/editor/ChannelScreen.h"
#include "tests/support/TestSuite.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Runs the dialog, doing `actions` while it is up, then pressing `button`.
bool RunDialog(CProductInfoDlg& dialog, CProgramView& view, const std::function<void()>& actions,
               QDialogButtonBox::StandardButton button = QDialogButtonBox::Ok) {
    QTimer::singleShot(0, &dialog, [&] {
        actions();
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(button), Qt::LeftButton);
    });
    if (!dialog.run(*view.GetDocument()))
        return false;
    view.applyProduct(dialog.selection(), ProductTitleForm::AfterDialog);
    return true;
}

int StoredNumber(const char* name) {
    return UserStore(startupConfig().iniFilePath).readNumber(name);
}

} // namespace

class ProductInfoDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }
    void secondBandOfAField();
    void bandIndexBeyondTheList();

private:
    EditorRun m_run;
};

void ProductInfoDialogTest::secondBandOfAField() {
    CProgramDoc doc;
    CProgramView view(&doc, ChannelViewRun::Of(startupConfig()));
    view.OnInitialUpdate();
    CProductInfoDlg dialog(startupConfig().iniFilePath, Language::English);
    QStringList bands;
    const bool accepted = RunDialog(dialog, view, [&] {
        QCOMPARE(dialog.typeList()->count(), 2);
        QCOMPARE(dialog.typeList()->currentIndex(), 0);
        // Changing the model refills the band list and selects its first band.
        dialog.typeList()->setFocus();
        QTest::keyClick(dialog.typeList(), Qt::Key_Down);
        QCOMPARE(dialog.typeList()->currentText(), QString("QZ-800"));
        for (int i = 0; i < dialog.bandList()->count(); ++i)
            bands << dialog.bandList()->itemText(i);
        QCOMPARE(dialog.bandList()->currentIndex(), 0);
        dialog.bandList()->setCurrentIndex(1);
    });
    QVERIFY(accepted);
    QCOMPARE(bands, QStringList({"136 - 174MHz", "400 - 470MHz"}));
    QCOMPARE(doc.image()[ImageMap::kProductType], std::uint8_t(1));
    QCOMPARE(doc.image()[ImageMap::kProductBand], std::uint8_t(1));
    QCOMPARE(view.freqLow(), 40000000LL);
    QCOMPARE(view.title(), QString("Radio  [ Type:QZ-800  Field:400 - 470MHz ]"));
    QCOMPARE(StoredNumber("Type"), 1);
    QCOMPARE(StoredNumber("Field"), 1);
    QVERIFY(doc.isModified());

    // Opening again shows the stored choice; Cancel changes nothing.
    const RadioImage beforeCancel = doc.image();
    const bool again = RunDialog(
        dialog, view,
        [&] {
            QCOMPARE(dialog.typeList()->currentIndex(), 1);
            QCOMPARE(dialog.bandList()->currentIndex(), 1);
            dialog.typeList()->setCurrentIndex(0);
        },
        QDialogButtonBox::Cancel);
    QVERIFY(!again);
    QCOMPARE(StoredNumber("Type"), 1);
    QCOMPARE(view.freqLow(), 40000000LL);
    QVERIFY(doc.image() == beforeCancel);
}

void ProductInfoDialogTest::bandIndexBeyondTheList() {
    // A file whose band byte names no band of its model.
    CProgramDoc doc;
    doc.edit(QStringLiteral("test"), [&](RadioImage& bytes) {
        bytes[ImageMap::kProductType] = 1;
        bytes[ImageMap::kProductBand] = 5;
    });
    doc.setNotNew();
    CProgramView view(&doc, ChannelViewRun::Of(startupConfig()));
    view.OnInitialUpdate();
    // The grid takes the last band of the list (the model's rule); the dialog shows no
    // band. OK without a choice keeps the byte and the grid's band; choosing a band
    // stores it.
    QCOMPARE(view.freqHigh(), 47000000LL);
    CProductInfoDlg dialog(startupConfig().iniFilePath, Language::English);
    QVERIFY(RunDialog(dialog, view, [&] { QCOMPARE(dialog.bandList()->currentIndex(), -1); }));
    QCOMPARE(doc.image()[ImageMap::kProductBand], std::uint8_t(5));
    QCOMPARE(view.freqHigh(), 47000000LL);
    QVERIFY(RunDialog(dialog, view, [&] { dialog.bandList()->setCurrentIndex(0); }));
    QCOMPARE(doc.image()[ImageMap::kProductBand], std::uint8_t(0));
    QCOMPARE(view.freqHigh(), 17400000LL);
}

TEST_CLASS(ProductInfoDialogTest)
#include "tst_product_info_dlg.moc"
