// chprog backups: the images kept from every read and write, newest first.

#include "files/Backups.h"
#include "files/DatFile.h"
#include "radio/ChannelCodec.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "config/UserStore.h"

namespace {

// "146.52" for 146.52000, "-" for an empty channel: the 16 receive frequencies in short.
QString FrequencySummary(const RadioImage& image) {
    QStringList frequencies;
    for (const ChannelRow& row : DecodeChannels(image, Language::English)) {
        QString text = row[kColRxFrequency];
        if (text.isEmpty()) {
            frequencies << QStringLiteral("-");
            continue;
        }
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
        frequencies << text;
    }
    return frequencies.join(u' ');
}

} // namespace

int RunBackups(const QStringList& arguments) {
    QCommandLineParser parser;
    AddConfigOption(parser);
    int exitCode = kExitOk;
    if (!ParseCommand(parser, arguments,
                      QStringLiteral("Lists the images kept from every read from a radio and "
                                     "every write to one, newest first: time, read or write, the "
                                     "radio (a short name of its own bytes; \"(first)\" marks "
                                     "its first backup, kept for good), the 16 receive "
                                     "frequencies (- for an empty channel) and the file, "
                                     "TAB-separated. Restore one with chprog write --port "
                                     "DEVICE FILE."),
                      &exitCode))
        return exitCode;
    if (!parser.positionalArguments().isEmpty()) {
        PrintError(QStringLiteral("backups: use chprog backups [--config DIR]"));
        return kExitBadInput;
    }
    const QString folder = BackupFolder(UserStore(ConfigIniPath(parser)).appName());
    QString text;
    for (const BackupEntry& entry : ListBackups(folder)) {
        RadioImage image;
        const bool readable = LoadDatFile(entry.path, image, nullptr);
        const QString unreadable = QStringLiteral("(unreadable)");
        QString radio = readable ? RadioLabel(image) : unreadable;
        if (entry.first)
            radio += QStringLiteral(" (first)");
        text += QStringList{entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), BackupKindName(entry.kind),
                            radio, readable ? FrequencySummary(image) : unreadable, entry.path}
                    .join(u'\t') +
                u'\n';
    }
    PrintOut(text);
    return kExitOk;
}
