#include "files/Csv.h"

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

namespace {

// Walks the text one field at a time, counting lines for the messages.
class CsvReader {
public:
    explicit CsvReader(const QString& text)
        : m_text(text), m_at(text.startsWith(QChar(0xFEFF)) ? 1 : 0) {}

    bool atEnd() const { return m_at >= m_text.size(); }
    int line() const { return m_line; }
    // One field, quoted or not; the comma or line end after it is left for nextField().
    bool readField(QString* field, QString* error) {
        field->clear();
        return at(u'"') ? readQuoted(field, error) : readPlain(field, error);
    }
    // Steps over the comma after a field, or over the line end: false when the record
    // has ended.
    bool nextField();

private:
    bool at(QChar c) const { return !atEnd() && m_text[m_at] == c; }
    bool atFieldEnd() const { return atEnd() || at(u',') || at(u'\r') || at(u'\n'); }
    bool readQuoted(QString* field, QString* error);
    bool readPlain(QString* field, QString* error);

    const QString& m_text;
    int m_at;
    int m_line = 1;
};

// A doubled quote is one quote of the text; a quoted field may run over lines.
bool CsvReader::readQuoted(QString* field, QString* error) {
    const int openedOn = m_line;
    ++m_at;
    while (true) {
        if (atEnd()) {
            *error = QStringLiteral("line %1: a quoted field is not closed").arg(openedOn);
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
        *error = QStringLiteral("line %1: unexpected text after a closing quote").arg(m_line);
        return false;
    }
    return true;
}

bool CsvReader::readPlain(QString* field, QString* error) {
    while (!atFieldEnd()) {
        if (at(u'"')) {
            *error = QStringLiteral("line %1: a quote inside an unquoted field").arg(m_line);
            return false;
        }
        *field += m_text[m_at++];
    }
    return true;
}

bool CsvReader::nextField() {
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

} // namespace

bool ParseCsv(const QString& text, std::vector<CsvRow>* rows, QString* error) {
    rows->clear();
    CsvReader reader(text);
    while (!reader.atEnd()) {
        CsvRow row;
        row.line = reader.line();
        QString field;
        do {
            if (!reader.readField(&field, error))
                return false;
            row.fields << field;
        } while (reader.nextField());
        const bool blankLine = row.fields.size() == 1 && row.fields[0].isEmpty();
        if (!blankLine)
            rows->push_back(row);
    }
    return true;
}
