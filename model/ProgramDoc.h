#pragma once
// The document: one radio image, the file it came from, and whether it has changes
// that no file holds yet. The channel grid folds itself into the image before a save
// through the encoder hook, so the document itself needs no widgets.

#include "RadioImage.h"

#include <QObject>
#include <QString>
#include <functional>

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    explicit CProgramDoc(QObject* parent = nullptr);

    RadioImage& image() { return m_image; }
    const RadioImage& image() const { return m_image; }

    // New document: the new-image contents, no file, no unsaved changes, and
    // documentIsNew set for the run.
    void OnNewDocument();

    // Loads a .dat file. On failure nothing changes and `error` says why.
    bool OnOpenDocument(const QString& path, QString* error);

    // Folds the grid in (through the encoder hook), then writes the file safely.
    bool OnSaveDocument(const QString& path, QString* error);

    // Called before every save to bring the image up to date with the grid.
    void setEncoder(std::function<void(RadioImage&)> encoder) { m_encoder = std::move(encoder); }
    void encodeGrid();

    QString pathName() const { return m_pathName; }
    // The file name proposed by the first Save As: [Setup] AppName.
    QString defaultPathName() const { return m_defaultPathName; }
    QString title() const;

    bool isModified() const { return m_modified; }
    // Every edit, dialog OK and successful radio read calls this.
    void setModified(bool modified = true);

signals:
    void modifiedChanged(bool modified);

private:
    RadioImage m_image;
    QString m_pathName;
    QString m_defaultPathName;
    bool m_modified = false;
    std::function<void(RadioImage&)> m_encoder;
};
