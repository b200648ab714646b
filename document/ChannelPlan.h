#pragma once
// A channel plan: a published set of channels (PMR446, FRS, MURS, ...) and the rules its
// users are bound by. Plans are small JSON files, shipped in the program's plans/ folder
// and added by users in their own; docs/CHANNEL-PLANS.md describes the format.
//
// The plan's channels fill a new image; its rules check the channels of any image.

#include "radio/Band.h"
#include "radio/Channel.h"
#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Frequencies from `low` to `high` (inclusive) every `step` (all in 10 Hz units).
struct PlanFrequencyRange {
    long long low = 0;
    long long high = 0;
    long long step = 0;
};

struct PlanRules {
    // The allowed frequencies: the listed ones and those of the ranges. Neither given
    // means any frequency the radio takes.
    std::vector<long long> frequencies;
    std::vector<PlanFrequencyRange> ranges;
    std::optional<Bandwidth> bandwidth; // required bandwidth
    std::optional<Power> maxPower;      // Low: High is a breach
    bool simplex = false;               // transmit must equal receive
    bool tonesAllowed = true;

    bool restrictsFrequencies() const { return !frequencies.empty() || !ranges.empty(); }
    bool allowsFrequency(long long units) const;
};

struct ChannelPlan {
    QString id; // the file's base name, as chprog --plan names it
    QString name[2];        // [Language]: English, Chinese
    QString description[2];
    QString source;         // where its frequencies were checked
    std::vector<Channel> channels;
    PlanRules rules;

    QString nameIn(Language language) const { return name[int(language)]; }
    QString descriptionIn(Language language) const { return description[int(language)]; }
};

// Reads a plan file's text. On failure returns false with `error` naming what is wrong.
bool ReadChannelPlan(const QByteArray& json, const QString& id, ChannelPlan* plan, QString* error);

// Every *.json plan of `folders`, by id; a plan of a later folder replaces one of the same
// id from an earlier folder (a user's own plans come after the shipped ones). Files that
// cannot be read are left out and named in `problems`.
std::vector<ChannelPlan> LoadChannelPlans(const QStringList& folders, QStringList* problems);

// The plans of this run: the shipped ones beside the program (or in its installed share
// folder), then the user's own (config/InstallLayout ChannelPlanFolders).
std::vector<ChannelPlan> InstalledChannelPlans(QStringList* problems);

// The plan of `id` (case-insensitive) among `plans`, or nullptr.
const ChannelPlan* FindChannelPlan(const std::vector<ChannelPlan>& plans, const QString& id);

enum class PlanRule { Frequency, Simplex, Bandwidth, Power, Tones };

struct PlanBreach {
    int channel = 0; // 1..16
    ChannelField field = ChannelField::RxFrequency;
    PlanRule rule = PlanRule::Frequency;
};

// What a breach of `rule` means, in the run's message language (radio/OwnTexts).
QString PlanRuleText(PlanRule rule, const PlanRules& rules);

// The rules that the programmed channels of `image` break, channel by channel in field
// order. Empty channels break none.
std::vector<PlanBreach> PlanBreaches(const RadioImage& image, const PlanRules& rules);

// The breaches of one channel, for marking a grid row.
std::vector<PlanBreach> ChannelBreaches(const Channel& channel, int number, const PlanRules& rules);

// Writes the plan's channels that lie inside `band` into channels 1.. of `image` (at most
// sixteen; the other channels keep their records). Returns how many were written;
// `leftOut` gets the number of plan channels outside the band or beyond sixteen.
int WritePlanChannels(const ChannelPlan& plan, BandLimits band, RadioImage& image, int* leftOut);
