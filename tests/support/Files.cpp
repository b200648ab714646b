#include "tests/support/Files.h"

#include <QFile>

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ImageBytes(const RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), ImageMap::kImageSize);
}

RadioImage PatternImage(int seed) {
    RadioImage image;
    for (int i = 0; i < ImageMap::kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return image;
}
