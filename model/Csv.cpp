#include "Csv.h"

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvRecord(const QStringList& fields) {
    QStringList out;
    for (const QString& field : fields)
        out << CsvField(field);
    return out.join(u',') + QStringLiteral("\r\n");
}

bool ParseCsv(const QString& text, std::vector<CsvRow>* rows, QString* error) {
    rows->clear();
    int line = 1;
    int i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const int n = text.size();
    while (i < n) {
        CsvRow row;
        row.line = line;
        QString field;
        bool recordDone = false;
        while (!recordDone) {
            field.clear();
            if (i < n && text[i] == u'"') {
                const int openedOn = line;
                ++i;
                while (true) {
                    if (i >= n) {
                        *error = QStringLiteral("line %1: a quoted field is not closed").arg(openedOn);
                        return false;
                    }
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == u'\n')
                        ++line;
                    field += text[i++];
                }
                if (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n') {
                    *error = QStringLiteral("line %1: unexpected text after a closing quote").arg(line);
                    return false;
                }
            } else {
                while (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n') {
                    if (text[i] == u'"') {
                        *error = QStringLiteral("line %1: a quote inside an unquoted field").arg(line);
                        return false;
                    }
                    field += text[i++];
                }
            }
            row.fields << field;
            if (i < n && text[i] == u',') {
                ++i;
                continue;
            }
            if (i < n && text[i] == u'\r')
                ++i;
            if (i < n && text[i] == u'\n')
                ++i;
            ++line;
            recordDone = true;
        }
        const bool blankLine = row.fields.size() == 1 && row.fields[0].isEmpty();
        if (!blankLine)
            rows->push_back(row);
    }
    return true;
}
