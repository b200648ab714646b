#pragma once
// The small modeless progress window of a radio transfer: OK starts the exchange,
// Cancel stops it (at once before the start, at the exchange's next check after it),
// the bar steps once per block and the label shows the percentage.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class CProcessDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProcessDlg(QWidget* parent = nullptr);

    // True once OK was pressed, that is, while an exchange runs.
    bool hasStarted() const;

    // Progress of the running exchange: `done` of `total` blocks.
    void showProgress(int done, int total);

signals:
    void startRequested();  // OK: the owner starts the exchange
    void cancelRequested(); // Cancel, Esc or the close box

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* m_progress;
    QLabel* m_percent;
    QPushButton* m_ok;
};
