// Build step: writes the program's title.ico and background.bmp into OUTPUT_DIR, drawn
// by the same code the program uses for its icons. Given a theme folder and an icon
// name as well, it also writes the icon at the desktop's usual sizes into that folder
// (hicolor layout: NxN/apps/NAME.png), for the installed menu entry.

#include "ui/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

constexpr int kTitleIconSize = 32;
constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool WriteThemeIcons(const QString& themeDir, const QString& iconName) {
    for (int size : kThemeIconSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(size);
        if (!QDir().mkpath(folder) ||
            !DrawProgramIcon(size).save(QDir(folder).filePath(iconName + QStringLiteral(".png")),
                                        "PNG"))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_DIR [THEME_DIR ICON_NAME]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = DrawProgramIcon(kTitleIconSize).save(out.filePath("title.ico"), "ICO") &&
              DrawBackgroundTile().save(out.filePath("background.bmp"), "BMP");
    if (ok && argc == 4)
        ok = WriteThemeIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (!ok)
        std::fprintf(stderr, "make_pictures: cannot write the pictures\n");
    return ok ? 0 : 1;
}
