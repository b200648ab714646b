// Power Adjust and Sql Adjust with their grids and in-place editors.

#include "AppConfig.h"
#include "CMSFlexGrid.h"
#include "CPasswordDlg.h"
#include "CPowerAdjustDlg.h"
#include "CSqlAdjustDlg.h"
#include "ProductInfo.h"
#include "ProgramDoc.h"
#include "TestSuite.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ImageMap;

namespace {

const BandLimits k136To174 = BandLimitsFromText("136 - 174MHz"); // 5 rows
const BandLimits k130To160 = BandLimitsFromText("130 - 160MHz"); // 3 rows

// Clicks a cell the way a user does: ordinary cells in the viewport, row labels in the
// vertical header, column headings in the horizontal header.
void ClickCell(CMSFlexGrid* grid, int row, int col) {
    if (col == 0) {
        QHeaderView* header = grid->verticalHeader();
        const int y = header->sectionViewportPosition(row - 1) + header->sectionSize(row - 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->width() / 2, y));
    } else if (row == 0) {
        QHeaderView* header = grid->horizontalHeader();
        const int x = header->sectionViewportPosition(col - 1) + header->sectionSize(col - 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    } else {
        const QRect cell = grid->visualItemRect(grid->item(row - 1, col - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
}

// Types into the power cell editor at (row, col) and leaves it by clicking the
// neighbouring row's label.
void TypeIntoPowerCell(CPowerAdjustDlg& dialog, int row, int col, const QString& typed) {
    ClickCell(dialog.grid(), row, col);
    QVERIFY(dialog.cellEditor()->isVisible());
    QTest::keyClicks(dialog.cellEditor(), typed);
    ClickCell(dialog.grid(), row == 1 ? 2 : 1, 0);
    QVERIFY(!dialog.cellEditor()->isVisible());
}

// Counts the key presses that reach the object it filters.
struct KeyCounter : QObject {
    int keyPresses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++keyPresses;
        return false;
    }
};

void ShowActive(QWidget& dialog) {
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

} // namespace

class AdjustDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void powerLayoutInBothLanguages();
    void powerFillShowsDefaults();
    void powerEditorClampsAndSitsOverTheCell();
    void powerRowLabelHighlightsAndOpensNoEditor();
    void powerOkStoresAndNormalises();
    void powerEnterCommitsTheTypedValue();
    void powerCancelStoresNothing();
    void sqlLayoutAndFill();
    void sqlListEditorAndCloseStores();
    void sqlSwallowsEnterEscAndNonAscii();
    void sqlHeaderClicksOpenNoEditor();
    void screenshots();
};

void AdjustDialogsTest::init() {
    appConfig().chineseLanguage = false;
}

void AdjustDialogsTest::powerLayoutInBothLanguages() {
    CProgramDoc document;
    CPowerAdjustDlg english(&document, k136To174);
    QCOMPARE(english.windowTitle(), QString("Power Adjust"));
    CMSFlexGrid* grid = english.grid();
    QCOMPARE(grid->Rows(), 6);
    QCOMPARE(grid->Cols(), 3);
    QCOMPARE(grid->TextMatrix(0, 1), QString("Low 25-150"));
    QCOMPARE(grid->TextMatrix(0, 2), QString("High 128-250"));
    QCOMPARE(grid->TextMatrix(1, 0), QString("136"));
    QCOMPARE(grid->TextMatrix(5, 0), QString("170"));
    QVERIFY(!english.cellEditor()->isVisible());
    QCOMPARE(english.cellEditor()->maxLength(), 3);

    appConfig().chineseLanguage = true;
    CPowerAdjustDlg chinese(&document, k130To160);
    QCOMPARE(chinese.windowTitle(), QString::fromUtf8("功率調節"));
    QCOMPARE(chinese.grid()->Rows(), 4);
    QCOMPARE(chinese.grid()->TextMatrix(0, 1), QString::fromUtf8("低功率 25-150"));
    QCOMPARE(chinese.grid()->TextMatrix(0, 2), QString::fromUtf8("高功率 128-250"));
    QCOMPARE(chinese.readButton()->text(), QString("Read"));
}

void AdjustDialogsTest::powerFillShowsDefaults() {
    CProgramDoc document;
    document.edit(QStringLiteral("test"), [](RadioImage& bytes) {
        bytes[kPowerCalibration + 0] = 10;
        bytes[kPowerCalibration + 1] = 251;
        bytes[kPowerCalibration + 3] = 250;
    });
    CPowerAdjustDlg dialog(&document, k136To174);
    QCOMPARE(dialog.grid()->TextMatrix(1, 1), QString("100"));
    QCOMPARE(dialog.grid()->TextMatrix(1, 2), QString("200"));
    QCOMPARE(dialog.grid()->TextMatrix(2, 2), QString("250"));
    QCOMPARE(int(document.image()[kPowerCalibration]), 10); // opening stores nothing
}

void AdjustDialogsTest::powerEditorClampsAndSitsOverTheCell() {
    CProgramDoc document;
    CPowerAdjustDlg dialog(&document, k136To174);
    ShowActive(dialog);
    CMSFlexGrid* grid = dialog.grid();

    ClickCell(grid, 3, 2);
    QLineEdit* editor = dialog.cellEditor();
    QVERIFY(editor->isVisible());
    QCOMPARE(grid->Row(), 3);
    QCOMPARE(grid->Col(), 2);
    QCOMPARE(editor->text(), grid->TextMatrix(3, 2));
    QCOMPARE(editor->selectedText(), editor->text());
    QVERIFY(editor->hasFocus());
    // Over the cell, within a pixel or two of its lines.
    const QRect cell = grid->visualItemRect(grid->item(2, 1))
                           .translated(grid->viewport()->mapTo(&dialog, QPoint(0, 0)));
    QVERIFY2(qAbs(editor->x() - cell.x()) <= 2 && qAbs(editor->y() - cell.y()) <= 2,
             qPrintable(QString("editor %1,%2 cell %3,%4")
                            .arg(editor->x())
                            .arg(editor->y())
                            .arg(cell.x())
                            .arg(cell.y())));
    QVERIFY(qAbs(editor->width() - cell.width()) <= 2);
    QTest::keyClicks(editor, "300");
    ClickCell(grid, 1, 0);
    QCOMPARE(grid->TextMatrix(3, 2), QString("250"));

    TypeIntoPowerCell(dialog, 4, 1, "1234"); // the editor takes three characters
    QCOMPARE(grid->TextMatrix(4, 1), QString("123"));
    QVERIFY(!document.isModified()); // nothing stored yet
}

void AdjustDialogsTest::powerRowLabelHighlightsAndOpensNoEditor() {
    CProgramDoc document;
    CPowerAdjustDlg dialog(&document, k136To174);
    ShowActive(dialog);
    CMSFlexGrid* grid = dialog.grid();
    ClickCell(grid, 2, 1);
    QCOMPARE(grid->HighLight(), int(CMSFlexGrid::HighLightNever));
    ClickCell(grid, 3, 0);
    QCOMPARE(grid->HighLight(), int(CMSFlexGrid::HighLightWithFocus));
    QVERIFY(!dialog.cellEditor()->isVisible());
    ClickCell(grid, 3, 2);
    QCOMPARE(grid->HighLight(), int(CMSFlexGrid::HighLightNever));
    QVERIFY(dialog.cellEditor()->isVisible());
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {},
                      grid->visualItemRect(grid->item(0, 0)).center());
    QCOMPARE(grid->HighLight(), int(CMSFlexGrid::HighLightNever)); // right button: no change
}

void AdjustDialogsTest::powerOkStoresAndNormalises() {
    CProgramDoc document;
    document.edit(QStringLiteral("test"), [](RadioImage& bytes) {
        bytes[kPowerCalibration + 2 * 8] = 3;        // row 8, beyond the band's 5 rows
        bytes[kPowerCalibration + 2 * 10 + 1] = 255; // row 10
    });
    const RadioImage& image = document.image();
    CPowerAdjustDlg dialog(&document, k136To174);
    ShowActive(dialog);
    TypeIntoPowerCell(dialog, 1, 1, "77");
    dialog.grid()->SetTextMatrix(2, 2, "999"); // a cell text outside the limits stores the default
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(image[kPowerCalibration]), 77);
    QCOMPARE(int(image[kPowerCalibration + 3]), 200);
    QCOMPARE(int(image[kPowerCalibration + 2 * 8]), 100);
    QCOMPARE(int(image[kPowerCalibration + 2 * 10 + 1]), 200);
    QVERIFY(document.isModified());

