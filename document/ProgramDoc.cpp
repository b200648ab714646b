#include "document/ProgramDoc.h"
#include "files/DatFile.h"


#include <QFileInfo>

namespace {

struct ByteRange {
    int first = -1;
    int last = -1;
    bool isEmpty() const { return first < 0; }
};

ByteRange DifferingBytes(const RadioImage& a, const RadioImage& b) {
    ByteRange range;
    for (int i = 0; i < ImageMap::kImageSize; ++i) {
        if (a[static_cast<size_t>(i)] == b[static_cast<size_t>(i)])
            continue;
        if (range.first < 0)
            range.first = i;
        range.last = i;
    }
    return range;
}

} // namespace

CProgramDoc::CProgramDoc(QObject* parent) : QObject(parent), m_image(NewImage()) {}

template <typename Step> void CProgramDoc::changeHistory(Step step) {
    const bool wasModified = isModified();
    step();
    emit historyChanged();
    if (isModified() != wasModified)
        emit modifiedChanged(isModified());
}

void CProgramDoc::replaceImage(const RadioImage& image) {
    const ByteRange changed = DifferingBytes(m_image, image);
    m_image = image;
    if (!changed.isEmpty())
        emit imageChanged(changed.first, changed.last);
}

bool CProgramDoc::edit(const QString& label, const Change& change) {
    RadioImage after = m_image;
    change(after);
    if (after == m_image)
        return false;
    changeHistory([&] {
        m_history.push({label, m_image, after});
        replaceImage(after);
    });
    return true;
}

QString CProgramDoc::undoLabel() const {
    const EditHistory::Step* step = m_history.undoStep();
    return step ? step->label : QString();
}

QString CProgramDoc::redoLabel() const {
    const EditHistory::Step* step = m_history.redoStep();
    return step ? step->label : QString();
}

bool CProgramDoc::undo() {
    if (!canUndo())
        return false;
    changeHistory([&] { replaceImage(m_history.undo()->before); });
    return true;
}

bool CProgramDoc::redo() {
    if (!canRedo())
        return false;
    changeHistory([&] { replaceImage(m_history.redo()->after); });
    return true;
}

namespace {

RadioImage NewImageOf(const NewDocumentDefaults& defaults) {
    RadioImage image = NewImage();
    image[ImageMap::kProductType] = static_cast<std::uint8_t>(defaults.productType);
    image[ImageMap::kProductBand] = static_cast<std::uint8_t>(defaults.productBand);
    return image;
}

} // namespace

void CProgramDoc::OnNewDocument(const NewDocumentDefaults& defaults) {
    replacePlan(std::nullopt);
    startNew(defaults, NewImageOf(defaults));
}

int CProgramDoc::OnNewDocument(const NewDocumentDefaults& defaults, const ChannelPlan& plan,
                               BandLimits band, int* leftOut) {
    RadioImage image = NewImageOf(defaults);
    const int written = WritePlanChannels(plan, band, image, leftOut);
    replacePlan(plan);
    startNew(defaults, image);
    return written;
}

void CProgramDoc::setPlan(const ChannelPlan& plan) {
    replacePlan(plan);
}

void CProgramDoc::replacePlan(std::optional<ChannelPlan> plan) {
    if (!plan && !m_plan)
        return;
    m_plan = std::move(plan);
    emit planChanged();
}

void CProgramDoc::startNew(const NewDocumentDefaults& defaults, RadioImage image) {
    m_pathName.clear();
    m_defaultPathName = defaults.pathName;
    m_isNew = true;
    changeHistory([&] {
        m_history.clear();
        replaceImage(image);
    });
}

bool CProgramDoc::OnOpenDocument(const QString& path, QString* error) {
    RadioImage loaded = m_image;
    if (!LoadDatFile(path, loaded, error))
        return false;
    m_pathName = path;
    m_fileFingerprint = DatFileFingerprint(path);
    m_isNew = false;
    replacePlan(std::nullopt);
    changeHistory([&] {
        m_history.clear();
        replaceImage(loaded);
    });
    return true;
}

bool CProgramDoc::OnSaveDocument(const QString& path, QString* error) {
    if (!SaveDatFile(path, m_image, error))
        return false;
    m_pathName = path;
    m_fileFingerprint = DatFileFingerprint(path);
    changeHistory([&] { m_history.markClean(); });
    return true;
}

bool CProgramDoc::fileChangedOnDisk() const {
    if (m_pathName.isEmpty())
        return false;
    // A file that is gone loses nothing by being written again.
    const QByteArray now = DatFileFingerprint(m_pathName);
    return !now.isEmpty() && now != m_fileFingerprint;
}

QString CProgramDoc::title(Language language) const {
    if (!m_pathName.isEmpty())
        return QFileInfo(m_pathName).fileName();
    return Tr(language, "Channel Information", "信道信息");
}
