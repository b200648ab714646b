#pragma once
// The MDI client area of the main window. Its empty background is tiled with
// background.bmp from the program's folder, or with a built-in picture when that file
// cannot be loaded.

#include <QImage>
#include <QMdiArea>

class CMdiClientWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CMdiClientWnd(QWidget* parent = nullptr);

    // The picture being tiled.
    QImage backgroundPicture() const { return m_picture; }
    bool usesBuiltInPicture() const { return m_builtIn; }

private:
    QImage m_picture;
    bool m_builtIn = false;
};
