#include "document/ChannelPlan.h"

#include "config/InstallLayout.h"
#include "document/ChannelEdit.h"
#include "radio/ChannelRecord.h"
#include "radio/ImageMap.h"
#include "radio/OwnTexts.h"
#include "radio/ToneCodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// A plan file is a few kilobytes; anything far larger is not a plan.
constexpr qint64 kPlanMaxBytes = 256 * 1024;

QString Text(const QJsonValue& value) {
    return value.isDouble() ? QString::number(value.toDouble(), 'f', 6) : value.toString().trimmed();
}

// A decimal number of at most three whole digits in 10 Hz units when read as MHz; 0
// when the value is not such a number.
long long DecimalUnits(const QJsonValue& value) {
    static const QRegularExpression decimal(QStringLiteral("^\\d{1,3}(\\.\\d+)?$"));
    const QString text = Text(value);
    return decimal.match(text).hasMatch() ? ReadFrequency(text).units : 0;
}

// Reads the JSON values of one plan file; the first fault ends the reading with its
// message (`error` stays set).
class PlanReader {
public:
    explicit PlanReader(QString* error) : m_error(error) {}

    bool ok() const { return m_error->isEmpty(); }

    bool fail(const QString& what) {
        if (ok())
            *m_error = what;
        return false;
    }

    // A frequency in MHz, as a string ("446.00625") or a number, in 10 Hz units; 0 with
    // the error set when it is not one the radio can hold.
    long long frequency(const QJsonValue& value, const QString& where) {
        const long long units = DecimalUnits(value);
        if (units <= 0)
            fail(QStringLiteral("%1: \"%2\" is not a frequency in MHz").arg(where, Text(value)));
        else if (!IsOnChannelStep(units))
            fail(QStringLiteral("%1: %2 MHz is on neither the 5 kHz nor the 6.25 kHz channel step")
                     .arg(where, Text(value)));
        return units;
    }

    // A channel step in kHz ("12.5"), in 10 Hz units.
    long long step(const QJsonValue& value, const QString& where) {
        const long long thousandths = DecimalUnits(value); // the kHz number read as MHz
        if (thousandths <= 0 || thousandths % 1000 != 0) {
            fail(QStringLiteral("%1: \"%2\" is not a step in kHz").arg(where, Text(value)));
            return 0;
        }
        return thousandths / 1000;
    }

    Tone tone(const QJsonValue& value, const QString& where) {
        const QString text = value.isUndefined() ? QStringLiteral("None") : value.toString();
        static const QStringList tones = ToneList(Language::English);
        if (!tones.contains(text))
            fail(QStringLiteral("%1: \"%2\" is not a tone (None, a CTCSS tone such as 67.0, or a "
                                "DCS code such as D023N)")
                     .arg(where, text));
        return Tone{ToneTextToCode(text)};
    }