    CProgramDoc unchanged;
    CPowerAdjustDlg again(&unchanged, k136To174);
    again.accept();
    QVERIFY(!unchanged.isModified()); // the same bytes: no unsaved changes
}

void AdjustDialogsTest::powerEnterCommitsTheTypedValue() {
    CProgramDoc document;
    CPowerAdjustDlg dialog(&document, k136To174);
    ShowActive(dialog);
    ClickCell(dialog.grid(), 5, 2);
    QTest::keyClicks(dialog.cellEditor(), "140");
    QTest::keyClick(dialog.cellEditor(), Qt::Key_Return); // chooses OK
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(int(document.image()[kPowerCalibration + 2 * 4 + 1]), 140);
}

void AdjustDialogsTest::powerCancelStoresNothing() {
    CProgramDoc document;
    const RadioImage before = document.image();
    CPowerAdjustDlg dialog(&document, k136To174);
    ShowActive(dialog);
    TypeIntoPowerCell(dialog, 1, 1, "30");
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(document.image() == before);
    QVERIFY(!document.isModified());
}

void AdjustDialogsTest::sqlLayoutAndFill() {
    CProgramDoc document;
    document.edit(QStringLiteral("test"),
                  [&](RadioImage& bytes) { bytes[kSquelchCalibration + 0] = 0x83; });
    document.edit(QStringLiteral("test"),
                  [&](RadioImage& bytes) { bytes[kSquelchCalibration + 1] = 0x03; });
    document.edit(QStringLiteral("test"),
                  [&](RadioImage& bytes) { bytes[kSquelchCalibration + 2] = 0x86; });
    document.edit(QStringLiteral("test"),
                  [&](RadioImage& bytes) { bytes[kSquelchCalibration + 3] = 0x06; });
    appConfig().chineseLanguage = true; // the same texts in both languages
    CSqlAdjustDlg dialog(&document, k136To174);
    QCOMPARE(dialog.windowTitle(), QString("Sql Adjust"));
    CMSFlexGrid* grid = dialog.grid();
    QCOMPARE(grid->Rows(), 6);
    QCOMPARE(grid->Cols(), 2);
    QCOMPARE(grid->TextMatrix(0, 1), QString("(-5~5)"));
    QCOMPARE(grid->TextMatrix(2, 0), QString("140"));
    const QStringList shown = {grid->TextMatrix(1, 1), grid->TextMatrix(2, 1),
                               grid->TextMatrix(3, 1), grid->TextMatrix(4, 1)};
    QCOMPARE(shown, (QStringList{"-3", "3", "0", "0"}));
    QCOMPARE(dialog.listEditor()->count(), 11);
    QCOMPARE(dialog.listEditor()->itemText(0), QString("-5"));
    QVERIFY(!dialog.listEditor()->isVisible());
}

