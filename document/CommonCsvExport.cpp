#include "document/CommonCsvExport.h"

#include "radio/ChannelCodec.h"
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

struct ToneSide {
    enum Kind { None, Ctcss, Dcs } kind = None;
};

struct ToneText {
    ToneSide::Kind kind = ToneSide::None;
    QString value;     // "88.5" or "023"
    QChar polarity = u'N';
};

ToneText SplitTone(const QString& cell) {
    ToneText tone;
    if (cell.startsWith(u'D')) {
        tone.kind = ToneSide::Dcs;
        tone.value = cell.mid(1, 3);
        tone.polarity = cell.endsWith(u'I') ? u'R' : u'N';
    } else if (!cell.isEmpty() && !IsWord(cell, Word::NoTone)) {
        tone.kind = ToneSide::Ctcss;
        tone.value = cell;
    }
    return tone;
}

// Fills Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode and CrossMode.
void WriteTones(const ChannelRow& row, QHash<QString, QString>* out) {
    const ToneText tx = SplitTone(row[kColEncodeTone]);
    const ToneText rx = SplitTone(row[kColDecodeTone]);
    const auto kindName = [](ToneSide::Kind k) {
        return k == ToneSide::Ctcss ? QStringLiteral("Tone")
               : k == ToneSide::Dcs ? QStringLiteral("DTCS")
                                    : QString();
    };
    if (tx.kind == ToneSide::Ctcss)
        (*out)[QStringLiteral("rToneFreq")] = tx.value;
    if (rx.kind == ToneSide::Ctcss)
        (*out)[QStringLiteral("cToneFreq")] = rx.value;
    if (tx.kind == ToneSide::Dcs)
        (*out)[QStringLiteral("DtcsCode")] = tx.value;
    if (rx.kind == ToneSide::Dcs)
        (*out)[QStringLiteral("RxDtcsCode")] = rx.value;
    if (rx.kind == ToneSide::Dcs && tx.kind != ToneSide::Dcs)
        (*out)[QStringLiteral("DtcsCode")] = rx.value;
    (*out)[QStringLiteral("DtcsPolarity")] = QString(tx.polarity) + rx.polarity;

    QString mode = QStringLiteral("Cross");
    if (tx.kind == ToneSide::None && rx.kind == ToneSide::None)
        mode.clear();
    else if (tx.kind == ToneSide::Ctcss && rx.kind == ToneSide::None)
        mode = QStringLiteral("Tone");
    else if (tx.kind == ToneSide::Ctcss && rx.kind == ToneSide::Ctcss && tx.value == rx.value)
        mode = QStringLiteral("TSQL");
    else if (tx.kind == ToneSide::Dcs && rx.kind == ToneSide::Dcs && tx.value == rx.value)
        mode = QStringLiteral("DTCS");
    (*out)[QStringLiteral("Tone")] = mode;
    if (mode == QLatin1String("Cross"))
        (*out)[QStringLiteral("CrossMode")] = kindName(tx.kind) + QStringLiteral("->") + kindName(rx.kind);
}

QStringList CommonFields(int channel, const ChannelRow& row) {
    QHash<QString, QString> out = {
        {QStringLiteral("rToneFreq"), QStringLiteral("88.5")},
        {QStringLiteral("cToneFreq"), QStringLiteral("88.5")},
        {QStringLiteral("DtcsCode"), QStringLiteral("023")},
        {QStringLiteral("RxDtcsCode"), QStringLiteral("023")},
        {QStringLiteral("CrossMode"), QStringLiteral("Tone->Tone")},
    };
    const long long rx = ReadFrequency(row[kColRxFrequency]).units;
    out[QStringLiteral("Location")] = QString::number(channel);
    out[QStringLiteral("Frequency")] = MegahertzText(rx);
    out[QStringLiteral("Offset")] = MegahertzText(0);
    if (row[kColTxFrequency].isEmpty()) {
        out[QStringLiteral("Duplex")] = QStringLiteral("off");
    } else {
        const long long tx = ReadFrequency(row[kColTxFrequency]).units;
        if (tx != rx) {
            out[QStringLiteral("Duplex")] = tx > rx ? QStringLiteral("+") : QStringLiteral("-");
            out[QStringLiteral("Offset")] = MegahertzText(tx > rx ? tx - rx : rx - tx);
        }
    }
    WriteTones(row, &out);
    out[QStringLiteral("Mode")] = IsWord(row[kColBandwidth], Word::Narrow) ? QStringLiteral("NFM")
                                                                            : QStringLiteral("FM");
    out[QStringLiteral("TStep")] = rx % kStep5kHz == 0 ? QStringLiteral("5.00") : QStringLiteral("6.25");
    out[QStringLiteral("Skip")] = IsWord(row[kColScanAdd], Word::ScanYes) ? QString() : QStringLiteral("S");
    out[QStringLiteral("Power")] = IsWord(row[kColPower], Word::Low) ? QStringLiteral("Low")
                                                                     : QStringLiteral("High");
    QStringList fields;
    for (const QString& column : HeaderColumns() + ExtraColumns())
        fields << out.value(column);
    return fields;
}

} // namespace

QString CommonLayoutCsv(const RadioImage& image) {
    QString text = CsvRecord(HeaderColumns() + ExtraColumns());
    const ChannelTable table = DecodeChannels(image, Language::English);
    for (int channel = 1; channel <= ImageMap::kChannelCount; ++channel) {
        const ChannelRow& row = table[channel - 1];
        if (!row[kColRxFrequency].isEmpty())
            text += CsvRecord(CommonFields(channel, row));
    }
    return text;
}