    template <typename T>
    std::optional<T> word(const QJsonValue& value, const QString& where,
                          std::initializer_list<std::pair<const char*, T>> words) {
        if (value.isUndefined())
            return std::nullopt;
        for (const auto& [text, meaning] : words) {
            if (value.toString().compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
                return meaning;
        }
        QStringList allowed;
        for (const auto& pair : words)
            allowed << QLatin1String(pair.first);
        fail(QStringLiteral("%1: \"%2\" is not one of %3")
                 .arg(where, value.toString(), allowed.join(QStringLiteral(", "))));
        return std::nullopt;
    }

    std::optional<Bandwidth> bandwidth(const QJsonValue& value, const QString& where) {
        return word<Bandwidth>(value, where,
                               {{"Narrow", Bandwidth::Narrow}, {"Wide", Bandwidth::Wide}});
    }
    std::optional<Power> power(const QJsonValue& value, const QString& where) {
        return word<Power>(value, where, {{"Low", Power::Low}, {"High", Power::High}});
    }

private:
    QString* m_error;
};

void ReadTexts(const QJsonValue& value, QString texts[2]) {
    if (value.isString()) {
        texts[0] = texts[1] = value.toString();
        return;
    }
    const QJsonObject forms = value.toObject();
    texts[0] = forms.value(QStringLiteral("en")).toString();
    texts[1] = forms.value(QStringLiteral("zh")).toString(texts[0]);
}

PlanRules ReadRules(const QJsonObject& object, PlanReader& reader) {
    PlanRules rules;
    const QJsonArray list = object.value(QStringLiteral("frequencies")).toArray();
    for (int i = 0; i < list.size(); ++i)
        rules.frequencies.push_back(
            reader.frequency(list[i], QStringLiteral("rules.frequencies[%1]").arg(i)));
    const QJsonArray ranges = object.value(QStringLiteral("ranges")).toArray();
    for (int i = 0; i < ranges.size(); ++i) {
        const QJsonObject range = ranges[i].toObject();
        const QString where = QStringLiteral("rules.ranges[%1]").arg(i);
        PlanFrequencyRange r;
        r.low = reader.frequency(range.value(QStringLiteral("from")), where + QStringLiteral(".from"));
        r.high = reader.frequency(range.value(QStringLiteral("to")), where + QStringLiteral(".to"));
        r.step = reader.step(range.value(QStringLiteral("step_khz")), where + QStringLiteral(".step_khz"));
        if (reader.ok() && r.high < r.low)
            reader.fail(where + QStringLiteral(": \"to\" lies below \"from\""));
        rules.ranges.push_back(r);
    }
    rules.bandwidth = reader.bandwidth(object.value(QStringLiteral("bandwidth")),
                                       QStringLiteral("rules.bandwidth"));
    rules.maxPower = reader.power(object.value(QStringLiteral("max_power")),
                                  QStringLiteral("rules.max_power"));
    rules.simplex = object.value(QStringLiteral("simplex")).toBool(false);
    rules.tonesAllowed = object.value(QStringLiteral("tones")).toBool(true);
    return rules;
}

// One channel of the plan; what it leaves out follows the rules (the required bandwidth,
// the highest power allowed) or a new channel's defaults.
Channel ReadPlanChannel(const QJsonObject& object, const PlanRules& rules, const QString& where,
                        PlanReader& reader) {
    Channel channel = Channel::newChannelDefaults();
    channel.rx.units = reader.frequency(object.value(QStringLiteral("rx")), where + QStringLiteral(".rx"));
    channel.tx = channel.rx;
    if (object.contains(QStringLiteral("tx")))
        channel.tx.units = reader.frequency(object.value(QStringLiteral("tx")), where + QStringLiteral(".tx"));
    channel.decodeTone = reader.tone(object.value(QStringLiteral("decode")), where + QStringLiteral(".decode"));
    channel.encodeTone = reader.tone(object.value(QStringLiteral("encode")), where + QStringLiteral(".encode"));
    channel.bandwidth = reader.bandwidth(object.value(QStringLiteral("bandwidth")), where)
                            .value_or(rules.bandwidth.value_or(Bandwidth::Wide));
    channel.power = reader.power(object.value(QStringLiteral("power")), where)
                        .value_or(rules.maxPower.value_or(Power::High));
    channel.scanAdd = object.value(QStringLiteral("scan")).toBool(true);
    return channel;
}

bool IsFrequencyAllowed(const Frequency& frequency, const PlanRules& rules) {
    return !rules.restrictsFrequencies() || rules.allowsFrequency(frequency.units);
}

} // namespace

bool PlanRules::allowsFrequency(long long units) const {
    if (std::find(frequencies.begin(), frequencies.end(), units) != frequencies.end())
        return true;
    return std::any_of(ranges.begin(), ranges.end(), [units](const PlanFrequencyRange& r) {
        return units >= r.low && units <= r.high && (units - r.low) % r.step == 0;
    });
}

bool ReadChannelPlan(const QByteArray& json, const QString& id, ChannelPlan* plan, QString* error) {
    error->clear();
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("not a JSON object (%1 at byte %2)")
                     .arg(parse.errorString())
                     .arg(parse.offset);
        return false;
    }
    const QJsonObject object = document.object();
    PlanReader reader(error);
    ChannelPlan result;
    result.id = id;
    ReadTexts(object.value(QStringLiteral("name")), result.name);
    ReadTexts(object.value(QStringLiteral("description")), result.description);
    result.source = object.value(QStringLiteral("source")).toString();
    if (result.name[0].isEmpty())
        reader.fail(QStringLiteral("the plan has no name"));
    result.rules = ReadRules(object.value(QStringLiteral("rules")).toObject(), reader);
    const QJsonArray channels = object.value(QStringLiteral("channels")).toArray();
    if (channels.isEmpty())
        reader.fail(QStringLiteral("the plan has no channels"));
    for (int i = 0; i < channels.size() && reader.ok(); ++i)
        result.channels.push_back(ReadPlanChannel(channels[i].toObject(), result.rules,
                                                  QStringLiteral("channels[%1]").arg(i), reader));
    if (!reader.ok())
        return false;
    *plan = result;
    return true;
}