void AdjustDialogsTest::sqlListEditorAndCloseStores() {
    CProgramDoc document;
    document.edit(QStringLiteral("test"),
                  [&](RadioImage& bytes) { bytes[kSquelchCalibration + 1] = 0x83; });
    // beyond the band: normalised
    document.edit(QStringLiteral("test"),
                  [&](RadioImage& bytes) { bytes[kSquelchCalibration + 9] = 0x87; });
    CSqlAdjustDlg dialog(&document, k130To160);
    ShowActive(dialog);
    CMSFlexGrid* grid = dialog.grid();
    QComboBox* list = dialog.listEditor();

    ClickCell(grid, 2, 1);
    QVERIFY(list->isVisible());
    QCOMPARE(list->currentText(), QString("-3")); // the item matching the cell
    QVERIFY(list->hasFocus());
    list->setCurrentIndex(list->findText("-2"));
    ClickCell(grid, 1, 0); // clicking elsewhere closes the list into the cell
    QVERIFY(!list->isVisible());
    QCOMPARE(grid->TextMatrix(2, 1), QString("-2"));
    QCOMPARE(int(document.image()[kSquelchCalibration + 1]), 0x83); // not stored yet

    // A list still open when the dialog closes is committed first.
    ClickCell(grid, 3, 1);
    list->setCurrentIndex(list->findText("4"));
    QVERIFY(dialog.close());
    QCOMPARE(int(document.image()[kSquelchCalibration + 1]), 0x82);
    QCOMPARE(int(document.image()[kSquelchCalibration + 2]), 0x04);
    QCOMPARE(int(document.image()[kSquelchCalibration + 9]), 0x00);
    QVERIFY(document.isModified());
}

