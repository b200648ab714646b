#include "SerialTrace.h"

#include "QtSerialLink.h"

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

TracingLink::TracingLink(std::unique_ptr<SerialLink> inner, TraceFile& trace)
    : m_inner(std::move(inner)), m_trace(trace) {}

bool TracingLink::open(const QString& device, QString* errorDetail) {
    QString detail;
    const bool opened = m_inner->open(device, &detail);
    m_trace.note(opened ? QStringLiteral("open %1").arg(device)
                        : QStringLiteral("cannot open %1: %2").arg(device, detail));
    if (errorDetail)
        *errorDetail = detail;
    return opened;
}

void TracingLink::close() {
    if (m_inner->isOpen())
        m_trace.note(QStringLiteral("close"));
    m_inner->close();
}

bool TracingLink::isOpen() const {
    return m_inner->isOpen();
}

void TracingLink::configure(const LinkTimeouts& timeouts) {
    m_inner->configure(timeouts);
}

void TracingLink::purge() {
    m_inner->purge();
}

int TracingLink::clearReceive() {
    return m_inner->clearReceive();
}

LinkRead TracingLink::read(int count) {
    const LinkRead result = m_inner->read(count);
    if (!result.bytes.isEmpty())
        m_trace.bytes('<', result.bytes);
    if (result.failed)
        m_trace.line(QStringLiteral("< (the line failed)"));
    else if (result.bytes.size() < count)
        m_trace.line(QStringLiteral("< (%1 of %2 bytes within the time-out)")
                         .arg(result.bytes.size())
                         .arg(count));
    return result;
}

bool TracingLink::write(const QByteArray& bytes) {
    m_trace.bytes('>', bytes);
    const bool written = m_inner->write(bytes);
    if (!written)
        m_trace.line(QStringLiteral("> (the write failed)"));
    return written;
}

void TracingLink::sleep(int ms) {
    m_inner->sleep(ms);
}

std::unique_ptr<SerialLink> NewSerialLink(const std::shared_ptr<TraceFile>& trace) {
    auto link = std::make_unique<QtSerialLink>();
    if (!trace)
        return link;
    return std::make_unique<TracingLink>(std::move(link), *trace);
}
