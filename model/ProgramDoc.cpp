#include "ProgramDoc.h"

#include "AppConfig.h"
#include "ProgramIni.h"

#include <QFileInfo>

CProgramDoc::CProgramDoc(QObject* parent) : QObject(parent), m_image(NewImage()) {}

void CProgramDoc::OnNewDocument() {
    m_image = NewImage();
    m_pathName.clear();
    m_defaultPathName = ReadProfileString(appConfig().iniFilePath, QStringLiteral("Setup"),
                                          QStringLiteral("AppName"));
    appConfig().documentIsNew = true;
    setModified(false);
}

bool CProgramDoc::OnOpenDocument(const QString& path, QString* error) {
    if (!LoadDatFile(path, m_image, error))
        return false;
    m_pathName = path;
    appConfig().documentIsNew = false;
    setModified(false);
    return true;
}

bool CProgramDoc::OnSaveDocument(const QString& path, QString* error) {
    encodeGrid();
    if (!SaveDatFile(path, m_image, error))
        return false;
    m_pathName = path;
    setModified(false);
    return true;
}

void CProgramDoc::encodeGrid() {
    if (m_encoder)
        m_encoder(m_image);
}

QString CProgramDoc::title() const {
    if (!m_pathName.isEmpty())
        return QFileInfo(m_pathName).fileName();
    return Tr(appConfig().language(), "Channel Information", "信道信息");
}

void CProgramDoc::setModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}
