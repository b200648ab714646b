// chprog new, show, export-csv and import-csv: the channel table of a .dat file.

#include "files/AtomicFile.h"
#include "radio/MessageText.h"
#include "document/ChannelCsv.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Plans.h"
#include "config/ProductCatalog.h"
#include "radio/ProductInfo.h"
#include "radio/RadioImage.h"

#include <limits>

namespace {

QCommandLineOption OutputOption(const QString& what) {
    return QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")}, what,
                              QStringLiteral("FILE"));
}

// Exactly one positional argument: the input file.
bool TakeInput(const QCommandLineParser& parser, const QString& what, QString* path,
               int* exitCode) {
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral("expected one %1 (see --help)").arg(what));
        *exitCode = kExitBadInput;
        return false;
    }
    *path = parser.positionalArguments().first();
    return true;
}

bool ParseLayout(const QCommandLineParser& parser, CsvLayout* layout) {
    const QString value = parser.value(QStringLiteral("layout"));
    if (value == QLatin1String("own") || value == QLatin1String("common")) {
        *layout = value == QLatin1String("own") ? CsvLayout::Own : CsvLayout::Common;
        return true;
    }
    PrintError(QStringLiteral("--layout: \"%1\" is not a layout; use own or common")
                   .arg(ShortenedForMessage(value)));
    return false;
}

// --band, --rows and --first-channel.
bool ParseImportOptions(const QCommandLineParser& parser, ImportOptions* options) {
    if (parser.isSet(QStringLiteral("band"))) {
        const BandLimits band = BandLimitsFromText(parser.value(QStringLiteral("band")));
        if (band.low <= 0 || band.high < band.low) {
            PrintError(
                QStringLiteral("--band: \"%1\" is not a band; write it like \"130 - 160MHz\"")
                    .arg(ShortenedForMessage(parser.value(QStringLiteral("band")))));
            return false;
        }
        options->band = band;
    }
    if (parser.isSet(QStringLiteral("rows"))) {
        LocationRange range;
        if (!ParseRange(parser.value(QStringLiteral("rows")), 0, std::numeric_limits<int>::max(),
                        &range.first, &range.last)) {
            PrintError(
                QStringLiteral("--rows: \"%1\" is not a range of Locations; write it like 0-15")
                    .arg(ShortenedForMessage(parser.value(QStringLiteral("rows")))));
            return false;
        }
        options->rows = range;
    }
    if (parser.isSet(QStringLiteral("first-channel"))) {
        bool isNumber = false;
        const int channel = parser.value(QStringLiteral("first-channel")).toInt(&isNumber);
        if (!isNumber || channel < 1 || channel > ImageMap::kChannelCount) {
            PrintError(
                QStringLiteral("--first-channel: \"%1\" is not a channel 1 to 16")
                    .arg(ShortenedForMessage(parser.value(QStringLiteral("first-channel")))));
            return false;
        }
        options->firstChannel = channel;
    }
    return true;
}

} // namespace

// --model and --band: the positions of Program.ini's model and band names (case and
// spaces aside); the first model and its first band when not given.
bool ParseProduct(const QCommandLineParser& parser, const QString& iniPath, int* type, int* band) {
    const auto chosen = [&](const QString& option, const QStringList& names, int position,
                            int* index) {
        if (!parser.isSet(option))
            return true;
        if (position >= 0) {
            *index = position;
            return true;
        }
        PrintError(QStringLiteral("--%1: \"%2\" is not one of %3")
                       .arg(option, ShortenedForMessage(parser.value(option)),
                            names.join(QStringLiteral(", "))));
        return false;
    };
    const QString model = QStringLiteral("model");
    const QString bandOption = QStringLiteral("band");
    *type = 0;
    *band = 0;
    return chosen(model, ProductTypeNames(iniPath), ModelPosition(iniPath, parser.value(model)),
                  type) &&
           chosen(bandOption, BandPieces(iniPath, *type),
                  BandPosition(iniPath, *type, parser.value(bandOption)), band);
}

