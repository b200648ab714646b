#include "link/SerialTrace.h"

#include <QDateTime>
#include <QMutexLocker>

TraceFile::TraceFile(const QString& path) : m_file(path) {
    m_clock.start();
}

bool TraceFile::open(QString* error) {
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return true;
    *error = QStringLiteral("%1: cannot open the trace file (%2)").arg(m_file.fileName(), m_file.errorString());
    return false;
}

void TraceFile::note(const QString& text) {
    append(QStringLiteral("# %1 %2")
               .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), text));
}

void TraceFile::bytes(char direction, const QByteArray& bytes) {
    line(QString(QLatin1Char(direction)) + u' ' + QString::fromLatin1(bytes.toHex(' ').toUpper()));
}

void TraceFile::line(const QString& text) {
    const qint64 ms = m_clock.elapsed();
    append(QStringLiteral("%1.%2 %3").arg(ms / 1000).arg(ms % 1000, 3, 10, QLatin1Char('0')).arg(text));
}

void TraceFile::append(const QString& text) {
    QMutexLocker lock(&m_mutex);
    m_file.write((text + u'\n').toUtf8());
    m_file.flush(); // a crash or a pulled plug must not lose the end of the story
}

void TraceFile::received(const LinkRead& result, int count) {
    if (!result.bytes.isEmpty())
        bytes('<', result.bytes);
    if (result.failed)
        line(QStringLiteral("< (the line failed)"));
    else if (result.bytes.size() < count)
        line(QStringLiteral("< (%1 of %2 bytes within the time-out)")
                 .arg(result.bytes.size())
                 .arg(count));
}
