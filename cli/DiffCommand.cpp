// chprog diff: the differences between two images, one TAB-separated line each
// (cli/ImageDifferences.h).

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/ImageDifferences.h"

int RunDiff(const QStringList& arguments) {
    QCommandLineParser parser;
    AddLanguageOption(parser);
    AddConfigOption(parser);
    parser.addPositionalArgument(QStringLiteral("A.dat"), QStringLiteral("The first image."));
    parser.addPositionalArgument(QStringLiteral("B.dat"), QStringLiteral("The second image."));
    int exitCode = kExitOk;
    Language language = Language::English;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Prints one TAB-separated line per difference between two "
                                     "images: channel cells (CH 3, column, A, B), settings, the "
                                     "product type and band, calibration points, and any other "
                                     "byte by address (bytes in hex). Exits 0 when the images are "
                                     "the same, 1 when they differ, 2 on bad input."),
                      &exitCode) ||
        !ParseLanguage(parser, &language, &exitCode))
        return exitCode;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        PrintError(QStringLiteral("diff: use chprog diff A.dat B.dat"));
        return kExitBadInput;
    }
    RadioImage a, b;
    if (!LoadImage(files[0], &a, &exitCode) || !LoadImage(files[1], &b, &exitCode))
        return exitCode;
    const QStringList lines = ImageDifferences(a, b, language, ConfigIniPath(parser));
    if (lines.isEmpty())
        return kExitOk;
    PrintOut(lines.join(u'\n') + u'\n');
    return kExitFailure;
}
