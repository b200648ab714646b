#include "app/MdiClientWnd.h"

#include "ui/Pictures.h"
#include "config/StartupConfig.h"

#include <QBrush>
#include <QPixmap>

CMdiClientWnd::CMdiClientWnd(QWidget* parent) : QMdiArea(parent) {
    m_picture.load(startupConfig().programDirectory + QStringLiteral("background.bmp"));
    if (m_picture.isNull()) {
        m_picture = BuiltInBackground();
        m_builtIn = true;
    }
    // A texture brush tiles the picture from the top-left corner at its own size;
    // the area repaints it on every resize.
    setBackground(QBrush(QPixmap::fromImage(m_picture)));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}
