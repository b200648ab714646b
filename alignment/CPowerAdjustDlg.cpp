#include "alignment/CPowerAdjustDlg.h"

#include "ui/CMSFlexGrid.h"
#include "ui/CommandIds.h"
#include "alignment/DialogUnits.h"
#include "ui/HelpHook.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kCols = 3;                               // band point, low, high
const std::vector<int> kColWidths = {500, 1600, 1600}; // twips
constexpr int kEditorMaxLength = 3;
constexpr int kLeftButton = 1;

} // namespace

CPowerAdjustDlg::CPowerAdjustDlg(CProgramDoc* document, BandLimits band, const TransferContext& run,
                                 QWidget* parent)
    : AlignmentDialog(document, band, CalibrationTable::Power, run, parent),
      m_editor(new QLineEdit(this)), m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(Tr(language(), "Power Adjust", "功率調節"));
    setProperty(kHelpIdProperty, CommandId::kPowerAdjust);
    layOut();

    m_editor->setMaxLength(kEditorMaxLength);
    setCellEditor(m_editor);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CPowerAdjustDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CPowerAdjustDlg::reject);
    connect(grid(), &CMSFlexGrid::EnterCell, this, &CPowerAdjustDlg::updateHighLight);
    connect(grid(), &CMSFlexGrid::MouseDown, this, &CPowerAdjustDlg::onMouseDown);

    layOutGrid(kCols, kColWidths);
    grid()->SetTextMatrix(0, kPowerColumnLow, Tr(language(), "Low 25-150", "低功率 25-150"));
    grid()->SetTextMatrix(0, kPowerColumnHigh, Tr(language(), "High 128-250", "高功率 128-250"));
    fillGrid();
}

void CPowerAdjustDlg::layOut() {
    const DialogUnits units(this);
    setFixedSize(units.size(281, 166));
    grid()->setGeometry(units.rect(12, 11, 151, 142));
    m_ok->setGeometry(units.rect(178, 18, 40, 14));
    m_cancel->setGeometry(units.rect(220, 17, 40, 14));
    readButton()->setGeometry(units.rect(178, 39, 40, 14));
    writeButton()->setGeometry(units.rect(220, 39, 40, 14));
}

// A value still being typed (Enter chooses OK without leaving the editor) is committed
// before the grid is stored, so it is never silently dropped.
void CPowerAdjustDlg::accept() {
    if (isTransferring())
        return;
    storeGrid();
    AlignmentDialog::accept();
}

// The selection is highlighted only while the row labels are being pointed at.
void CPowerAdjustDlg::updateHighLight() {
    const int wanted =
        grid()->MouseCol() == 0 ? CMSFlexGrid::HighLightWithFocus : CMSFlexGrid::HighLightNever;
    if (grid()->HighLight() != wanted)
        grid()->SetHighLight(wanted);
}

void CPowerAdjustDlg::onMouseDown(int button, int, int, int) {
    if (button != kLeftButton)
        return;
    updateHighLight();
    if (grid()->MouseCol() != 0)
        openEditor();
}
