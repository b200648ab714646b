#include "tests/support/FakeLink.h"

bool FakeLink::open(const QString& /*device*/, QString* errorDetail) {
    if (!openFailure.isEmpty()) {
        if (errorDetail)
            *errorDetail = openFailure;
        return false;
    }
    ++opens;
    m_open = true;
    m_received.clear();
    return true;
}

void FakeLink::close() {
    if (m_open)
        ++closes;
    m_open = false;
}

LinkRead FakeLink::read(int count) {
    LinkRead result;
    if (failNextReads > 0) {
        --failNextReads;
        result.failed = true;
        return result;
    }
    result.bytes = m_received.left(count);
    m_received.remove(0, result.bytes.size());
    if (result.bytes.isEmpty())
        elapsedMs += timeouts.readTotalMs(count);
    else if (result.bytes.size() < count)
        elapsedMs += timeouts.interByteMs;
    return result;
}

bool FakeLink::write(const QByteArray& bytes) {
    writes.append(bytes);
    if (radio)
        m_received += radio(bytes);
    return true;
}

QStringList FakeLink::writtenFrames(int skip) const {
    QStringList frames;
    for (int i = skip; i < writes.size(); ++i)
        frames << Hex(writes[i]);
    return frames;
}

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}
