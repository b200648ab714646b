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

// Parses a whole document. On malformed input returns false and sets `error` to a
// message with the line number.
bool ParseCsv(const QString& text, std::vector<CsvRow>* rows, QString* error);
