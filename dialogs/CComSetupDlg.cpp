#include "dialogs/CComSetupDlg.h"

#include "link/DetectedPorts.h"
#include "ui/HelpHook.h"
#include "link/PortNames.h"
#include "link/QtSerialLink.h"
#include "link/RunSession.h"
#include "config/UserStore.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kStoredChoice = QStringLiteral("com");
// The device of the Other… choice, kept beside the COM number, which stays as it was.
const QString kStoredDevice = QStringLiteral("device");
constexpr int kComSetupHelpId = 32777;

bool TryOpen(const QString& device) {
    QtSerialLink link;
    const bool opened = link.open(device, nullptr);
    link.close();
    return opened;
}

} // namespace

void TakeStoredPort(RunSession& session, const QString& iniPath) {
    if (!session.commandLinePort().isEmpty()) {
        session.setPortName(session.commandLinePort());
        return;
    }
    const UserStore store(iniPath);
    const QString device = store.readText(kStoredDevice);
    session.setPortName(
        !device.isEmpty() ? device : PortNameForNumber(store.readNumber(kStoredChoice, 1) & 0xFF));
}

CComSetupDlg::CComSetupDlg(RunSession& session, QString iniPath, QWidget* parent)
    : QDialog(parent), m_session(session), m_iniPath(std::move(iniPath)), m_canOpen(TryOpen),
      m_buttons(new QButtonGroup(this)), m_otherDevice(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("COM Setup"));
    setProperty(kHelpIdProperty, kComSetupHelpId);
    auto* group = new QGroupBox(QStringLiteral("COM"), this);
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    for (int i = 0; i < kPortCount; ++i) {
        auto* button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), group);
        m_buttons->addButton(button, kFirstButtonId + i);
        grid->addWidget(button, i, 0);
        auto* device = new QLabel(group);
        device->setObjectName(QStringLiteral("device%1").arg(i + 1));
        grid->addWidget(device, i, 1);
    }
    // A label of the dialog like the COM buttons: English in both languages.
    auto* other = new QRadioButton(QStringLiteral("Other…"), group);
    other->setObjectName(QStringLiteral("other"));
    m_buttons->addButton(other, kOtherButtonId);
    grid->addWidget(other, kPortCount, 0);
    m_otherDevice->setObjectName(QStringLiteral("otherDevice"));
    m_otherDevice->setEditable(true);
    m_otherDevice->setInsertPolicy(QComboBox::NoInsert);
    m_otherDevice->setMinimumContentsLength(28);
    m_otherDevice->lineEdit()->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    grid->addWidget(m_otherDevice, kPortCount, 1);
    // Choosing or typing a device picks Other….
    connect(m_otherDevice, &QComboBox::activated, other, [other] { other->setChecked(true); });
    connect(m_otherDevice->lineEdit(), &QLineEdit::textEdited, other,
            [other] { other->setChecked(true); });

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
    if (id == kOtherButtonId)
        return kOtherSelection;
    return id < 0 ? -1 : id - kFirstButtonId;
}

QString CComSetupDlg::otherDevice() const {
    const QString text = m_otherDevice->currentText().trimmed();
    // A listed port shows its description too; the device is kept as the item's data.
    const int listed = m_otherDevice->findText(text);
    return listed >= 0 ? m_otherDevice->itemData(listed).toString() : text;
}

int CComSetupDlg::exec() {
    showPorts();
    checkStoredChoice();
    return QDialog::exec();
}

// The device of each COM number, with its description when the system has it; greyed
// when absent, and the button disabled when it cannot be opened. Other… lists them all.
void CComSetupDlg::showPorts() {
    const QList<DetectedPort> ports = DetectedPorts();
    for (int i = 0; i < kPortCount; ++i) {
        const QString device = PortDevice(PortNameForNumber(i + 1), m_iniPath);
        const DetectedPort* present = FindPort(ports, device);
        auto* label = findChild<QLabel*>(QStringLiteral("device%1").arg(i + 1));
        QString text = device;
        if (present && !present->description.isEmpty())
            text += QStringLiteral(" - ") + present->description;
        label->setText(text);
        label->setEnabled(present != nullptr);
        m_buttons->button(kFirstButtonId + i)->setEnabled(m_canOpen(device));
    }
    m_otherDevice->clear();
    for (const DetectedPort& port : ports)
        m_otherDevice->addItem(port.label(), port.device);
    m_otherDevice->setCurrentIndex(-1);
}

// Checks the stored choice when it can be opened: the Other… device, else the COM number.
void CComSetupDlg::checkStoredChoice() {
    const UserStore store(m_iniPath);
    m_buttons->setExclusive(false);
    for (QAbstractButton* button : m_buttons->buttons())
        button->setChecked(false);
    m_buttons->setExclusive(true);
    const QString device = store.readText(kStoredDevice);
    if (!device.isEmpty()) {
        const int listed = m_otherDevice->findData(device);
        if (listed >= 0)
            m_otherDevice->setCurrentIndex(listed);
        else
            m_otherDevice->setEditText(device);
        m_buttons->button(kOtherButtonId)->setChecked(true);
        return;
    }
    const int stored = store.readNumber(kStoredChoice, 1);
    const bool storedOpens = stored >= 1 && stored <= kPortCount &&
                             m_canOpen(PortDevice(PortNameForNumber(stored), m_iniPath));
    if (storedOpens)
        m_buttons->button(kFirstButtonId + stored - 1)->setChecked(true);
}

void CComSetupDlg::accept() {
    UserStore store(m_iniPath);
    const QString device = selection() == kOtherSelection ? otherDevice() : QString();
    if (!device.isEmpty()) {
        m_session.setPortName(device);
        store.writeText(kStoredDevice, device);
        QDialog::accept();
        return;
    }
    // With no button checked (or Other… without a device) this stores 0, and the next
    // exchange fails to open "com0" with its message, as the choice of no port implies.
    const int number = selection() == kOtherSelection ? 0 : selection() + 1;
    m_session.setPortName(QStringLiteral("com%1").arg(number));
    store.writeNumber(kStoredChoice, number);
    store.remove(kStoredDevice);
    QDialog::accept();
}
