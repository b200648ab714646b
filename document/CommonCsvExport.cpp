#include "document/CommonCsvExport.h"

#include "radio/ChannelRecord.h"
#include "document/ChannelEdit.h"
#include "files/Csv.h"
#include "radio/TextNumbers.h"

#include <QHash>

namespace {

const QStringList& HeaderColumns() {
    static const QStringList columns = {
        QStringLiteral("Location"),  QStringLiteral("Name"),      QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),    QStringLiteral("Offset"),    QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"), QStringLiteral("cToneFreq"), QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("Mode"),   QStringLiteral("TStep"),
        QStringLiteral("Skip"),      QStringLiteral("Comment")};
    return columns;
}

// The export adds these after the standard fourteen.
const QStringList& ExtraColumns() {
    static const QStringList columns = {QStringLiteral("Power"), QStringLiteral("RxDtcsCode"),
                                        QStringLiteral("CrossMode")};
    return columns;
}

QString MegahertzText(long long units) {
    return FormatFixedPoint(units * 10, 6); // 10 Hz units shown to the hertz
}

// One side of a channel's tones as the common layout names it.
struct ToneText {
    ToneKind kind = ToneKind::None;
    QString value;     // "88.5" or "023"
    QChar polarity = u'N';
};

ToneText SideOf(Tone tone) {
    const ToneMeaning meaning = MeaningOfTone(tone.code);
    ToneText side;
    side.kind = meaning.kind;
    if (meaning.kind == ToneKind::Ctcss)
        side.value = FormatFixedPoint(meaning.ctcssTenths, 1);
    if (meaning.kind == ToneKind::Dcs) {
        side.value = QStringLiteral("%1").arg(meaning.dcsCode, 3, 10, QLatin1Char('0'));
        side.polarity = meaning.dcsInverted ? u'R' : u'N';
    }
    return side;
}

// Fills Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode and CrossMode.
void WriteTones(const Channel& channel, QHash<QString, QString>* out) {
    const ToneText tx = SideOf(channel.encodeTone);
    const ToneText rx = SideOf(channel.decodeTone);
    const auto kindName = [](ToneKind k) {
        return k == ToneKind::Ctcss ? QStringLiteral("Tone")
               : k == ToneKind::Dcs ? QStringLiteral("DTCS")
                                    : QString();
    };
    if (tx.kind == ToneKind::Ctcss)
        (*out)[QStringLiteral("rToneFreq")] = tx.value;
    if (rx.kind == ToneKind::Ctcss)
        (*out)[QStringLiteral("cToneFreq")] = rx.value;
    if (tx.kind == ToneKind::Dcs)
        (*out)[QStringLiteral("DtcsCode")] = tx.value;
    if (rx.kind == ToneKind::Dcs)
        (*out)[QStringLiteral("RxDtcsCode")] = rx.value;
    if (rx.kind == ToneKind::Dcs && tx.kind != ToneKind::Dcs)
        (*out)[QStringLiteral("DtcsCode")] = rx.value;
    (*out)[QStringLiteral("DtcsPolarity")] = QString(tx.polarity) + rx.polarity;

    QString mode = QStringLiteral("Cross");
    if (tx.kind == ToneKind::None && rx.kind == ToneKind::None)
        mode.clear();
    else if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::None)
        mode = QStringLiteral("Tone");
    else if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::Ctcss && tx.value == rx.value)
        mode = QStringLiteral("TSQL");
    else if (tx.kind == ToneKind::Dcs && rx.kind == ToneKind::Dcs && tx.value == rx.value)
        mode = QStringLiteral("DTCS");
    (*out)[QStringLiteral("Tone")] = mode;
    if (mode == QLatin1String("Cross"))
        (*out)[QStringLiteral("CrossMode")] = kindName(tx.kind) + QStringLiteral("->") + kindName(rx.kind);
}

QString PowerText(Power power, const std::optional<ModelWatts>& watts) {
    if (!watts)
        return power == Power::Low ? QStringLiteral("Low") : QStringLiteral("High");
    const int tenths = power == Power::Low ? watts->lowTenths : watts->highTenths;
    return FormatFixedPoint(tenths, 1) + u'W';
}

QStringList CommonFields(int number, const Channel& channel,
                         const std::optional<ModelWatts>& watts) {
    QHash<QString, QString> out = {
        {QStringLiteral("rToneFreq"), QStringLiteral("88.5")},
        {QStringLiteral("cToneFreq"), QStringLiteral("88.5")},
        {QStringLiteral("DtcsCode"), QStringLiteral("023")},
        {QStringLiteral("RxDtcsCode"), QStringLiteral("023")},
        {QStringLiteral("CrossMode"), QStringLiteral("Tone->Tone")},
    };
    const long long rx = channel.rx.units;
    out[QStringLiteral("Location")] = QString::number(number);
    out[QStringLiteral("Frequency")] = MegahertzText(rx);
    out[QStringLiteral("Offset")] = MegahertzText(0);
    if (channel.tx.isEmpty()) {
        out[QStringLiteral("Duplex")] = QStringLiteral("off");
    } else {
        const long long tx = channel.tx.units;
        if (tx != rx) {
            out[QStringLiteral("Duplex")] = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            out[QStringLiteral("Offset")] = MegahertzText(tx > rx ? tx - rx : rx - tx);
        }
    }
    WriteTones(channel, &out);
    out[QStringLiteral("Mode")] =
        channel.bandwidth == Bandwidth::Narrow ? QStringLiteral("NFM") : QStringLiteral("FM");
    out[QStringLiteral("TStep")] = rx % kStep5kHz == 0 ? QStringLiteral("5.00") : QStringLiteral("6.25");
    out[QStringLiteral("Skip")] = channel.scanAdd ? QString() : QStringLiteral("S");
    out[QStringLiteral("Power")] = PowerText(channel.power, watts);
    QStringList fields;
    for (const QString& column : HeaderColumns() + ExtraColumns())
        fields << out.value(column);
    return fields;
}

} // namespace

QString CommonLayoutCsv(const RadioImage& image, const std::optional<ModelWatts>& watts) {
    QString text = CsvRecord(HeaderColumns() + ExtraColumns());
    // A receive-only channel (no transmit frequency) is written from its record too,
    // although the grid shows none of its settings: its scan bit, mode and power are what
    // its import wrote, and an import of this row writes them back.
    for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
        const Channel channel = ReadChannel(image, number);
        if (!channel.rx.isEmpty())
            text += CsvRecord(CommonFields(number, channel, watts));
    }
    return text;
}
