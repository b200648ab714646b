// chprog plans and check: the channel plans, and the rules an image's channels break.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Plans.h"
#include "radio/ChannelCodec.h"
#include "radio/ChannelRecord.h"
#include "radio/MessageText.h"


namespace {

std::vector<ChannelPlan> KnownPlans() {
    QStringList problems;
    const std::vector<ChannelPlan> plans = InstalledChannelPlans(&problems);
    // A broken plan file of the user's must not hide the others; it is named each time.
    for (const QString& problem : problems)
        PrintError(QStringLiteral("plan left out: ") + problem);
    return plans;
}

QString PlanIds(const std::vector<ChannelPlan>& plans) {
    QStringList ids;
    for (const ChannelPlan& plan : plans)
        ids << plan.id;
    return ids.join(QStringLiteral(", "));
}

QString BreachLine(const PlanBreach& breach, const RadioImage& image, const PlanRules& rules) {
    const int column = int(breach.field) + 1;
    const ChannelRow cells =
        ChannelCellTexts(ReadChannel(image, breach.channel), breach.channel, Language::English);
    return QStringLiteral("CH %1\t%2\t%3\t%4\n")
        .arg(breach.channel)
        .arg(ChannelColumnHeading(column, Language::English), cells[column],
             PlanRuleText(breach.rule, rules));
}

} // namespace

bool LoadNamedPlan(const QCommandLineParser& parser, ChannelPlan* plan, int* exitCode) {
    const std::vector<ChannelPlan> plans = KnownPlans();
    const QString id = parser.value(QStringLiteral("plan"));
    if (const ChannelPlan* found = FindChannelPlan(plans, id)) {
        *plan = *found;
        return true;
    }
    PrintError(QStringLiteral("--plan: \"%1\" is not a plan; the plans are %2 (see chprog plans)")
                   .arg(ShortenedForMessage(id), PlanIds(plans)));
    *exitCode = kExitBadInput;
    return false;
}

int RunPlans(const QStringList& arguments) {
    QCommandLineParser parser;
    AddLanguageOption(parser);
    int exitCode = kExitOk;
    Language language = Language::English;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Lists the channel plans: name, channel count, name and "
                                     "description, TAB-separated."),
                      &exitCode) ||
        !ParseLanguage(parser, &language, &exitCode))
        return exitCode;
    if (!parser.positionalArguments().isEmpty()) {
        PrintError(QStringLiteral("plans: takes no file"));
        return kExitBadInput;
    }
    QString out;
    for (const ChannelPlan& plan : KnownPlans()) {
        out += QStringLiteral("%1\t%2\t%3\t%4\n")
                   .arg(plan.id)
                   .arg(plan.channels.size())
                   .arg(plan.nameIn(language), plan.descriptionIn(language));
    }
    PrintOut(out);
    return kExitOk;
}

int RunCheck(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    parser.addOption(QCommandLineOption(QStringLiteral("plan"),
                                        QStringLiteral("The plan to check against (chprog plans)."),
                                        QStringLiteral("NAME")));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Lists every rule of the plan that a programmed channel "
                                     "breaks: channel, field, value, rule. Exit status 0 when "
                                     "none, 1 when some."),
                      &exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("plan"))) {
        PrintError(QStringLiteral("check: use chprog check FILE.dat --plan NAME"));
        return kExitBadInput;
    }
    ChannelPlan plan;
    RadioImage image;
    if (!LoadNamedPlan(parser, &plan, &exitCode) ||
        !LoadImage(parser.positionalArguments().first(), &image, &exitCode))
        return exitCode;
    QString out;
    const std::vector<PlanBreach> breaches = PlanBreaches(image, plan.rules);
    for (const PlanBreach& breach : breaches)
        out += BreachLine(breach, image, plan.rules);
    PrintOut(out);
    return breaches.empty() ? kExitOk : kExitFailure;
}
