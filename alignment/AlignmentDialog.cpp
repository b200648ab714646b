#include "AlignmentDialog.h"

#include "AlignmentMessage.h"
#include "CMSFlexGrid.h"
#include "DetectedPorts.h"
#include "EditLabels.h"
#include "ProgramDoc.h"
#include "RunSession.h"
#include "StartupConfig.h"
#include "TransferRunner.h"

#include <QFocusEvent>
#include <QPushButton>
#include <algorithm>

AlignmentDialog::AlignmentDialog(CProgramDoc* document, BandLimits band, CalibrationTable table,
                                 QWidget* parent, RunSession* session)
    : QDialog(parent), m_document(document), m_points(CalibrationPoints(band)),
      m_grid(new CMSFlexGrid(this)), m_read(new QPushButton(QStringLiteral("Read"), this)),
      m_write(new QPushButton(QStringLiteral("Write"), this)), m_table(table),
      m_ownSession(session ? nullptr : std::make_unique<RunSession>()),
      m_session(session ? session : m_ownSession.get()),
      m_transfer(new TransferRunner(LinkFactory(), this)) {
    m_read->setAutoDefault(false);
    m_write->setAutoDefault(false);
    connect(m_read, &QPushButton::clicked, this, &AlignmentDialog::onRead);
    connect(m_write, &QPushButton::clicked, this, &AlignmentDialog::onWrite);
    connect(m_transfer, &TransferRunner::finished, this, &AlignmentDialog::onTransferFinished);
}

AlignmentDialog::~AlignmentDialog() {
    // Before the session goes: the runner stops its exchange and waits.
    delete m_transfer;
}

void AlignmentDialog::setLinkFactory(LinkFactory linkFactory) {
    m_linkFactory = std::move(linkFactory);
}

bool AlignmentDialog::isTransferring() const {
    return m_transfer->isRunning();
}

void AlignmentDialog::done(int result) {
    if (isTransferring())
        return;
    QDialog::done(result);
}

const RadioImage& AlignmentDialog::image() const {
    return m_document->image();
}

void AlignmentDialog::layOutGrid(int cols, const std::vector<int>& colWidths) {
    m_grid->SetRows(pointCount() + 1);
    m_grid->SetCols(cols);
    for (int col = 0; col < cols; ++col) {
        m_grid->SetColWidth(col, colWidths[static_cast<size_t>(col)]);
        m_grid->SetColAlignment(col, CMSFlexGrid::kAlignCenterCenter);
    }
    for (int row = 1; row <= pointCount(); ++row)
        m_grid->SetTextMatrix(row, 0, QString::number(m_points[static_cast<size_t>(row - 1)]));
}

// The cell rectangle comes from the grid's twips in whole pixels (twips per pixel by
// integer division), one pixel inside the cell's lines. The grid's positions count from
// its outer corner, border included, so only the grid's own place in the dialog is added.
void AlignmentDialog::placeEditorOverCurrentCell() {
    const int twipsPerPixelX = CMSFlexGrid::kTwipsPerInch / m_grid->logicalDpiX();
    const int twipsPerPixelY = CMSFlexGrid::kTwipsPerInch / m_grid->logicalDpiY();
    const int left = m_grid->CellLeft() / twipsPerPixelX;
    const int top = m_grid->CellTop() / twipsPerPixelY;
    const int width = m_grid->CellWidth() / twipsPerPixelX + 1;
    const int height = m_grid->CellHeight() / twipsPerPixelY + 2;
    // From (left + 1, top + 1) up to, not including, (left + width, top + height).
    const QRect cell(left + 1, top + 1, width - 1, height - 1);
    m_cellEditor->setGeometry(cell.translated(m_grid->geometry().topLeft()));
    m_cellEditor->show();
    m_cellEditor->raise();
}

void AlignmentDialog::setCellEditor(QWidget* editor) {
    m_cellEditor = editor;
    m_cellEditor->hide();
    m_cellEditor->installEventFilter(this);
}

void AlignmentDialog::openEditor() {
    placeEditorOverCurrentCell();
    m_cellEditor->setFocus();
    showInEditor(m_grid->Text());
}

// Hiding the editor moves the focus away from it: the guard keeps that FocusOut from
// committing a second time.
void AlignmentDialog::commitEditor() {
    if (!m_cellEditor || !m_cellEditor->isVisible() || m_committing)
        return;
    m_committing = true;
    m_grid->SetText(cellTextFromEditor());
    m_cellEditor->hide();
    m_committing = false;
}

bool AlignmentDialog::eventFilter(QObject* watched, QEvent* event) {
    // A popup (a list's drop-down, a context menu) takes the focus only for a moment.
    if (watched == m_cellEditor && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        commitEditor();
    return QDialog::eventFilter(watched, event);
}

void AlignmentDialog::storeInDocument(const std::function<void(RadioImage&)>& store) {
    const bool power = m_table == CalibrationTable::Power;
    m_document->edit(
        EditLabel(power ? EditKind::PowerAdjust : EditKind::SqlAdjust, startupConfig().language()),
        store);
}

void AlignmentDialog::onRead() {
    startTransfer(TransferDirection::Read);
}

// A write sends what the grid shows: the grid is stored into the image first.
void AlignmentDialog::onWrite() {
    if (isTransferring())
        return;
    commitEditor();
    storeGrid();
    startTransfer(TransferDirection::Write);
}

void AlignmentDialog::startTransfer(TransferDirection direction) {
    if (isTransferring())
        return;
    setBusy(true);
    const StartupConfig& run = startupConfig();
    const QString device =
        DeviceForExchange(m_session->portName(), run.iniFilePath, run.language()).device;
    m_transfer->setLinkFactory(m_linkFactory ? m_linkFactory : m_session->serialLinks());
    m_transfer->start({direction, device, image()}, AlignmentRun(m_table, run.language()));
}

// Only a complete read reaches the image, and only the bytes of the dialog's table.
void AlignmentDialog::onTransferFinished(const TransferJob& job, const ExchangeOutcome& outcome) {
    setBusy(false);
    if (job.direction == TransferDirection::Read && outcome.succeeded()) {
        const bool power = m_table == CalibrationTable::Power;
        const EditKind kind = power ? EditKind::PowerAdjustRead : EditKind::SqlAdjustRead;
        const QVector<TransferBlock> plan = AlignmentPlan(m_table);
        m_document->edit(EditLabel(kind, startupConfig().language()), [&](RadioImage& image) {
            for (const TransferBlock& block : plan)
                std::copy_n(job.image.begin() + block.address, block.length,
                            image.begin() + block.address);
        });
        fillGrid();
    }
    showOutcome(outcome);
    emit transferDone(outcome.succeeded());
}

// The controls stay disabled while the exchange runs; the window itself stays alive.
void AlignmentDialog::setBusy(bool busy) {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->setEnabled(!busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void AlignmentDialog::showOutcome(const ExchangeOutcome& outcome) {
    if (outcome.message.isEmpty())
        return;
    QString text = outcome.message;
    if (!outcome.portDetail.isEmpty())
        text += QStringLiteral("\n\n") + outcome.portDetail;
    ShowAlignmentMessage(
        this, outcome.succeeded() ? QMessageBox::Information : QMessageBox::Warning, text);
}