// The plan's channels that the image's band holds, with a note of those left out.
bool FillFromPlan(const QCommandLineParser& parser, const QString& iniPath, RadioImage& image,
                  int* exitCode) {
    ChannelPlan plan;
    if (!LoadNamedPlan(parser, &plan, exitCode))
        return false;
    const ProductSelection product =
        ProductFromIndexes(iniPath, image[ImageMap::kProductType], image[ImageMap::kProductBand]);
    int leftOut = 0;
    const int written = WritePlanChannels(plan, product.limits, image, &leftOut);
    if (written == 0) {
        PrintError(QStringLiteral("--plan: no channel of %1 lies in %2 %3; choose another --model "
                                  "or --band")
                       .arg(plan.id, product.typeName, product.bandText));
        *exitCode = kExitBadInput;
        return false;
    }
    if (leftOut > 0)
        PrintError(QStringLiteral("note: %1 of the %2 channels of %3 left out (outside %4, or "
                                  "beyond 16)")
                       .arg(leftOut)
                       .arg(plan.channels.size())
                       .arg(plan.id, product.bandText));
    return true;
}

int RunNew(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(OutputOption(QStringLiteral("The .dat file to write.")));
    parser.addOption(QCommandLineOption(QStringLiteral("plan"),
                                        QStringLiteral("Fill the channels from a channel plan "
                                                       "(chprog plans)."),
                                        QStringLiteral("NAME")));
    parser.addOption(QCommandLineOption(QStringLiteral("model"),
                                        QStringLiteral("The model, as Program.ini names it."),
                                        QStringLiteral("MODEL")));
    parser.addOption(QCommandLineOption(QStringLiteral("band"),
                                        QStringLiteral("The band of the model, as Program.ini "
                                                       "writes it (\"400 - 470MHz\")."),
                                        QStringLiteral("BAND")));
    AddConfigOption(parser);
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Writes the radio image of a new document: sixteen empty "
                                     "channels and the factory defaults, naming the first "
                                     "model and band of Program.ini (or --model and --band). "
                                     "--plan fills the channels from a channel plan."),
                      &exitCode))
        return exitCode;
    if (!parser.isSet(QStringLiteral("o")) || !parser.positionalArguments().isEmpty()) {
        PrintError(QStringLiteral("new: use chprog new -o FILE.dat"));
        return kExitBadInput;
    }
    const QString iniPath = ConfigIniPath(parser);
    int type = 0, band = 0;
    if (!ParseProduct(parser, iniPath, &type, &band))
        return kExitBadInput;
    RadioImage image = NewImage();
    image[ImageMap::kProductType] = std::uint8_t(type);
    image[ImageMap::kProductBand] = std::uint8_t(band);
    if (parser.isSet(QStringLiteral("plan")) && !FillFromPlan(parser, iniPath, image, &exitCode))
        return exitCode;
    return SaveImage(parser.value(QStringLiteral("o")), image, &exitCode) ? kExitOk : exitCode;
}

int RunShow(const QStringList& arguments) {
    QCommandLineParser parser;
    AddLanguageOption(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    int exitCode = kExitOk;
    Language language = Language::English;
    QString path;
    RadioImage image;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Prints the 16 channels as the channel grid shows them: one "
                                     "line each, ten TAB-separated fields."),
                      &exitCode) ||
        !ParseLanguage(parser, &language, &exitCode) ||
        !TakeInput(parser, QStringLiteral(".dat file"), &path, &exitCode) ||
        !LoadImage(path, &image, &exitCode))
        return exitCode;
    QString text;
    for (const ChannelRow& row : DecodeChannels(image, language))
        text += QStringList(row.begin(), row.end()).join(u'\t') + u'\n';
    PrintOut(text);
    return kExitOk;
}

int RunExportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    AddLanguageOption(parser);
    parser.addOption(OutputOption(QStringLiteral("The CSV file to write (standard output when "
                                                 "missing).")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("layout"),
        QStringLiteral("own (default): the grid's columns; common: the Location,Name,Frequency,... "
                       "layout of other programming tools, programmed channels only, Power in "
                       "the model's watts when Program.ini names them."),
        QStringLiteral("own|common"), QStringLiteral("own")));
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    AddConfigOption(parser);
    int exitCode = kExitOk;
    Language language = Language::English;
    CsvLayout layout = CsvLayout::Own;
    QString path;
    RadioImage image;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Writes the channel table as CSV (RFC 4180, UTF-8) with a "
                                     "header line."),
                      &exitCode) ||
        !ParseLanguage(parser, &language, &exitCode))
        return exitCode;
    if (!ParseLayout(parser, &layout))
        return kExitBadInput;
    if (!TakeInput(parser, QStringLiteral(".dat file"), &path, &exitCode) ||
        !LoadImage(path, &image, &exitCode))
        return exitCode;
    const QString csv =
        ChannelCsvText(image, layout, language,
                       ModelWattsOf(ConfigIniPath(parser), image[ImageMap::kProductType]));
    if (!parser.isSet(QStringLiteral("o"))) {
        PrintOut(csv);
        return kExitOk;
    }
    const QString outPath = parser.value(QStringLiteral("o"));
    QString reason;
    if (!AtomicFile::replace(outPath, csv.toUtf8(), &reason)) {
        PrintError(QStringLiteral("%1: cannot write the file (%2)").arg(outPath, reason));
        return kExitBadInput;
    }
    return kExitOk;
}

int RunImportCsv(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(
        QStringLiteral("base"), QStringLiteral("The radio image whose other bytes are kept."),
        QStringLiteral("BASE.dat")));
    parser.addOption(OutputOption(QStringLiteral("The .dat file to write.")));
    parser.addOption(QCommandLineOption(QStringLiteral("band"),
                                        QStringLiteral("Refuse frequencies outside this band, "
                                                       "written like \"130 - 160MHz\", instead "
                                                       "of the band BASE names."),
                                        QStringLiteral("BAND")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("rows"),
        QStringLiteral("Common layout: import only the rows whose Location lies in A..B."),
        QStringLiteral("A-B")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("first-channel"),
        QStringLiteral("Common layout: put the rows, in file order, into channels N, N+1, ... "
                       "whatever their Location."),
        QStringLiteral("N")));
    parser.addPositionalArgument(QStringLiteral("IN.csv"),
                                 QStringLiteral("Channel rows, with the header line export-csv "
                                                "writes (either layout); - reads standard "
                                                "input. At most 1 MiB."));
    AddConfigOption(parser);
    int exitCode = kExitOk;
    QString csvPath;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Replaces the channels named in a CSV file (by CH, or by "
                                     "Location in the common layout) in BASE and writes the "
                                     "result. Rows are checked as the channel editor checks "
                                     "them, against the band BASE names (or --band); any "
                                     "error writes nothing."),
                      &exitCode) ||
        !TakeInput(parser, QStringLiteral("CSV file"), &csvPath, &exitCode))
        return exitCode;
    if (!parser.isSet(QStringLiteral("base")) || !parser.isSet(QStringLiteral("o"))) {
        PrintError(QStringLiteral("import-csv: --base BASE.dat and -o OUT.dat are required"));
        return kExitBadInput;
    }
    ImportOptions options;
    if (!ParseImportOptions(parser, &options))
        return kExitBadInput;
    const QString basePath = parser.value(QStringLiteral("base"));
    RadioImage image;
    if (!LoadImage(basePath, &image, &exitCode))
        return exitCode;
    const QString iniPath = ConfigIniPath(parser);
    if (!options.band)
        options.band = ImportBand(iniPath, image);
    options.watts = ModelWattsOf(iniPath, image[ImageMap::kProductType]);
    QString csv;
    QString error;
    if (!ReadChannelList(csvPath, &csv, &error)) {
        PrintError(error);
        return kExitBadInput;
    }
    CsvImportReport report;
    if (!ImportChannelCsv(csv, options, image, &report, &error)) {
        PrintError(csvPath + QStringLiteral(": ") + error);
        return kExitBadInput;
    }
    // The notes follow a written file only: a failed save says its one message.
    if (!SaveImage(parser.value(QStringLiteral("o")), image, &exitCode))
        return exitCode;
    if (!options.band)
        PrintError(QStringLiteral("note: %1 names no band, so no band was checked (--band "
                                  "checks one)")
                       .arg(basePath));
    if (report.namesDropped)
        PrintError(QStringLiteral("note: the Name and Comment columns are not imported (the radio "
                                  "keeps no channel names)"));
    return kExitOk;
}
