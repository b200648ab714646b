#include "ui/StandInPort.h"

#include "config/StartupConfig.h"
#include "config/UserStore.h"
#include "link/DetectedPorts.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPointer>

namespace {

const QString kAlwaysUseStandIn = QStringLiteral("AlwaysUseOnlyUsbDevice");

// On the heap: the window under the question may close while it is up (that answers No).
bool UserTakesStandIn(QWidget* parent, const QString& question, bool* always) {
    const Language language = startupConfig().language();
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Question, startupConfig().applicationName, question,
                        QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::Yes);
    box->setCheckBox(new QCheckBox(
        Tr(language, "Always use the one USB serial device when the chosen port is missing",
           "所選串口不存在時總是使用唯一的 USB 串口設備"),
        box));
    const bool yes = box->exec() == QMessageBox::Yes;
    *always = yes && box && box->checkBox()->isChecked();
    if (box)
        box->deleteLater();
    return yes;
}

} // namespace

QString AskExchangeDevice(QWidget* parent, const QString& portName,
                          const std::function<void(const QString&)>& showNote) {
    const StartupConfig& run = startupConfig();
    const ExchangeDevice chosen = DeviceForExchange(portName, run.iniFilePath);
    if (!chosen.standIn)
        return chosen.device;
    UserStore store(run.iniFilePath);
    if (store.readNumber(kAlwaysUseStandIn) != 1) {
        bool always = false;
        if (!UserTakesStandIn(parent, StandInQuestion(portName, chosen, run.language()), &always))
            return chosen.device;
        if (always)
            store.writeNumber(kAlwaysUseStandIn, 1);
    }
    if (showNote)
        showNote(StandInNote(chosen, run.language()));
    return chosen.standIn->device;
}
