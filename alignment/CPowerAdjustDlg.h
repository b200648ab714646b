#pragma once
// Power Adjust: the low- and high-power calibration of every band point, edited in
// place in a grid, stored on OK and before Write; Cancel and the close box store
// nothing (what Read put into the image stays there).

#include "alignment/AlignmentDialog.h"

class QLineEdit;

class CPowerAdjustDlg : public AlignmentDialog {
    Q_OBJECT
public:
    CPowerAdjustDlg(CProgramDoc* document, BandLimits band, const TransferContext& run,
                    QWidget* parent = nullptr);

    QLineEdit* cellEditor() const { return m_editor; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    void layOut();
    void updateHighLight();
    void onMouseDown(int button, int shift, int x, int y);

    QLineEdit* m_editor;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
