// chprog edit: one or more channel columns set to one value on a range of channels,
// each cell checked as typing it into the grid checks it.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "config/ProductCatalog.h"
#include "document/ChannelEdit.h"
#include "radio/ImageMap.h"
#include "radio/MessageText.h"

namespace {

struct ColumnValue {
    int column = 0;
    QString text;
};

// The grid column headed `name` (its CSV heading, English or Chinese, case aside), or 0.
int ColumnNamed(const QString& name) {
    for (int column = kColRxFrequency; column < kChannelColumns; ++column) {
        for (Language language : {Language::English, Language::Chinese}) {
            if (name.compare(ChannelColumnHeading(column, language), Qt::CaseInsensitive) == 0)
                return column;
        }
    }
    return 0;
}

QString ColumnNames() {
    QStringList names;
    for (int column = kColRxFrequency; column < kChannelColumns; ++column)
        names << QStringLiteral("  ") + ChannelColumnHeading(column, Language::English);
    return names.join(u'\n');
}

// Splits COLUMN=VALUE arguments; an empty VALUE empties the cell, as in the grid.
bool ParseColumnValues(const QStringList& arguments, std::vector<ColumnValue>* values) {
    for (const QString& argument : arguments) {
        const int equals = argument.indexOf(u'=');
        if (equals <= 0) {
            PrintError(
                QStringLiteral("\"%1\" is not COLUMN=VALUE").arg(ShortenedForMessage(argument)));
            return false;
        }
        const int column = ColumnNamed(argument.left(equals).trimmed());
        if (column == 0) {
            PrintError(QStringLiteral("\"%1\" is not a channel column (see chprog edit --help)")
                           .arg(ShortenedForMessage(argument.left(equals))));
            return false;
        }
        values->push_back({column, argument.mid(equals + 1).trimmed()});
    }
    return true;
}

// Each channel in turn takes every value, in the order given.
std::vector<ChannelCellText> CellsOf(const std::vector<int>& channels,
                                     const std::vector<ColumnValue>& values) {
    std::vector<ChannelCellText> cells;
    for (int channel : channels)
        for (const ColumnValue& value : values)
            cells.push_back({channel, value.column, value.text});
    return cells;
}

} // namespace

int RunEdit(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    parser.addPositionalArgument(QStringLiteral("COLUMN=VALUE"),
                                 QStringLiteral("A channel column, headed as in the CSV files, "
                                                "and the text to commit into it."),
                                 QStringLiteral("COLUMN=VALUE..."));
    parser.addOption(QCommandLineOption(QStringLiteral("channels"),
                                        QStringLiteral("Only these channels, like 3-8 (all when "
                                                       "missing)."),
                                        QStringLiteral("A-B")));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        QStringLiteral("The .dat file to write (FILE.dat itself "
                                                       "when missing)."),
                                        QStringLiteral("OUT.dat")));
    AddConfigOption(parser);
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Sets channel columns on every channel of a range, each "
                                     "value checked as the channel grid checks a typed one "
                                     "(the band of the file's product, the channel steps; a "
                                     "setting on an empty channel is not kept). Only the "
                                     "named fields change. A refused value writes nothing and "
                                     "names the first channel that refuses it. Columns:\n") +
                          ColumnNames(),
                      &exitCode))
        return exitCode;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2) {
        PrintError(QStringLiteral("edit: expected FILE.dat and at least one COLUMN=VALUE"));
        return kExitBadInput;
    }
    std::vector<int> channels;
    if (!TakeChannelsOption(parser, &channels))
        return kExitBadInput;
    std::vector<ColumnValue> values;
    if (!ParseColumnValues(positional.mid(1), &values))
        return kExitBadInput;
    const QString inPath = positional.first();
    RadioImage image;
    if (!LoadImage(inPath, &image, &exitCode))
        return exitCode;
    const BandLimits band = ProductFromIndexes(ConfigIniPath(parser), image[ImageMap::kProductType],
                                               image[ImageMap::kProductBand])
                                .typingLimits;
    const CellRefusal refusal = CommitChannelCells(CellsOf(channels, values), band, image);
    if (refusal.refused()) {
        PrintError(CellRefusalMessage(refusal, Language::English));
        return kExitBadInput;
    }
    const QString outPath =
        parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : inPath;
    return SaveImage(outPath, image, &exitCode) ? kExitOk : exitCode;
}
