#pragma once
// Sql Adjust: the squelch offset of every band point, chosen from a list of -5..5 in
// place. There is no OK or Cancel: every way of closing stores the grid. Enter and Esc
// never close it, and characters beyond ASCII are ignored.

#include "alignment/AlignmentDialog.h"

class QComboBox;

class CSqlAdjustDlg : public AlignmentDialog {
    Q_OBJECT
public:
    CSqlAdjustDlg(CProgramDoc* document, BandLimits band, const TransferContext& run,
                  QWidget* parent = nullptr);
    ~CSqlAdjustDlg() override;

    QComboBox* listEditor() const { return m_list; }

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void onMouseDown(int button, int shift, int x, int y);
    bool isSwallowedKey(QObject* watched, QEvent* event) const;

    QComboBox* m_list;
};
