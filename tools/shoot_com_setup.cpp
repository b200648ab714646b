// Draws the COM Setup dialog into a PNG for the README, in English or Chinese, as it
// looks with a USB programming cable plugged in as COM1 (the port list is staged, so
// the picture does not depend on the machine that takes it).
//   shoot_com_setup OUTPUT.png English|Chinese

#include "dialogs/CComSetupDlg.h"
#include "link/DetectedPorts.h"
#include "config/ProgramIni.h"
#include "link/RunSession.h"
#include "config/StartupConfig.h"
#include "config/UserStore.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

QList<DetectedPort> StagedPorts() {
    DetectedPort cable;
    cable.device = QStringLiteral("/dev/ttyUSB0");
    cable.description = QStringLiteral("USB-Serial Controller");
    cable.manufacturer = QStringLiteral("Prolific Technology Inc.");
    cable.isUsb = true;
    cable.vendorId = 0x067b;
    cable.productId = 0x2303;
    DetectedPort builtIn;
    builtIn.device = QStringLiteral("/dev/ttyS0");
    return {cable, builtIn};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: shoot_com_setup OUTPUT.png English|Chinese\n");
        return 2;
    }
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication app(argc, argv);
    StartupConfig& config = StartupConfigForTests();
    config.chineseLanguage = QString::fromLocal8Bit(argv[2]) == QLatin1String("Chinese");
    config.iniFilePath = settings.filePath(QStringLiteral("Program.ini"));
    WriteProfileString(config.iniFilePath, QStringLiteral("Setup"), QStringLiteral("AppName"),
                       QStringLiteral("RadioProgrammer"));
    UserStore(config.iniFilePath).writeNumber(QStringLiteral("com"), 1);
    SetPortLister(StagedPorts);
    RunSession session;
    CComSetupDlg dialog(session, config.iniFilePath);
    dialog.setPortProbe(
        [](const QString& device) { return FindPort(StagedPorts(), device) != nullptr; });
    bool saved = false;
    QTimer::singleShot(200, &dialog, [&] {
        saved = dialog.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
        dialog.reject();
    });
    dialog.exec();
    return saved ? 0 : 1;
}
