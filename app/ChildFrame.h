#pragma once
// The child window of one document. It owns the document and its channel view.
// Closing it (close box, system menu, File > Close) only hides it, so a document,
// once open, stays open for the run; "Channel Information" shows it again.

#include <QMdiSubWindow>

class CProgramDoc;
class DocumentView;
struct ViewSurroundings;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Takes ownership of `doc` and creates its view in `surroundings`.
    CChildFrame(CProgramDoc* doc, const ViewSurroundings& surroundings, QWidget* parent = nullptr);

    CProgramDoc* document() const { return m_doc; }
    QWidget* view() const { return widget(); }
    // The same, as the main window gives it commands.
    DocumentView* documentView() const { return m_view; }

    // Makes the window visible again in its normal (not maximised) state.
    void showAgain();

    // Sizes the window around its view (the title bar and borders are known once the
    // window is in the MDI area).
    void fitToView();
    // The same, as far as `room` (the MDI area's size) leaves space from where the window
    // stands (Window > Cascade).
    void fitToViewWithin(const QSize& room);

    // The document's file name (its title while it has none), with "*" while it has
    // unsaved changes: how the Window menu lists it.
    QString documentName() const;

    // Title and unsaved-changes mark from the document (after a save or a load).
    void updateTitle();

    // The main window's title this document asks for (model and band); the main
    // window shows the one of the active document.
    QString mainTitle() const { return m_mainTitle; }
    void setMainTitle(const QString& title);

signals:
    void mainTitleChanged(const QString& title);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CProgramDoc* m_doc;
    DocumentView* m_view;
    QSize m_viewSize; // the size the view asked for when it was created
    QString m_mainTitle;
};
