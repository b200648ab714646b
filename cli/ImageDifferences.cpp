#include "cli/ImageDifferences.h"

#include "document/ImageDifferences.h"
#include "radio/ChannelCodec.h"

namespace {

QString Line(const QStringList& fields) {
    return fields.join(u'\t');
}

QString Hex(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString CalibrationValueName(CalibrationDifference::Value value) {
    switch (value) {
    case CalibrationDifference::Value::Low:
        return QStringLiteral("Low");
    case CalibrationDifference::Value::High:
        return QStringLiteral("High");
    case CalibrationDifference::Value::Squelch:
        break;
    }
    return QStringLiteral("Squelch");
}

} // namespace

QStringList ImageDifferences(const RadioImage& a, const RadioImage& b, Language language,
                             const QString& iniPath) {
    const ImageComparison comparison = CompareImages(a, b, language, iniPath);
    QStringList lines;
    for (const ChannelDifference& d : comparison.channels) {
        const int column = static_cast<int>(FieldIndex(d.field)) + kColRxFrequency;
        lines << Line({QStringLiteral("CH %1").arg(d.channel), ChannelColumnHeading(column, language),
                       ChannelCellTexts(d.before, d.channel, language)[column],
                       ChannelCellTexts(d.after, d.channel, language)[column]});
    }
    for (const SettingDifference& d : comparison.settings)
        lines << Line({d.name, d.before, d.after});
    for (const ProductDifference& d : comparison.product)
        lines << Line({d.part == ProductDifference::Part::Type ? QStringLiteral("Type")
                                                               : QStringLiteral("Frequency"),
                       d.before, d.after});
    for (const CalibrationDifference& d : comparison.calibration)
        lines << Line({QStringLiteral("Calibration %1 MHz").arg(d.megahertz),
                       CalibrationValueName(d.value), QString::number(d.before),
                       QString::number(d.after)});
    for (const ByteDifference& d : comparison.bytes)
        lines << Line({QStringLiteral("0x") + Hex(d.address, 3), Hex(d.before, 2), Hex(d.after, 2)});
    return lines;
}
