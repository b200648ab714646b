#include "files/DatFile.h"

#include "files/AtomicFile.h"
#include "files/RegularFile.h"
#include "radio/OwnTexts.h"

#include <QCryptographicHash>

bool LoadDatFile(const QString& path, RadioImage& image, QString* error) {
    QByteArray data;
    QString reason;
    if (!ReadRegularFile(path, ImageMap::kImageSize, &data, &reason)) {
        if (error)
            *error = OwnText("%1: cannot open the file (%2)").arg(path, reason);
        return false;
    }
    if (data.size() < ImageMap::kImageSize) {
        if (error)
            *error = OwnText("%1: the file holds %2 bytes; a radio image needs %3")
                         .arg(path)
                         .arg(data.size())
                         .arg(ImageMap::kImageSize);
        return false;
    }
    std::copy(data.begin(), data.end(), image.begin());
    return true;
}

bool SaveDatFile(const QString& path, const RadioImage& image, QString* error) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), ImageMap::kImageSize);
    QString reason;
    if (AtomicFile::replace(path, bytes, &reason))
        return true;
    if (error)
        *error = OwnText("%1: cannot save the file (%2)").arg(path, reason);
    return false;
}

QByteArray DatFileFingerprint(const QString& path) {
    // A .dat file is 1024 bytes; a longer one still differs within the first mebibyte.
    constexpr qint64 kComparedBytes = 1 << 20;
    QByteArray data;
    QString reason;
    if (!ReadRegularFile(path, kComparedBytes, &data, &reason))
        return QByteArray();
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}
