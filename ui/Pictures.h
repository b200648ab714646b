#pragma once
// The program's own pictures, drawn in code: the program icon (also written to
// title.ico by the build), the background tile (written to background.bmp), the
// built-in background used when that file is missing, and the small tool icons.

#include <QIcon>
#include <QImage>

QImage DrawProgramIcon(int size);

// The tile the build writes as background.bmp.
QImage DrawBackgroundTile();

// The picture the MDI client tiles when background.bmp cannot be loaded (238 x 157).
QImage BuiltInBackground();

// 16 x 16 cross of the navigation bar's close button.
QIcon CloseButtonIcon();

enum class ToolPicture { Read, Write, Print, Undo, Redo };
QIcon ToolIcon(ToolPicture picture);
