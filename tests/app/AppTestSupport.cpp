#include "AppTestSupport.h"

#include <QFile>
#include <QTest>

PromptRecorder::PromptRecorder() {
    PromptHandlers handlers;
    handlers.ask = [this](const Prompt& prompt) {
        asked << prompt;
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return prompt.defaultButton != QMessageBox::NoButton ? prompt.defaultButton
                                                             : QMessageBox::Ok;
    };
    handlers.openFile = [this] { return m_openFile; };
    handlers.saveFile = [this](const QString& proposed) {
        proposedSaveNames << proposed;
        return m_saveFile;
    };
    SetPromptHandlers(handlers);
}

PromptRecorder::~PromptRecorder() {
    SetPromptHandlers({});
}

ConfigDir::ConfigDir() = default;

ConfigDir::ConfigDir(const QString& iniText) {
    QFile file(iniPath());
    if (file.open(QIODevice::WriteOnly))
        file.write(iniText.toUtf8());
}

QString ConfigDir::iniPath() const {
    return m_dir.filePath(QStringLiteral("Program.ini"));
}

QString ConfigDir::iniText() const {
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString DefaultIniText() {
    QFile file(QStringLiteral(TEST_SOURCE_DIR "/resources/Program.ini"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::unique_ptr<CProgramApp> StartProgram(const ConfigDir& config,
                                          const QStringList& extraArguments) {
    auto app = std::make_unique<CProgramApp>();
    QStringList arguments{QStringLiteral("Program"), QStringLiteral("--config"), config.path()};
    arguments << extraArguments;
    if (!app->InitInstance(arguments, QStringLiteral(TEST_BIN_DIR)))
        return nullptr;
    return app;
}

void WriteBytes(const QString& path, int size, char fill) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(size, fill));
}
