#pragma once
// Files, images and configuration folders as the tests write and compare them.

#include "link/LinkProtocol.h"
#include "radio/RadioImage.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

QByteArray ReadFileBytes(const QString& path);
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

// The 1024 bytes of an image, for byte-exact comparisons with files.
QByteArray ImageBytes(const RadioImage& image);

// An image in which neighbouring bytes differ, and images of different seeds differ at
// every byte, so that a byte taken from the wrong place or left out shows.
RadioImage PatternImage(int seed);

// The memory `radio` after a write of `image` (clamped, as every write is) that reached the
// radio with blocks [0, blocks) of `plan`.
RadioImage AfterWrite(RadioImage radio, RadioImage image, const QVector<TransferBlock>& plan,
                      int blocks);

// A named pipe or a character device (/dev/null's) at `path`, for the refusals of files
// that are not regular; false where the system has none (Windows) or refuses (a device
// needs root), and the test skips that case.
bool MakeFifo(const QString& path);
bool MakeCharacterDevice(const QString& path);

// A temporary configuration folder with an optional Program.ini.
class ConfigDir {
public:
    ConfigDir();
    explicit ConfigDir(const QString& iniText);
    QString path() const { return m_dir.path(); }
    QString iniPath() const;
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString iniText() const;

private:
    QTemporaryDir m_dir;
};

// The default Program.ini of the program (resources/Program.ini).
QString DefaultIniText();
// The same with the `key=value` lines of `key` replaced.
QString DefaultIniWith(const QString& key, const QString& value);
