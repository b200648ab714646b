#pragma once
// The panel docked at the left edge of the main window that frames the navigation
// tree: a caption with the company name, a close button (tool tip "Close") that hides
// the panel, and a right edge the user drags to change the panel's width.

#include <QWidget>

class QRubberBand;
class QTreeWidget;

class CNavigatorBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionHeight = 22;
    static constexpr int kStartWidth = 220;
    static constexpr int kMinWidth = 11;     // narrowest width a drag sets
    static constexpr int kMinTrackingX = 80; // the tracking line stops here
    static constexpr int kSizingStripWidth = 6;

    // `caption` is the company name of Program.ini.
    explicit CNavigatorBar(const QString& caption, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }
    QString caption() const { return m_caption; }
    int barWidth() const { return m_width; }
    // A width kept from an earlier run (at least kMinWidth, at most kMaxRestoredWidth).
    void setBarWidth(int width);
    static constexpr int kMaxRestoredWidth = 1200;

    // Rectangles in the bar's coordinates (valid once the bar has a size).
    QRect frameRect() const;
    QRect closeButtonRect() const;
    QRect sizingStripRect() const;

    // The tracking line shown while the edge is dragged (hidden otherwise).
    QRubberBand* trackingLine() const { return m_trackingLine; }

signals:
    // The close button was clicked; the main window hides the bar.
    void closeRequested();
    // The user dragged the right edge to a new width.
    void widthChanged(int width);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int halfWindowWidth() const;
    void moveTrackingLine(int x);
    void setCloseButtonState(bool hot, bool pressed);

    QString m_caption;
    QTreeWidget* m_tree;
    QRubberBand* m_trackingLine = nullptr;
    int m_width = kStartWidth;
    bool m_buttonHeld = false;
    bool m_closeHot = false;
    bool m_closePressed = false;
    bool m_sizing = false;
};
