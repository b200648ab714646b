// The backups of radio images: their names, which radio each belongs to, and what is
// kept when a radio is read again and again, when several radios share the folder and
// when the clock was set back.

#include "files/Backups.h"
#include "files/DatFile.h"
#include "tests/support/Files.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <numeric>

namespace {

// One backup to keep: the radio (its own bytes), what its channels hold, and when.
struct Save {
    int radio;
    int contents;
    qint64 atSeconds; // after kStart
};
using Saves = QVector<Save>;

const QDateTime kStart(QDate(2026, 12, 7), QTime(18, 15, 0));

RadioImage ImageOf(int radio, int contents) {
    RadioImage image = NewImage();
    image[ImageMap::kWritableEnd + 3] = static_cast<std::uint8_t>(radio);
    image[ImageMap::kPowerCalibration] = static_cast<std::uint8_t>(100 + radio);
    image[ImageMap::channelRecord(1)] = static_cast<std::uint8_t>(contents);
    image[ImageMap::channelRecord(2)] = static_cast<std::uint8_t>(contents >> 8);
    return image;
}

// In memory where it can be: hundreds of saves, each flushed to the disk, take seconds.
const QString kFastTemp =
    (QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) + "/backups-XXXXXX";

int CountOfRadio(const QString& folder, int radio) {
    int count = 0;
    for (const BackupEntry& entry : ListBackups(folder)) {
        RadioImage kept;
        count += LoadDatFile(entry.path, kept, nullptr) &&
                 RadioLabel(kept) == RadioLabel(ImageOf(radio, 0));
    }
    return count;
}

} // namespace

Q_DECLARE_METATYPE(Saves)

class BackupsTest : public QObject {
    Q_OBJECT
private slots:
    // Names tell time, kind and a radio's first backup; the same second counts on; a file
    // of the user's own is left alone; a folder that cannot be made is named with why.
    void namesAndKinds() {
        QTemporaryDir dir(kFastTemp);
        const auto keep = [&](int contents, BackupKind kind) {
            return QFileInfo(KeepBackup(dir.path(), ImageOf(1, contents), kind, kStart).path)
                .fileName();
        };
        QCOMPARE(keep(0, BackupKind::Read), QStringLiteral("20261207-181500-read-first.dat"));
        QCOMPARE(keep(1, BackupKind::Write), QStringLiteral("20261207-181500-write-2.dat"));
        QVERIFY(WriteFileBytes(dir.filePath("notes.dat"), {}));
        QCOMPARE(keep(2, BackupKind::Read), QStringLiteral("20261207-181500-read-3.dat"));
        const std::vector<BackupEntry> list = ListBackups(dir.path());
        QCOMPARE(int(list.size()), 3);
        QCOMPARE(QFileInfo(list[0].path).fileName(), QStringLiteral("20261207-181500-read-3.dat"));
        QVERIFY(list[1].kind == BackupKind::Write);
        QVERIFY(list[2].first && !list[1].first && !list[0].first);
        QVERIFY(QFile::exists(dir.filePath("notes.dat")));

        // A radio is its own bytes: other channels, the same radio; other calibration, another.
        QCOMPARE(RadioLabel(ImageOf(1, 0)), RadioLabel(ImageOf(1, 7)));
        QVERIFY(RadioLabel(ImageOf(1, 0)) != RadioLabel(ImageOf(2, 0)));

        const QString blocker = dir.filePath("notes.dat") + "/backups";
        const KeptBackup refused = KeepBackup(blocker, ImageOf(1, 0), BackupKind::Read, kStart);
        QVERIFY(refused.path.isEmpty());
        QCOMPARE(refused.error, blocker + ": cannot create the backups folder (Not a directory)");
    }

    void retention_data() {
        QTest::addColumn<Saves>("saves");
        QTest::addColumn<QList<int>>("keptPerRadio"); // radios 1, 2, ...
        QTest::addColumn<int>("repeats");             // saves that named an earlier backup

        Saves identical;
        for (int i = 0; i < 10; ++i)
            identical << Save{1, 0, 2 * i};
        QTest::newRow("repeated identical reads") << identical << QList<int>{1} << 9;
        QTest::newRow("changed and changed back")
            << Saves{{1, 0, 0}, {1, 1, 10}, {1, 0, 20}} << QList<int>{3} << 0;

        Saves twoRadios;
        for (int i = 0; i < 250; ++i) {
            twoRadios << Save{1, i, 20 * i};
            if (i % 50 == 0)
                twoRadios << Save{2, i, 20 * i + 5};
        }
        QTest::newRow("250 reads of one radio, 5 of another")
            << twoRadios << QList<int>{kBackupsKept, 5} << 0;

        // 200 backups dated a year ahead; then the clock is right again.
        Saves steppedBack;
        for (int i = 0; i < kBackupsKept; ++i)
            steppedBack << Save{1, i, 365 * 86400 + 60 * i};
        for (int i = 0; i < 5; ++i)
            steppedBack << Save{1, 1000 + i, 60 * i};
        QTest::newRow("clock stepped back") << steppedBack << QList<int>{kBackupsKept} << 0;
    }

    // After every save: the image is kept, every radio's first backup is still there,
    // every removal is told. At the end each radio has what it should.
    void retention() {
        QFETCH(Saves, saves);
        QFETCH(QList<int>, keptPerRadio);
        QTemporaryDir dir(kFastTemp);
        std::map<int, QString> firstOf;
        int repeated = 0;
        int saved = 0;
        int removed = 0;
        for (const Save& save : saves) {
            const RadioImage image = ImageOf(save.radio, save.contents);
            const KeptBackup kept = KeepBackup(dir.path(), image, BackupKind::Read,
                                               kStart.addSecs(save.atSeconds));
            QVERIFY2(kept.error.isEmpty(), qPrintable(kept.error));
            QCOMPARE(ReadFileBytes(kept.path), ImageBytes(image));
            repeated += kept.repeated ? 1 : 0;
            saved += kept.repeated ? 0 : 1;
            removed += kept.removed.size();
            QCOMPARE(kept.note().isEmpty(), !kept.repeated && kept.removed.isEmpty());
            firstOf.emplace(save.radio, kept.path);
            for (const auto& [radio, first] : firstOf)
                QVERIFY2(QFile::exists(first), qPrintable(first));
        }
        QTEST(repeated, "repeats");
        for (int radio = 1; radio <= keptPerRadio.size(); ++radio)
            QCOMPARE(CountOfRadio(dir.path(), radio), keptPerRadio[radio - 1]);
        const int total = std::accumulate(keptPerRadio.begin(), keptPerRadio.end(), 0);
        QCOMPARE(int(ListBackups(dir.path()).size()), total);
        QCOMPARE(removed, saved - total);
    }
};

TEST_CLASS(BackupsTest)
#include "tst_backups.moc"
