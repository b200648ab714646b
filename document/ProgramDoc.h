#pragma once
// The document: one radio image, the file it came from, and its undo history.
//
// Every change of the image goes through edit(): the change runs on a copy, and only
// when some byte really changed does the copy become the image, with one undo step
// under the given label. The document is modified exactly when its history stands
// anywhere but where the last save (or open, or new) left it, so undoing back to the
// saved state clears the mark again.

#include "config/ProductCatalog.h"
#include "document/ChannelPlan.h"
#include "document/EditHistory.h"
#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    using Change = std::function<void(RadioImage&)>;

    explicit CProgramDoc(QObject* parent = nullptr);

    const RadioImage& image() const { return m_image; }

    // Applies `change` as one undoable step named `label`. False (and no step, no
    // signal) when the change left every byte as it was.
    bool edit(const QString& label, const Change& change);

    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // The label of the step an undo or redo would take; empty when there is none.
    QString undoLabel() const;
    QString redoLabel() const;
    bool undo();
    bool redo();

    // New document: the new-image contents naming the given model and band, no file, an
    // empty history; isNew().
    void OnNewDocument(const NewDocumentDefaults& defaults);

    // New document from a channel plan: the same, with the plan's channels that lie in
    // `band` in channels 1.. (WritePlanChannels, as chprog new --plan writes them). The
    // document remembers the plan. Returns how many channels were written; `leftOut`
    // gets the number of plan channels left out.
    int OnNewDocument(const NewDocumentDefaults& defaults, const ChannelPlan& plan,
                      BandLimits band, int* leftOut);

    // The plan this document was made from or last checked against, or nullptr. Kept in
    // memory only: a file opened into the document names no plan until it is checked.
    const ChannelPlan* plan() const { return m_plan ? &*m_plan : nullptr; }
    // The document holds its channels to `plan` from now on (planChanged); the image and
    // its history stay as they are.
    void setPlan(const ChannelPlan& plan);

    // Loads a .dat file into an empty history. On failure nothing changes and `error`
    // says why.
    bool OnOpenDocument(const QString& path, QString* error);

    // Writes the image to the file safely. The history stays; its current position
    // becomes the saved state.
    bool OnSaveDocument(const QString& path, QString* error);

    QString pathName() const { return m_pathName; }
    // True when the document's file no longer holds what it held when this document
    // last opened or saved it: another program, or another copy, wrote it since.
    bool fileChangedOnDisk() const;
    // The file name proposed by the first Save As: [Setup] AppName.
    QString defaultPathName() const { return m_defaultPathName; }
    // The file name, or for a document without a file "Channel Information" in `language`.
    QString title(Language language) const;

    bool isModified() const { return !m_history.isClean(); }

    // A New document, whose product the user store decides (see ReconcileProduct),
    // until a file is opened into it or a read from the radio replaces its image.
    bool isNew() const { return m_isNew; }
    void setNotNew() { m_isNew = false; }

signals:
    void modifiedChanged(bool modified);
    // Bytes first..last (both included) may differ from before: after an edit, an undo,
    // a redo, an open or a new document.
    void imageChanged(int first, int last);
    // Undo or redo became possible or impossible, or their labels changed.
    void historyChanged();
    // plan() names another plan, or none.
    void planChanged();

private:
    void replaceImage(const RadioImage& image);
    void startNew(const NewDocumentDefaults& defaults, RadioImage image);
    // Runs `step` (a change of the history and the image), then reports the history's
    // new state and, when it flipped, the modified mark.
    template <typename Step> void changeHistory(Step step);
    void replacePlan(std::optional<ChannelPlan> plan);

    RadioImage m_image;
    EditHistory m_history;
    QString m_pathName;
    QByteArray m_fileFingerprint; // of m_pathName, at the last open or save
    QString m_defaultPathName;
    bool m_isNew = true;
    std::optional<ChannelPlan> m_plan;
};
