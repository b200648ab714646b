// chprog settings and chprog set: the radio settings of the Optional Features and
// Scan Information dialogs, named by the dialogs' labels and valued as they show them.

#include "cli/CliSupport.h"
#include "radio/MessageText.h"
#include "cli/Commands.h"
#include "document/RadioSettings.h"
#include "radio/OptionalFeatures.h"
#include "radio/RadioImage.h"
#include "radio/ScanInfo.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct Assignment {
    const Setting* setting;
    QString value;
};

// Splits NAME=VALUE arguments. Priority goes first, since choosing it refills the
// revert list and decides which scan fields can be changed.
bool ParseAssignments(const QStringList& arguments, std::vector<Assignment>* assignments) {
    for (const QString& argument : arguments) {
        const int equals = argument.indexOf(u'=');
        const Setting* setting =
            equals > 0 ? FindSetting(argument.left(equals).trimmed()) : nullptr;
        if (equals <= 0) {
            PrintError(
                QStringLiteral("\"%1\" is not NAME=VALUE").arg(ShortenedForMessage(argument)));
            return false;
        }
        if (!setting) {
            PrintError(QStringLiteral("\"%1\" is not a setting (see chprog set --help)")
                           .arg(ShortenedForMessage(argument.left(equals))));
            return false;
        }
        assignments->push_back({setting, argument.mid(equals + 1)});
    }
    std::stable_partition(assignments->begin(), assignments->end(), [](const Assignment& a) {
        return QLatin1String(a.setting->name) == QLatin1String("Priority");
    });
    return true;
}

QString SettingNames() {
    QStringList names;
    for (const Setting& setting : AllSettings())
        names << QStringLiteral("  ") + QLatin1String(setting.name);
    return names.join(u'\n');
}

} // namespace

int RunSettings(const QStringList& arguments) {
    QCommandLineParser parser;
    AddLanguageOption(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    int exitCode = kExitOk;
    Language language = Language::English;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Prints the settings of the Optional Features and Scan "
                                     "Information dialogs as they would show them, one "
                                     "\"Name<TAB>Value\" line each. A list without a selection "
                                     "has an empty value; check boxes show On or Off."),
                      &exitCode) ||
        !ParseLanguage(parser, &language, &exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral("settings: expected one .dat file (see --help)"));
        return kExitBadInput;
    }
    RadioImage image;
    if (!LoadImage(parser.positionalArguments().first(), &image, &exitCode))
        return exitCode;
    QString text;
    for (const auto& [name, value] : SettingValues(image, language))
        text += name + u'\t' + value + u'\n';
    PrintOut(text);
    return kExitOk;
}

int RunSet(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        QStringLiteral("The .dat file to write (FILE.dat itself "
                                                       "when missing)."),
                                        QStringLiteral("OUT.dat")));
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    parser.addPositionalArgument(QStringLiteral("NAME=VALUE"),
                                 QStringLiteral("A setting and its new value."),
                                 QStringLiteral("NAME=VALUE..."));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Changes settings of the Optional Features and Scan "
                                     "Information dialogs, named and valued as chprog settings "
                                     "prints them (values in English or Chinese), and closes "
                                     "each dialog touched with OK. A value the dialog would not "
                                     "offer writes nothing. Settings:\n") +
                          SettingNames(),
                      &exitCode))
        return exitCode;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2) {
        PrintError(QStringLiteral("set: expected FILE.dat and at least one NAME=VALUE"));
        return kExitBadInput;
    }
    const QString inPath = positional.first();
    std::vector<Assignment> assignments;
    RadioImage image;
    if (!ParseAssignments(positional.mid(1), &assignments))
        return kExitBadInput;
    if (!LoadImage(inPath, &image, &exitCode))
        return exitCode;

    const Settings before = SettingsFromImage(image, Language::English);
    Settings settings = before;
    for (const Assignment& a : assignments) {
        QString error;
        if (!a.setting->set(settings, a.value, &error)) {
            PrintError(QLatin1String(a.setting->name) + QStringLiteral(": ") + error);
            return kExitBadInput;
        }
    }
    if (settings.featuresChanged)
        OptionalFeaturesToImage(before.features, settings.features, image);
    if (settings.scanChanged && !ScanInfoToImage(settings.scan, image)) {
        PrintError(PriorityChannelRefusal(Language::English) +
                   QStringLiteral(" (Priority Channel \"%1\" is not a programmed channel)")
                       .arg(ShortenedForMessage(settings.scan.priorityChannel.trimmed())));
        return kExitBadInput;
    }
    const QString outPath =
        parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : inPath;
    return SaveImage(outPath, image, &exitCode) ? kExitOk : exitCode;
}
