// chprog calibration, run as a separate process on image files and a Program.ini.

#include "Chprog.h"
#include "Files.h"
#include "ImageMap.h"
#include "RadioImage.h"
#include "TestSuite.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ImageMap;

namespace {

const QByteArray kIni = "[Setup]\n"
                        "Type1=A\n"
                        "Field1=136 - 174MHz|400 - 470MHz\n"
                        "Type2=B\n"
                        "Field2=130 - 160MHz|100 - 300MHz\n";

} // namespace

class CliCalibrationTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(WriteFileBytes(m_dir.filePath("Program.ini"), kIni)); }

    void printsTheRowsOfTheFilesBand() {
        RadioImage image = NewImage();
        image[kProductType] = 0;
        image[kProductBand] = 0; // 136 - 174MHz
        for (int k = 0; k < 5; ++k) {
            image[kPowerCalibration + 2 * k] = static_cast<std::uint8_t>(30 + k);
            image[kPowerCalibration + 2 * k + 1] = static_cast<std::uint8_t>(130 + k);
        }
        image[kSquelchCalibration + 1] = 0x83;
        image[kSquelchCalibration + 4] = 0x05;
        image[kPowerCalibration + 8] = 10; // out of range: shown as the default
        const ChprogRun run = Chprog({"calibration", writeImage(image), "--config", m_dir.path()});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QString("136\t30\t130\t0\n"
                                  "140\t31\t131\t-3\n"
                                  "150\t32\t132\t0\n"
                                  "160\t33\t133\t0\n"
                                  "170\t100\t134\t5\n"));
        image[kProductType] = 1;
        image[kProductBand] = 0; // 130 - 160MHz: three rows
        const ChprogRun three = Chprog({"calibration", writeImage(image), "--config", m_dir.path()});
        QCOMPARE(three.out.count('\n'), 3);
        QVERIFY(three.out.startsWith("130\t30\t130\t0\n"));
    }

    void refusesBadArguments() {
        QCOMPARE(Chprog({"calibration"}).status, 2);
        const ChprogRun missing = Chprog({"calibration", m_dir.filePath("absent.dat")});
        QCOMPARE(missing.status, 2);
        QVERIFY(missing.err.contains("absent.dat"));
        // No Program.ini: the band is empty, which the dialogs show as one row at 0 MHz.
        QTemporaryDir empty;
        const ChprogRun noIni = Chprog({"calibration", writeImage(NewImage()), "--config", empty.path()});
        QCOMPARE(noIni.status, 0);
        QVERIFY(noIni.err.contains("Program.ini"));
        QCOMPARE(noIni.out.count('\n'), 1);
    }

private:
    QString writeImage(const RadioImage& image) {
        const QString path = m_dir.filePath("image.dat");
        return SaveDatFile(path, image, nullptr) ? path : QString();
    }
    QTemporaryDir m_dir;
};

TEST_CLASS(CliCalibrationTest)
#include "tst_cli_calibration.moc"