std::vector<ChannelPlan> LoadChannelPlans(const QStringList& folders, QStringList* problems) {
    std::vector<ChannelPlan> plans;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
            QFile file(info.filePath());
            ChannelPlan plan;
            QString error;
            if (info.size() > kPlanMaxBytes)
                error = QStringLiteral("the file is too large for a channel plan");
            else if (!file.open(QIODevice::ReadOnly))
                error = file.errorString();
            else
                ReadChannelPlan(file.read(kPlanMaxBytes), info.completeBaseName(), &plan, &error);
            if (!error.isEmpty()) {
                problems->append(QStringLiteral("%1: %2").arg(info.filePath(), error));
                continue;
            }
            const auto same = std::find_if(plans.begin(), plans.end(), [&](const ChannelPlan& p) {
                return p.id.compare(plan.id, Qt::CaseInsensitive) == 0;
            });
            if (same != plans.end())
                *same = plan;
            else
                plans.push_back(plan);
        }
    }
    return plans;
}

std::vector<ChannelPlan> InstalledChannelPlans(QStringList* problems) {
    return LoadChannelPlans(
        ChannelPlanFolders(DetectInstallLayout(QCoreApplication::applicationDirPath())), problems);
}

QString PlanRuleText(PlanRule rule, const PlanRules& rules) {
    switch (rule) {
    case PlanRule::Frequency:
        return OwnText("not a frequency of the plan");
    case PlanRule::Simplex:
        return OwnText("the plan is simplex: transmit must equal receive");
    case PlanRule::Bandwidth:
        return rules.bandwidth == Bandwidth::Narrow ? OwnText("the plan requires Narrow")
                                                    : OwnText("the plan requires Wide");
    case PlanRule::Power:
        return OwnText("the plan allows Low power only");
    case PlanRule::Tones:
        return OwnText("the plan allows no tones");
    }
    return QString();
}

const ChannelPlan* FindChannelPlan(const std::vector<ChannelPlan>& plans, const QString& id) {
    for (const ChannelPlan& plan : plans) {
        if (plan.id.compare(id, Qt::CaseInsensitive) == 0)
            return &plan;
    }
    return nullptr;
}

std::vector<PlanBreach> ChannelBreaches(const Channel& channel, int number, const PlanRules& rules) {
    std::vector<PlanBreach> breaches;
    if (channel.empty)
        return breaches;
    const auto breach = [&](ChannelField field, PlanRule rule) {
        breaches.push_back({number, field, rule});
    };
    if (!IsFrequencyAllowed(channel.rx, rules))
        breach(ChannelField::RxFrequency, PlanRule::Frequency);
    // A channel without a transmit frequency only listens: no transmit rule applies.
    if (!channel.tx.isEmpty()) {
        if (rules.simplex && channel.tx != channel.rx)
            breach(ChannelField::TxFrequency, PlanRule::Simplex);
        else if (!IsFrequencyAllowed(channel.tx, rules))
            breach(ChannelField::TxFrequency, PlanRule::Frequency);
    }
    if (!rules.tonesAllowed && channel.decodeTone.isStored())
        breach(ChannelField::DecodeTone, PlanRule::Tones);
    if (!rules.tonesAllowed && channel.encodeTone.isStored())
        breach(ChannelField::EncodeTone, PlanRule::Tones);
    if (rules.maxPower == Power::Low && channel.power == Power::High)
        breach(ChannelField::Power, PlanRule::Power);
    if (rules.bandwidth && channel.bandwidth != *rules.bandwidth)
        breach(ChannelField::Bandwidth, PlanRule::Bandwidth);
    return breaches;
}

std::vector<PlanBreach> PlanBreaches(const RadioImage& image, const PlanRules& rules) {
    std::vector<PlanBreach> all;
    for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
        const std::vector<PlanBreach> breaches = ChannelBreaches(ReadChannel(image, number), number, rules);
        all.insert(all.end(), breaches.begin(), breaches.end());
    }
    return all;
}

int WritePlanChannels(const ChannelPlan& plan, BandLimits band, RadioImage& image, int* leftOut) {
    int written = 0;
    *leftOut = 0;
    for (const Channel& channel : plan.channels) {
        const bool inBand = channel.rx.units >= band.low && channel.rx.units <= band.high &&
                            (channel.tx.isEmpty() ||
                             (channel.tx.units >= band.low && channel.tx.units <= band.high));
        if (!inBand || written == ImageMap::kChannelCount) {
            ++*leftOut;
            continue;
        }
        WriteChannel(channel, ++written, image);
    }
    return written;
}
