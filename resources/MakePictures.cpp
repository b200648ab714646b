// Build step: writes the program's title.ico and background.bmp into the folder given
// as the only argument, drawn by the same code the program uses for its icons.

#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    constexpr int kIconSize = 32;
    const bool ok = DrawProgramIcon(kIconSize).save(out.filePath("title.ico"), "ICO") &&
                    DrawBackgroundTile().save(out.filePath("background.bmp"), "BMP");
    if (!ok)
        std::fprintf(stderr, "make_pictures: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
