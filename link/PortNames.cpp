#include "link/PortNames.h"

#include "config/ProgramIni.h"

#include <QRegularExpression>

namespace {

const char* const kPortsSection = "Ports";

} // namespace

QString PortNameForNumber(int number) {
    // Windows reaches COM10 and above only through the device namespace.
    if (number < 10)
        return QStringLiteral("COM%1").arg(number);
    return QStringLiteral("\\\\.\\COM%1").arg(number);
}

int PortNumberOfName(const QString& portName) {
    static const QRegularExpression comName(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM(\\d+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(portName.trimmed());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString DefaultPortDevice(int number) {
    switch (number) {
    case 1:
        return QStringLiteral("/dev/ttyUSB0");
    case 2:
        return QStringLiteral("/dev/ttyUSB1");
    case 3:
        return QStringLiteral("/dev/ttyACM0");
    case 4:
        return QStringLiteral("/dev/ttyS0");
    default:
        return QString();
    }
}

QString PortDevice(const QString& portName, const QString& iniPath) {
#ifdef Q_OS_WIN
    Q_UNUSED(iniPath);
    return portName;
#else
    if (portName.contains(u'/'))
        return portName;
    const int number = PortNumberOfName(portName);
    if (number <= 0)
        return portName;
    const QString configured = ReadProfileString(iniPath, QString::fromLatin1(kPortsSection),
                                                 QStringLiteral("COM%1").arg(number));
    if (!configured.isEmpty())
        return configured;
    const QString builtIn = DefaultPortDevice(number);
    // A number without a device (COM0, COM12) keeps its name, which then fails to open
    // with "no such device", as it does on Windows.
    return builtIn.isEmpty() ? portName : builtIn;
#endif
}
