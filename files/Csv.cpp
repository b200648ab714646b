#include "files/Csv.h"

#include "radio/OwnTexts.h"

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

CsvRecordReader::CsvRecordReader(const QString& text)
    : m_text(text), m_at(text.startsWith(QChar(0xFEFF)) ? 1 : 0) {}

bool CsvRecordReader::readField(QString* field, QString* error) {
    field->clear();
    return at(u'"') ? readQuoted(field, error) : readPlain(field, error);
}

// A doubled quote is one quote of the text; a quoted field may run over lines.
bool CsvRecordReader::readQuoted(QString* field, QString* error) {
    const int openedOn = m_line;
    ++m_at;
    while (true) {
        if (atEnd()) {
            *error = OwnText("line %1: a quoted field is not closed").arg(openedOn);
            return false;
        }
        if (at(u'"')) {
            ++m_at;
            if (!at(u'"'))
                break; // the closing quote
        } else if (at(u'\n')) {
            ++m_line;
        }
        *field += m_text[m_at++];
    }
    if (!atFieldEnd()) {
        *error = OwnText("line %1: unexpected text after a closing quote").arg(m_line);
        return false;
    }
    return true;
}

bool CsvRecordReader::readPlain(QString* field, QString* error) {
    while (!atFieldEnd()) {
        if (at(u'"')) {
            *error = OwnText("line %1: a quote inside an unquoted field").arg(m_line);
            return false;
        }
        *field += m_text[m_at++];
    }
    return true;
}

bool CsvRecordReader::nextField() {
    if (at(u',')) {
        ++m_at;
        return true;
    }
    if (at(u'\r'))
        ++m_at;
    if (at(u'\n'))
        ++m_at;
    ++m_line;
    return false;
}

bool CsvRecordReader::next(CsvRow* row, QString* error) {
    while (!atEnd()) {
        row->line = m_line;
        row->fields.clear();
        QString field;
        do {
            if (!readField(&field, error))
                return false;
            row->fields << field;
        } while (nextField());
        const bool blankLine = row->fields.size() == 1 && row->fields[0].isEmpty();
        if (!blankLine)
            return true;
    }
    return false;
}

bool ParseCsv(const QString& text, std::vector<CsvRow>* rows, QString* error) {
    rows->clear();
    error->clear();
    CsvRecordReader reader(text);
    CsvRow row;
    while (reader.next(&row, error))
        rows->push_back(row);
    return error->isEmpty();
}
