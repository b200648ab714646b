#pragma once
// The Scan Infomation dialog: priority mode and channel, look-back times, revert
// channel, dropout delay and transmit dwell time. It shows the image's settings when
// it opens and writes them back on OK, after checking that a fixed priority channel
// is a programmed channel. Enter presses OK and Escape cancels.

#include "radio/Language.h"
#include "radio/RadioImage.h"
#include "radio/ScanInfo.h"

#include <QDialog>
#include <functional>

class Prompts;
class QComboBox;
class QGridLayout;
class QLineEdit;
class StepEdit;

class CScanInfoDlg : public QDialog {
    Q_OBJECT
public:
    // The refusal of a priority channel goes through `prompts`.
    CScanInfoDlg(QWidget* parent, const Prompts& prompts, Language language);

    // Runs the dialog on `image`, whose channel records must be up to date (the
    // priority channel is checked against them). True when OK changed the image;
    // Cancel, or OK without a change, leaves it as it was.
    bool run(RadioImage& image);

    // F1, with the id of the control that has the focus.
    std::function<void(int contextId)> helpRequested;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addFields(QGridLayout* grid);
    void connectFields();
    void addRow(QGridLayout* grid, int row, const char* label, QWidget* field, int controlId);
    StepEdit* addStepEdit(QGridLayout* grid, int row, const char* label, int controlId,
                          bool digitsOnly);

    // The dialog's held values and its fields.
    bool takeFieldValues();
    void showFieldValues();
    void applyPriorityRules();

    // Spin steps and leaving a field, for the look-back times and the delays.
    void stepLookBack(double ScanInfo::*time, int change);
    void leaveLookBack(double ScanInfo::*time);
    void stepDelay(int ScanInfo::*delay, int change);
    void leaveDelay(int ScanInfo::*delay);
    void leaveFocusedField();

    void onOk();
    void warn(const QString& message);

    const Prompts& m_prompts;
    Language m_language;
    RadioImage m_image{};   // the image as it was when the dialog opened
    RadioImage m_written{}; // what OK produced
    ScanInfo m_values;
    bool m_warning = false; // a message is up: focus changes are not the user's

    QComboBox* m_priority = nullptr;
    QLineEdit* m_priorityChannel = nullptr;
    StepEdit* m_lookBackA = nullptr;
    StepEdit* m_lookBackB = nullptr;
    QComboBox* m_revertChannel = nullptr;
    StepEdit* m_dropoutDelay = nullptr;
    StepEdit* m_txDwellTime = nullptr;
};
