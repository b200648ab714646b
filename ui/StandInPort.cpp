#include "ui/StandInPort.h"

#include "config/UserStore.h"
#include "link/DetectedPorts.h"
#include "ui/Prompts.h"

namespace {

const QString kAlwaysUseStandIn = QStringLiteral("AlwaysUseOnlyUsbDevice");

// The window under the question may close while it is up (that answers No).
bool UserTakesStandIn(const Prompts& prompts, QWidget* parent, const QString& question,
                      Language language, bool* always) {
    Prompt prompt;
    prompt.icon = QMessageBox::Question;
    prompt.text = question;
    prompt.buttons = QMessageBox::Yes | QMessageBox::No;
    prompt.defaultButton = QMessageBox::Yes;
    prompt.checkBoxText =
        Tr(language, "Always use the one USB serial device when the chosen port is missing",
           "所選串口不存在時總是使用唯一的 USB 串口設備");
    const PromptAnswer answer = prompts.show(parent, prompt);
    const bool yes = answer.button == QMessageBox::Yes;
    *always = yes && answer.checked;
    return yes;
}

} // namespace

ExchangeDeviceChoice AskExchangeDevice(const Prompts& prompts, QWidget* parent,
                                       const QString& portName, Language language,
                                       const QString& iniFilePath) {
    const ExchangeDevice chosen = DeviceForExchange(portName, iniFilePath);
    if (!chosen.standIn)
        return {chosen.device, QString()};
    UserStore store(iniFilePath);
    if (store.readNumber(kAlwaysUseStandIn) != 1) {
        bool always = false;
        if (!UserTakesStandIn(prompts, parent, StandInQuestion(portName, chosen, language),
                              language, &always))
            return {chosen.device, QString()};
        if (always)
            store.writeNumber(kAlwaysUseStandIn, 1);
    }
    return {chosen.standIn->device, StandInNote(chosen, language)};
}