void AdjustDialogsTest::sqlSwallowsEnterEscAndNonAscii() {
    CProgramDoc document;
    CSqlAdjustDlg dialog(&document, k130To160);
    ShowActive(dialog);
    int clicks = 0;
    connect(dialog.readButton(), &QPushButton::clicked, [&clicks] { ++clicks; });
    dialog.readButton()->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(&dialog, key);
        QTest::keyClick(dialog.readButton(), key);
        QTest::keyClick(dialog.grid(), key);
    }
    QVERIFY(dialog.isVisible());
    QCOMPARE(clicks, 0);

    ClickCell(dialog.grid(), 1, 1);
    QComboBox* list = dialog.listEditor();
    KeyCounter reaching;
    list->installEventFilter(&reaching);
    QTest::keyClick(list, Qt::Key_Escape);
    QKeyEvent nonAscii(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(list, &nonAscii);
    QCOMPARE(reaching.keyPresses, 0);
    QVERIFY(dialog.isVisible());
    QVERIFY(list->isVisible());
    QTest::keyClicks(list, "3"); // other keys reach the list: its search selects "3"
    QCOMPARE(reaching.keyPresses, 1);
    QCOMPARE(list->currentText(), QString("3"));
}

void AdjustDialogsTest::sqlHeaderClicksOpenNoEditor() {
    CProgramDoc document;
    CSqlAdjustDlg dialog(&document, k130To160);
    ShowActive(dialog);
    ClickCell(dialog.grid(), 2, 0);
    QVERIFY(!dialog.listEditor()->isVisible());
    ClickCell(dialog.grid(), 0, 1);
    QVERIFY(!dialog.listEditor()->isVisible());
    QTest::mouseClick(dialog.grid()->viewport(), Qt::RightButton, {},
                      dialog.grid()->visualItemRect(dialog.grid()->item(0, 0)).center());
    QVERIFY(!dialog.listEditor()->isVisible());
}

// With SHOTS_DIR set, saves pictures of both dialogs in both languages for a look.
void AdjustDialogsTest::screenshots() {
    const QString folder = qEnvironmentVariable("SHOTS_DIR");
    if (folder.isEmpty())
        QSKIP("SHOTS_DIR not set");
    CProgramDoc document;
    document.edit(QStringLiteral("test"),
                  [&](RadioImage& bytes) { bytes[kSquelchCalibration + 1] = 0x83; });
    for (const bool chinese : {false, true}) {
        appConfig().chineseLanguage = chinese;
        const QString suffix = chinese ? "zh" : "en";
        CPowerAdjustDlg power(&document, k136To174);
        ShowActive(power);
        ClickCell(power.grid(), 2, 2);
        QVERIFY(power.grab().save(folder + "/alignment-power-" + suffix + ".png"));
        CSqlAdjustDlg squelch(&document, BandLimitsFromText("400 - 470MHz"));
        ShowActive(squelch);
        ClickCell(squelch.grid(), 2, 1);
        QVERIFY(squelch.grab().save(folder + "/alignment-sql-" + suffix + ".png"));
        squelch.listEditor()->hide();
    }
    CPasswordDlg password;
    ShowActive(password);
    QTest::keyClicks(password.entry(), "4701");
    QVERIFY(password.grab().save(folder + "/alignment-password.png"));
}

TEST_CLASS(AdjustDialogsTest)
#include "tst_adjust_dialogs.moc"
