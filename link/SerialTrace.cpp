#include "link/SerialTrace.h"

#include "files/RegularFile.h"
#include "radio/OwnTexts.h"

#include <QDateTime>
#include <QMutexLocker>

TraceFile::TraceFile(const QString& path, FailureReport report)
    : m_path(path), m_file(path), m_report(std::move(report)) {
    if (!m_report)
        m_report = [](const QString& message) { qWarning("%s", qUtf8Printable(message)); };
    m_clock.start();
}

bool TraceFile::open(QString* error) {
    QString reason;
    if (OpenRegularFileToAppend(m_file, &reason))
        return true;
    *error = OwnText("%1: cannot open the trace file (%2)").arg(m_path, reason);
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
    if (m_failed)
        return;
    const QByteArray line = (text + u'\n').toUtf8();
    // Flushed line by line: a crash or a pulled plug must not lose the end of the story.
    if (m_file.write(line) != line.size() || !m_file.flush())
        fail();
}

void TraceFile::fail() {
    m_failed = true;
    m_report(OwnText("%1: the trace is incomplete (%2)")
                 .arg(m_path, m_file.errorString()));
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
