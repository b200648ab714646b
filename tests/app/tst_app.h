#pragma once
#include <QObject>

class AppShellTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    // Start-up and configuration
    void startUpWithDefaultIni();
    void startUpVariants_data();
    void startUpVariants();
    void menusAsBuilt();
    void chineseTexts();
    void commandLine();
    void commandLineDatFile();

    // Documents
    void newAsksBeforeClearing();
    void openHidesActiveWindowAndCloseOnlyHides();
    void shortFileRefusedKeepsDocument();
    void saveWritesTheImage();
    void unsavedChangesOnClose();

    // Main window
    void treeActsOnItemUnderCursor();
    void controlBarAndNavigatorBar();
    void ctrlF11AndAlignmentEntries();
    void backgroundPicture();

    // Language, About, help
    void languageSwitch();
    void aboutDialog();
    void helpTopics();
};
