#pragma once
// RFC 4180 comma-separated values: fields separated by commas, records by CRLF (LF is
// accepted when reading), a field with a comma, quote or line break quoted with '"'
// and its quotes doubled.

#include <QString>
#include <QStringList>
#include <vector>

QString CsvField(const QString& text);
QString CsvRecord(const QStringList& fields);

struct CsvRow {
    int line = 0; // 1-based line where the record starts
    QStringList fields;
};

// Reads a document one record at a time, so that a reader can stop at the first record
// it refuses without parsing the rest.
class CsvRecordReader {
public:
    explicit CsvRecordReader(const QString& text);

    // The next record; blank lines are skipped. False at the end of the text, and on
    // malformed input, with `error` set to a message with the line number.
    bool next(CsvRow* row, QString* error);

private:
    bool atEnd() const { return m_at >= m_text.size(); }
    bool at(QChar c) const { return !atEnd() && m_text[m_at] == c; }
    bool atFieldEnd() const { return atEnd() || at(u',') || at(u'\r') || at(u'\n'); }
    // One field, quoted or not; the comma or line end after it is left for nextField().
    bool readField(QString* field, QString* error);
    bool readQuoted(QString* field, QString* error);
    bool readPlain(QString* field, QString* error);
    // Steps over the comma after a field, or over the line end: false when the record
    // has ended.
    bool nextField();

    QString m_text;
    int m_at;
    int m_line = 1;
};

// Parses a whole document. On malformed input returns false and sets `error` to a
// message with the line number.
bool ParseCsv(const QString& text, std::vector<CsvRow>* rows, QString* error);
