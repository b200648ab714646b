#include "dialogs/COptionalFeaturesDlg.h"

#include "ui/DialogParts.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// Control ids, also the help contexts of the controls.
constexpr int kIdBatterySaver = 1005;
constexpr int kIdCallKeyDefine = 1009;
constexpr int kIdShortPress = 1010;
constexpr int kIdLongPress = 1011;
constexpr int kIdBeep = 1016;
constexpr int kIdSquelchLevel = 1116;
constexpr int kIdVoiceAnnunciation = 1117;
constexpr int kIdTimeOutTimer = 1118;
constexpr int kIdCallTone = 1119;
constexpr int kIdVoxGainLevel = 1121;
constexpr int kIdVoxDelayTime = 1123;
constexpr int kIdTotPreAlert = 1130;

// List widths in pixels, about the dialog's 48 and 106 dialog units.
constexpr int kShortListWidth = 80;
constexpr int kKeyListWidth = 170;

} // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(QWidget* parent, Language language)
    : QDialog(parent), m_language(language) {
    setWindowTitle(QStringLiteral("Optional Features"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* grid = new QGridLayout;
    addSettingLists(grid);
    addCheckBoxes(grid);
    const OkCancelButtons buttons = MakeOkCancelButtons(this);
    m_ok = buttons.ok;
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(buttons.ok, buttons.cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    filterKeysOfEveryControl();
}

// Two columns of short lists, then the key-function lists across both.
void COptionalFeaturesDlg::addSettingLists(QGridLayout* grid) {
    addList(grid, FeatureList::TimeOutTimer, "Time-Out Timer", 0, 0, kIdTimeOutTimer);
    addList(grid, FeatureList::TotPreAlert, "TOT Pre-Alert", 1, 0, kIdTotPreAlert);
    addList(grid, FeatureList::CallTone, "Call Tone", 2, 0, kIdCallTone);
    addList(grid, FeatureList::VoxGainLevel, "Vox Gain Level", 3, 0, kIdVoxGainLevel);
    addList(grid, FeatureList::VoiceAnnunciation, "Voice Annunciation", 0, 2, kIdVoiceAnnunciation);
    addList(grid, FeatureList::SquelchLevel, "Squelch Level", 1, 2, kIdSquelchLevel);
    addList(grid, FeatureList::VoxDelayTime, "Vox Delay Time", 2, 2, kIdVoxDelayTime);
    addList(grid, FeatureList::ShortPress, "Short Press", 4, 0, kIdShortPress);
    addList(grid, FeatureList::LongPress, "Long Press", 5, 0, kIdLongPress);
    // Filled, shown and written like the others, but never visible: the radio's call
    // key keeps its function through every OK.
    QLabel* callKeyLabel =
        addList(grid, FeatureList::CallKeyDefine, "Call Key Define", 6, 0, kIdCallKeyDefine);
    callKeyLabel->hide();
    m_lists[static_cast<int>(FeatureList::CallKeyDefine)]->hide();
}

void COptionalFeaturesDlg::addCheckBoxes(QGridLayout* grid) {
    m_beep = new QCheckBox(QStringLiteral("Beep"), this);
    m_beep->setObjectName(QStringLiteral("beep"));
    SetControlId(m_beep, kIdBeep);
    m_batterySaver = new QCheckBox(QStringLiteral("Battery Saver"), this);
    m_batterySaver->setObjectName(QStringLiteral("batterySaver"));
    SetControlId(m_batterySaver, kIdBatterySaver);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_beep);
    checks->addWidget(m_batterySaver);
    checks->addStretch();
    grid->addLayout(checks, 3, 2, 1, 2);
}

QLabel* COptionalFeaturesDlg::addList(QGridLayout* grid, FeatureList which, const char* label,
                                      int row, int column, int controlId) {
    // The key-function lists hold long names and span two columns.
    const bool keyList = which == FeatureList::ShortPress || which == FeatureList::LongPress ||
                         which == FeatureList::CallKeyDefine;
    auto* combo = new QComboBox(this);
    combo->setMinimumWidth(keyList ? kKeyListWidth : kShortListWidth);
    combo->setMaxVisibleItems(8);
    combo->setObjectName(QString::fromUtf8(label));
    SetControlId(combo, controlId);
    QLabel* text = RightAlignedLabel(label, this);
    grid->addWidget(text, row, column);
    grid->addWidget(combo, row, column + 1, 1, keyList ? 2 : 1);
    m_lists[static_cast<int>(which)] = combo;
    return text;
}

void COptionalFeaturesDlg::filterKeysOfEveryControl() {
    // The drop-down part of a list is a window of its own; make it exist now so that
    // its keys are filtered too.
    for (QComboBox* combo : m_lists)
        combo->view();
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool COptionalFeaturesDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (OptionalFeaturesKeyAction(key->key(), key->modifiers())) {
    case FeatureKeyAction::Swallow:
        return true;
    case FeatureKeyAction::HelpThenProcess:
        if (const int context = HelpKeyContext(watched, event); context != 0 && helpRequested)
            helpRequested(context);
        return false;
    case FeatureKeyAction::Process:
        return false;
    }
    return false;
}

bool COptionalFeaturesDlg::run(RadioImage& image) {
    fillLists();
    const OptionalFeatures shown = OptionalFeaturesFromImage(image, m_language);
    showFeatures(shown);
    m_ok->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    RadioImage written = image;
    OptionalFeaturesToImage(shown, shownFeatures(), written);
    const bool changed = written != image;
    image = written;
    return changed;
}

void COptionalFeaturesDlg::fillLists() {
    for (int i = 0; i < kFeatureListCount; ++i) {
        m_lists[i]->clear();
        m_lists[i]->addItems(FeatureListItems(static_cast<FeatureList>(i), m_language));
    }
}

void COptionalFeaturesDlg::showFeatures(const OptionalFeatures& features) {
    for (int i = 0; i < kFeatureListCount; ++i)
        m_lists[i]->setCurrentIndex(features.selection[i]);
    m_beep->setChecked(features.beep);
    m_batterySaver->setChecked(features.batterySaver);
}

OptionalFeatures COptionalFeaturesDlg::shownFeatures() const {
    OptionalFeatures features;
    for (int i = 0; i < kFeatureListCount; ++i)
        features.selection[i] = m_lists[i]->currentIndex();
    features.beep = m_beep->isChecked();
    features.batterySaver = m_batterySaver->isChecked();
    return features;
}
