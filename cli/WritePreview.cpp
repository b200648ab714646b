#include "cli/WritePreview.h"

#include "cli/CliSupport.h"
#include "cli/ImageDifferences.h"
#include "cli/LinkSupport.h"
#include "config/ProductCatalog.h"
#include "document/ChannelEdit.h"
#include "link/LinkProtocol.h"
#include "radio/ChannelCodec.h"

#include <QTextStream>

QCommandLineOption YesOption() {
    return QCommandLineOption(QStringLiteral("yes"),
                              QStringLiteral("Write the changes shown without asking."));
}

bool CanConfirm(const QString& command, const QCommandLineParser& parser) {
    if (parser.isSet(QStringLiteral("yes")) || IsTerminal(stdin))
        return true;
    PrintError(QStringLiteral("%1: standard input is not a terminal, so the changes cannot be "
                              "confirmed; nothing was read or written (--yes writes them "
                              "without asking)")
                   .arg(command));
    return false;
}

void WarnFrequencyFaults(const RadioImage& image, const QString& iniPath) {
    const BandLimits band = ImportBand(iniPath, image).value_or(BandLimits{});
    for (const ChannelFrequencyFault& fault : ImageFrequencyFaults(image, band))
        PrintError(QStringLiteral("warning: ") + FrequencyFaultLine(fault, band, Language::English));
}

namespace {

// "y" or "yes", in any case; anything else, or the end of the input, is no.
bool AnswerIsYes() {
    std::fflush(stdout); // the changes first
    std::fputs("Write these changes? [y/N] ", stderr);
    std::fflush(stderr);
    QTextStream input(stdin);
    const QString answer = input.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

} // namespace

Confirmation ConfirmChanges(const RadioImage& held, const RadioImage& image, bool alignment,
                            bool yes, const QString& iniPath) {
    const QStringList lines =
        ImageDifferences(held, ImageAfterWrite(held, image, alignment), Language::English, iniPath);
    if (lines.isEmpty()) {
        PrintOut(QStringLiteral("nothing to change: the radio already holds the image\n"));
        return Confirmation::NothingToChange;
    }
    PrintOut(lines.join(u'\n') + u'\n');
    return yes || AnswerIsYes() ? Confirmation::Write : Confirmation::Declined;
}
