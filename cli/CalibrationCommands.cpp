// chprog calibration: the power and squelch tables of a .dat file as the Power Adjust
// and Sql Adjust dialogs show them for the file's band.

#include "radio/Calibration.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/ImageDifferences.h"
#include "config/ProductCatalog.h"
#include "radio/RadioImage.h"

#include <QFileInfo>

namespace {

// One line per band row: MHz, low, high, squelch offset.
QString CalibrationText(const RadioImage& image, BandLimits band) {
    QString text;
    for (const CalibrationRow& row : CalibrationRows(image, band))
        text += QStringLiteral("%1\t%2\t%3\t%4\n")
                    .arg(row.megahertz)
                    .arg(row.low)
                    .arg(row.high)
                    .arg(row.squelch);
    return text;
}

} // namespace

int RunCalibration(const QStringList& arguments) {
    QCommandLineParser parser;
    AddConfigOption(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The radio image."));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Prints the power and squelch calibration for the band the "
                                     "image selects in Program.ini: one line per band point, "
                                     "TAB-separated: MHz, low power, high power, squelch offset."),
                      &exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral("calibration: expected one .dat file (see --help)"));
        return kExitBadInput;
    }
    RadioImage image;
    if (!LoadImage(parser.positionalArguments().first(), &image, &exitCode))
        return exitCode;
    const QString iniPath = ConfigIniPath(parser);
    if (!QFileInfo::exists(iniPath))
        PrintError(QStringLiteral("warning: %1 does not exist; the band is empty").arg(iniPath));
    const ProductSelection product =
        ProductFromIndexes(iniPath, image[ImageMap::kProductType], image[ImageMap::kProductBand]);
    PrintOut(CalibrationText(image, product.limits));
    return kExitOk;
}
