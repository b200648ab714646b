#include "CComSetupDlg.h"

#include "AppConfig.h"
#include "HelpHook.h"
#include "PortNames.h"
#include "QtSerialLink.h"
#include "UserStore.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kStoredChoice = QStringLiteral("com");
constexpr int kComSetupHelpId = 32777;

bool TryOpen(const QString& device) {
    QtSerialLink link;
    const bool opened = link.open(device, nullptr);
    link.close();
    return opened;
}

} // namespace

std::function<bool(const QString&)> CComSetupDlg::canOpen = TryOpen;

void InitPortNameFromStore() {
    AppConfig& config = appConfig();
    if (!config.commandLinePort.isEmpty()) {
        config.portName = config.commandLinePort;
        return;
    }
    const int stored = UserStore(config.iniFilePath).readNumber(kStoredChoice, 1);
    config.portName = PortNameForNumber(stored & 0xFF);
}

CComSetupDlg::CComSetupDlg(QWidget* parent) : QDialog(parent), m_buttons(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("COM Setup"));
    setProperty(kHelpIdProperty, kComSetupHelpId);
    auto* group = new QGroupBox(QStringLiteral("COM"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < kPortCount; ++i) {
        auto* button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), group);
        m_buttons->addButton(button, kFirstButtonId + i);
        grid->addWidget(button, i, 0);
        auto* device = new QLabel(group);
        device->setObjectName(QStringLiteral("device%1").arg(i + 1));
        device->setEnabled(false);
        grid->addWidget(device, i, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The dialog's labels stay English in both languages, its buttons too.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CComSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CComSetupDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int CComSetupDlg::selection() const {
    const int id = m_buttons->checkedId();
    return id < 0 ? -1 : id - kFirstButtonId;
}

int CComSetupDlg::exec() {
    prepare();
    return QDialog::exec();
}

// Disables what cannot be opened, then checks the stored port if it can be opened.
void CComSetupDlg::prepare() {
    for (int i = 0; i < kPortCount; ++i) {
        const QString device = PortDevice(PortNameForNumber(i + 1));
        findChild<QLabel*>(QStringLiteral("device%1").arg(i + 1))->setText(device);
        m_buttons->button(kFirstButtonId + i)->setEnabled(canOpen(device));
    }
    const int stored = UserStore(appConfig().iniFilePath).readNumber(kStoredChoice, 1);
    m_buttons->setExclusive(false);
    for (QAbstractButton* button : m_buttons->buttons())
        button->setChecked(false);
    m_buttons->setExclusive(true);
    const bool storedOpens =
        stored >= 1 && stored <= kPortCount && canOpen(PortDevice(PortNameForNumber(stored)));
    if (storedOpens)
        m_buttons->button(kFirstButtonId + stored - 1)->setChecked(true);
}

void CComSetupDlg::accept() {
    // With no button checked this stores 0, and the next exchange fails to open "com0"
    // with its message, as the user's choice of no port implies.
    const int number = selection() + 1;
    appConfig().portName = QStringLiteral("com%1").arg(number);
    UserStore(appConfig().iniFilePath).writeNumber(kStoredChoice, number);
    QDialog::accept();
}
