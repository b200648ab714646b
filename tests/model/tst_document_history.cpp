// The document's single edit path: every change becomes one undoable step that
// takes back and puts again exactly its bytes; an edit that changes nothing leaves no
// step; the unsaved-changes mark follows the history's saved position.

#include "radio/ChannelCodec.h"
#include "files/DatFile.h"
#include "radio/ImageMap.h"
#include "document/ProgramDoc.h"
#include "tests/support/TestSuite.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace ImageMap;

namespace {

using Change = CProgramDoc::Change;

// A document opened from a file whose channel 5 is programmed.
CProgramDoc* StartedDocument(QObject* parent, const QString& folder) {
    RadioImage image = NewImage();
    ChannelTable table = DecodeChannels(image, Language::English);
    table[4] = {" 5",  "446.00625", "446.00625", "D023N",  "67.0",
                "Low", "No",        "Carrier",   "Narrow", "Yes"};
    GridToImage(table, image);
    const QString path = folder + QStringLiteral("/start.dat");
    QString error;
    auto* doc = new CProgramDoc(parent);
    if (!SaveDatFile(path, image, &error) || !doc->OnOpenDocument(path, &error))
        qFatal("cannot write and open %s", qPrintable(path));
    return doc;
}

} // namespace

Q_DECLARE_METATYPE(CProgramDoc::Change)

class DocumentHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Each step takes back and puts again exactly its bytes, and names the range of them
    // (first and last, which must differ from before) on the edit, the undo and the redo.
    void writerRoundTrips_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("cell commit: scan add") << Change([](RadioImage& image) {
            ChannelRow row = DecodeChannels(image, Language::English)[4];
            row[kColScanAdd] = QStringLiteral("Yes");
            EncodeChannelCell(row, kColScanAdd, 5, image);
        }) << kScanListLow << kScanListLow;
        QTest::newRow("two bytes far apart") << Change([](RadioImage& image) {
            image[0x30] ^= 0xFF;
            image[kProductBand] ^= 0xFF;
        }) << 0x30 << kProductBand;
        QTest::newRow("read from radio")
            << Change([](RadioImage& image) { image.fill(0x5A); }) << 0 << kImageSize - 1;
    }

    void writerRoundTrips() {
        QFETCH(Change, change);
        QFETCH(int, first);
        QFETCH(int, last);
        CProgramDoc* doc = StartedDocument(this, m_dir.path());
        QSignalSpy changed(doc, &CProgramDoc::imageChanged);
        const RadioImage before = doc->image();

        QVERIFY(doc->edit(QStringLiteral("Change"), change));
        const RadioImage after = doc->image();
        QVERIFY(after[first] != before[first] && after[last] != before[last]);
        QVERIFY(doc->isModified());
        QCOMPARE(doc->undoLabel(), QStringLiteral("Change"));

        QVERIFY(doc->undo());
        QVERIFY(doc->image() == before);
        QVERIFY(!doc->isModified());
        QCOMPARE(doc->redoLabel(), QStringLiteral("Change"));
        QVERIFY(!doc->undo()); // nothing further back than the opened file

        QVERIFY(doc->redo());
        QVERIFY(doc->image() == after);
        QVERIFY(!doc->redo());
        QCOMPARE(changed.size(), 3);
        for (const QList<QVariant>& range : changed)
            QCOMPARE(QPair(range.at(0).toInt(), range.at(1).toInt()), QPair(first, last));
    }

    void unchangedEditPushesNothing() {
        CProgramDoc* doc = StartedDocument(this, m_dir.path());
        QSignalSpy changed(doc, &CProgramDoc::imageChanged);
        QSignalSpy history(doc, &CProgramDoc::historyChanged);
        // Re-encoding a decoded channel writes the same bytes.
        QVERIFY(!doc->edit(QStringLiteral("Same"), [](RadioImage& image) {
            const ChannelTable table = DecodeChannels(image, Language::English);
            EncodeChannelRow(table[0], 1, image);
        }));
        QVERIFY(!doc->canUndo());
        QVERIFY(!doc->isModified());
        QCOMPARE(changed.size(), 0);
        QCOMPARE(history.size(), 0);
    }

    void cleanStateFollowsSaveAndUndo() {
        CProgramDoc* doc = StartedDocument(this, m_dir.path());
        QSignalSpy modified(doc, &CProgramDoc::modifiedChanged);
        const auto setByte = [doc](int offset, std::uint8_t value) {
            return doc->edit(QStringLiteral("Set"),
                             [=](RadioImage& image) { image[offset] = value; });
        };
        QVERIFY(setByte(0x20, 0x01));
        QVERIFY(setByte(0x21, 0x02));
        QString error;
        QVERIFY(doc->OnSaveDocument(m_dir.filePath(QStringLiteral("saved.dat")), &error));
        QVERIFY(!doc->isModified());
        QVERIFY(doc->canUndo()); // saving keeps the history

        QVERIFY(doc->undo());
        QVERIFY(doc->isModified());
        QVERIFY(doc->redo());
        QVERIFY(!doc->isModified());  // back at the saved state
        QCOMPARE(modified.size(), 4); // on, off (save), on (undo), off (redo)
        QCOMPARE(modified.last().first().toBool(), false);

        // Opening starts a new history with nothing to undo.
        QVERIFY(doc->OnOpenDocument(m_dir.filePath(QStringLiteral("saved.dat")), &error));
        QVERIFY(!doc->canUndo());
        QVERIFY(!doc->canRedo());
    }

    void newEditDropsRedoAndSavedBranch() {
        CProgramDoc* doc = StartedDocument(this, m_dir.path());
        QVERIFY(doc->edit(QStringLiteral("A"), [](RadioImage& image) { image[0x20] = 1; }));
        QString error;
        QVERIFY(doc->OnSaveDocument(m_dir.filePath(QStringLiteral("branch.dat")), &error));
        QVERIFY(doc->undo());
        QVERIFY(doc->edit(QStringLiteral("B"), [](RadioImage& image) { image[0x21] = 2; }));
        QVERIFY(!doc->canRedo());
        // The saved state was on the dropped branch: no undo or redo reaches it again.
        QVERIFY(doc->isModified());
        QVERIFY(doc->undo());
        QVERIFY(doc->isModified());
    }

    void oldestStepsAreForgotten() {
        CProgramDoc* doc = StartedDocument(this, m_dir.path());
        for (int i = 0; i <= EditHistory::kMaxSteps; ++i)
            doc->edit(QStringLiteral("Step"),
                      [i](RadioImage& image) { image[0x20] = std::uint8_t(i); });
        int undone = 0;
        while (doc->undo())
            ++undone;
        QCOMPARE(undone, EditHistory::kMaxSteps);
        QVERIFY(doc->isModified()); // the opened state is no longer reachable
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(DocumentHistoryTest)
#include "tst_document_history.moc"
