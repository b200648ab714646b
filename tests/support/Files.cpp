#include "tests/support/Files.h"

#include "radio/ChannelCodec.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

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

bool MakeFifo(const QString& path) {
#ifdef Q_OS_UNIX
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}

bool MakeCharacterDevice(const QString& path) {
#ifdef Q_OS_UNIX
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}

ConfigDir::ConfigDir() = default;

ConfigDir::ConfigDir(const QString& iniText) {
    WriteFileBytes(iniPath(), iniText.toUtf8());
}

QString ConfigDir::iniPath() const {
    return m_dir.filePath(QStringLiteral("Program.ini"));
}

QString ConfigDir::iniText() const {
    return QString::fromUtf8(ReadFileBytes(iniPath()));
}

QString DefaultIniText() {
    return QString::fromUtf8(ReadFileBytes(QStringLiteral(TEST_SOURCE_DIR "/resources/Program.ini")));
}

QString DefaultIniWith(const QString& key, const QString& value) {
    QStringList lines = DefaultIniText().split(u'\n');
    for (QString& line : lines) {
        if (line.startsWith(key + u'='))
            line = key + u'=' + value;
    }
    return lines.join(u'\n');
}

RadioImage AfterWrite(RadioImage radio, RadioImage image, const QVector<TransferBlock>& plan,
                      int blocks) {
    ClampCalibration(image);
    for (int i = 0; i < blocks; ++i)
        std::copy(image.begin() + plan[i].address, image.begin() + plan[i].address + plan[i].length,
                  radio.begin() + plan[i].address);
    return radio;
}
