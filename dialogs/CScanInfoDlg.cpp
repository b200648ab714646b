#include "dialogs/CScanInfoDlg.h"

#include "ui/DialogParts.h"
#include "ui/Prompts.h"
#include "ui/StepEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Control ids, also the help contexts of the controls.
constexpr int kIdPriority = 1001;
constexpr int kIdRevertChannel = 1002;
constexpr int kIdPriorityChannel = 1003;
constexpr int kIdLookBackTimeA = 1004;
constexpr int kIdLookBackTimeB = 1005;
constexpr int kIdDropoutDelayTime = 1006;
constexpr int kIdTxDwellTime = 1007;

constexpr int kPriorityChannelMaxLength = 2;
constexpr int kFieldWidth = 110; // about the dialog's 69 dialog units

} // namespace

CScanInfoDlg::CScanInfoDlg(QWidget* parent, const Prompts& prompts, Language language)
    : QDialog(parent), m_prompts(prompts), m_language(language) {
    setWindowTitle(QStringLiteral("Scan Infomation"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* grid = new QGridLayout;
    addFields(grid);
    const OkCancelButtons buttons = MakeOkCancelButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CScanInfoDlg::onOk);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connectFields();
    // F1 asks for help on the focused control, wherever the focus is.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CScanInfoDlg::addFields(QGridLayout* grid) {
    m_priority = new QComboBox(this);
    m_priority->addItems(PriorityItems());
    addRow(grid, 0, "Priority", m_priority, kIdPriority);
    m_priorityChannel = new QLineEdit(this);
    m_priorityChannel->setMaxLength(kPriorityChannelMaxLength);
    addRow(grid, 1, "Priority Channel", m_priorityChannel, kIdPriorityChannel);
    m_lookBackA = addStepEdit(grid, 2, "Look Back Time A", kIdLookBackTimeA, false);
    m_lookBackB = addStepEdit(grid, 3, "Look Back Time B", kIdLookBackTimeB, false);
    m_revertChannel = new QComboBox(this);
    addRow(grid, 4, "Revert Channel", m_revertChannel, kIdRevertChannel);
    m_dropoutDelay = addStepEdit(grid, 5, "Dropout Delay Time", kIdDropoutDelayTime, true);
    m_txDwellTime = addStepEdit(grid, 6, "Tx Dwell Time", kIdTxDwellTime, true);
}

void CScanInfoDlg::connectFields() {
    connect(m_priority, &QComboBox::currentIndexChanged, this, &CScanInfoDlg::applyPriorityRules);
    const auto connectLookBack = [this](StepEdit* edit, double ScanInfo::*time) {
        connect(edit, &StepEdit::stepRequested, this,
                [this, time](int change) { stepLookBack(time, change); });
        connect(edit, &StepEdit::focusLost, this, [this, time] { leaveLookBack(time); });
    };
    const auto connectDelay = [this](StepEdit* edit, int ScanInfo::*delay) {
        connect(edit, &StepEdit::stepRequested, this,
                [this, delay](int change) { stepDelay(delay, change); });
        connect(edit, &StepEdit::focusLost, this, [this, delay] { leaveDelay(delay); });
    };
    connectLookBack(m_lookBackA, &ScanInfo::lookBackTimeA);
    connectLookBack(m_lookBackB, &ScanInfo::lookBackTimeB);
    connectDelay(m_dropoutDelay, &ScanInfo::dropoutDelayTime);
    connectDelay(m_txDwellTime, &ScanInfo::txDwellTime);
}

bool CScanInfoDlg::eventFilter(QObject* watched, QEvent* event) {
    const int context = HelpKeyContext(watched, event);
    if (context != 0 && helpRequested)
        helpRequested(context);
    return QDialog::eventFilter(watched, event);
}

void CScanInfoDlg::addRow(QGridLayout* grid, int row, const char* label, QWidget* field,
                          int controlId) {
    QLabel* text = RightAlignedLabel(label, this);
    field->setObjectName(QString::fromUtf8(label));
    field->setMinimumWidth(kFieldWidth);
    SetControlId(field, controlId);
    grid->addWidget(text, row, 0);
    grid->addWidget(field, row, 1);
}

StepEdit* CScanInfoDlg::addStepEdit(QGridLayout* grid, int row, const char* label, int controlId,
                                    bool digitsOnly) {
    auto* edit =
        new StepEdit(digitsOnly ? StepEdit::Input::DigitsOnly : StepEdit::Input::AnyText, this);
    addRow(grid, row, label, edit, controlId);
    return edit;
}

bool CScanInfoDlg::run(RadioImage& image) {
    m_image = image;
    m_values = ScanInfoFromImage(image);
    {
        // The rules run once here, before the stored texts are shown, and then on
        // every change of the priority.
        const QSignalBlocker blocker(m_priority);
        m_priority->setCurrentIndex(m_values.priority);
    }
    applyPriorityRules();
    m_revertChannel->setCurrentIndex(m_values.revertChannel);
    showFieldValues();
    m_priority->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    const bool changed = m_written != image;
    image = m_written;
    return changed;
}

bool CScanInfoDlg::takeFieldValues() {
    ScanInfo taken = m_values;
    taken.priority = m_priority->currentIndex();
    taken.revertChannel = m_revertChannel->currentIndex();
    taken.priorityChannel = m_priorityChannel->text();
    struct NumberField {
        StepEdit* edit;
        double ScanInfo::*value;
    };
    for (const NumberField& field : {NumberField{m_lookBackA, &ScanInfo::lookBackTimeA},
                                     NumberField{m_lookBackB, &ScanInfo::lookBackTimeB}}) {
        if (!ReadNumberText(field.edit->text(), &(taken.*field.value))) {
            warn(NumberRequiredMessage());
            field.edit->setFocus();
            field.edit->selectAll();
            return false;
        }
    }
    struct IntegerField {
        StepEdit* edit;
        int ScanInfo::*value;
    };
    for (const IntegerField& field : {IntegerField{m_dropoutDelay, &ScanInfo::dropoutDelayTime},
                                      IntegerField{m_txDwellTime, &ScanInfo::txDwellTime}}) {
        if (!ReadIntegerText(field.edit->text(), &(taken.*field.value))) {
            warn(IntegerRequiredMessage());
            field.edit->setFocus();
            field.edit->selectAll();
            return false;
        }
    }
    m_values = taken;
    return true;
}

void CScanInfoDlg::showFieldValues() {
    m_priorityChannel->setText(m_values.priorityChannel);
    m_lookBackA->setText(LookBackText(m_values.lookBackTimeA));
    m_lookBackB->setText(LookBackText(m_values.lookBackTimeB));
    m_dropoutDelay->setText(QString::number(m_values.dropoutDelayTime));
    m_txDwellTime->setText(QString::number(m_values.txDwellTime));
}

void CScanInfoDlg::applyPriorityRules() {
    ScanInfo rules;
    rules.priority = m_priority->currentIndex();
    rules.priorityChannel = m_priorityChannel->text();
    ApplyPriorityRules(rules);
    m_priorityChannel->setText(rules.priorityChannel);
    const bool enabled = PriorityFieldsEnabled(rules.priority);
    m_priorityChannel->setEnabled(enabled);
    m_lookBackA->setEnabled(enabled);
    m_lookBackB->setEnabled(enabled);
    m_revertChannel->clear();
    m_revertChannel->addItems(RevertChannelItems(rules.priority, m_language));
    m_revertChannel->setCurrentIndex(rules.revertChannel);
}

void CScanInfoDlg::stepLookBack(double ScanInfo::*time, int change) {
    if (!takeFieldValues())
        return;
    m_values.*time = StepLookBack(m_values.*time, change);
    showFieldValues();
}

void CScanInfoDlg::leaveLookBack(double ScanInfo::*time) {
    if (m_warning || !takeFieldValues())
        return;
    m_values.*time = ClampLookBack(m_values.*time);
    showFieldValues();
}

void CScanInfoDlg::stepDelay(int ScanInfo::*delay, int change) {
    if (!takeFieldValues())
        return;
    m_values.*delay = StepScanDelay(m_values.*delay, change);
    showFieldValues();
}

void CScanInfoDlg::leaveDelay(int ScanInfo::*delay) {
    if (m_warning || !takeFieldValues())
        return;
    m_values.*delay = ClampScanDelay(m_values.*delay);
    showFieldValues();
}

// Enter presses OK without the focus leaving the field just typed into: that field is
// pulled into range first, as leaving it would, so OK stores what the user then sees.
void CScanInfoDlg::leaveFocusedField() {
    QWidget* focused = focusWidget();
    while (focused && !qobject_cast<StepEdit*>(focused))
        focused = focused->parentWidget();
    if (focused == m_lookBackA)
        leaveLookBack(&ScanInfo::lookBackTimeA);
    else if (focused == m_lookBackB)
        leaveLookBack(&ScanInfo::lookBackTimeB);
    else if (focused == m_dropoutDelay)
        leaveDelay(&ScanInfo::dropoutDelayTime);
    else if (focused == m_txDwellTime)
        leaveDelay(&ScanInfo::txDwellTime);
}

void CScanInfoDlg::onOk() {
    leaveFocusedField();
    if (!takeFieldValues())
        return;
    RadioImage written = m_image;
    if (!ScanInfoToImage(m_values, written)) {
        if (m_priorityChannel->hasSelectedText())
            m_priorityChannel->del();
        takeFieldValues();
        warn(PriorityChannelRefusal(m_language));
        return;
    }
    m_written = written;
    accept();
}

void CScanInfoDlg::warn(const QString& message) {
    m_warning = true;
    m_prompts.showError(this, message);
    m_warning = false;
}
