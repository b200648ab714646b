#pragma once
// What Power Adjust and Sql Adjust share: the document whose image they edit, the band
// rows, the grid and its values (the calibration table given says which: low and high
// power, or the squelch offset), an in-place editor (a line edit or a list) over the
// current cell, and the Read and Write buttons with their exchange (TransferController).
//
// Every change a dialog makes to the image (storing the grid, a successful read) is an
// undoable edit of the document; one that changes no byte leaves no step.

#include "link/TransferJob.h"
#include "radio/Calibration.h"
#include "ui/TransferController.h"

#include <QDialog>
#include <vector>

class CMSFlexGrid;
class CellEditorOverlay;
class CProgramDoc;
class QPushButton;

class AlignmentDialog : public QDialog {
    Q_OBJECT
public:
    CMSFlexGrid* grid() const { return m_grid; }
    QPushButton* readButton() const { return m_read; }
    QPushButton* writeButton() const { return m_write; }

    // The links the Read and Write exchanges use (by default the session's serial ports).
    void setLinkFactory(LinkFactory linkFactory);
    // True while a Read or Write runs. Closing the dialog meanwhile asks first; when
    // the user insists, the exchange is cancelled and the dialog closes once it ended.
    bool isTransferring() const;

public slots:
    void done(int result) override;

signals:
    // A Read or Write ended and its message was answered.
    void transferDone(bool succeeded);

protected:
    // The port and the trace of Read and Write, the messages and the language come
    // from `run`.
    AlignmentDialog(CProgramDoc* document, BandLimits band, CalibrationTable table,
                    const TransferContext& run, QWidget* parent);
    ~AlignmentDialog() override;

    Language language() const { return m_language; }
    const RadioImage& image() const;
    // False while an exchange runs (see isTransferring); done(result) is called again
    // once it ended, when the user chose to close.
    bool closesNow(int result);
    // The band points that have a table row (at most 11); grid row r shows point r - 1.
    const std::vector<int>& points() const { return m_points; }
    int pointCount() const { return static_cast<int>(m_points.size()); }

    // Rows and columns, fixed ones included; column widths in twips; every column
    // centred; column 0 labelled with the band points.
    void layOutGrid(int cols, const std::vector<int>& colWidths);

    // The in-place editor of the grid's cells, hidden until openEditor(). It commits
    // into its cell when it loses the focus to anything but its own popup.
    void setCellEditor(QWidget* editor);
    // Moves the editor over the current cell, shows it with the cell's text, focuses it.
    void openEditor();
    // Closes an open editor into its cell, its value clamped by the table's rule.
    void commitEditor();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Image -> grid, by the table's fill rules.
    void fillGrid();
    // Grid -> image (an open editor committed first), by the table's store rules, as
    // one edit of the document.
    void storeGrid();

private:
    void onRead();
    void onWrite();
    void startTransfer(TransferDirection direction);
    TransferController::Hooks transferHooks();
    void storeReadTable(const RadioImage& read);
    void setBusy(bool busy);

    CProgramDoc* m_document;
    std::vector<int> m_points;
    CMSFlexGrid* m_grid;
    CellEditorOverlay* m_overlay;
    QPushButton* m_read;
    QPushButton* m_write;
    QWidget* m_cellEditor = nullptr;
    bool m_committing = false;
    CalibrationTable m_table;
    Language m_language;
    TransferController* m_transfer;
};
