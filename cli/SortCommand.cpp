// chprog sort: the channels in order of receive frequency, or moved up over empty ones.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/ChannelOrder.h"
#include "radio/ImageMap.h"

namespace {

void PrintDuplicates(const RadioImage& image) {
    for (const std::vector<int>& group : DuplicateChannels(image)) {
        QStringList numbers;
        for (int number : group)
            numbers << QString::number(number);
        PrintError(QStringLiteral("note: channels %1 have the same receive frequency and tones")
                       .arg(numbers.join(QStringLiteral(", "))));
    }
}

} // namespace

int RunSort(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    parser.addOption(QCommandLineOption(QStringLiteral("channels"),
                                        QStringLiteral("Only these channels, like 3-8 (all when "
                                                       "missing)."),
                                        QStringLiteral("A-B")));
    parser.addOption(QCommandLineOption(QStringLiteral("compact"),
                                        QStringLiteral("Move the programmed channels up over the "
                                                       "empty ones, keeping their order, instead "
                                                       "of sorting.")));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        QStringLiteral("The .dat file to write (FILE.dat itself "
                                                       "when missing)."),
                                        QStringLiteral("OUT.dat")));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Sorts the programmed channels by receive frequency, the "
                                     "empty ones after them. Each channel moves with all its "
                                     "bytes and its scan-list bit. Channels with the same "
                                     "receive frequency and tones are named."),
                      &exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral("sort: use chprog sort FILE.dat [--channels A-B] [--compact]"));
        return kExitBadInput;
    }
    std::vector<int> channels;
    if (!TakeChannelsOption(parser, &channels))
        return kExitBadInput;
    const QString inPath = parser.positionalArguments().first();
    RadioImage image;
    if (!LoadImage(inPath, &image, &exitCode))
        return exitCode;
    if (parser.isSet(QStringLiteral("compact")))
        CompactChannels(image, channels);
    else
        SortChannels(image, channels);
    const QString outPath =
        parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : inPath;
    if (!SaveImage(outPath, image, &exitCode))
        return exitCode;
    PrintDuplicates(image);
    return kExitOk;
}
