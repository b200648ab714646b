#pragma once
// The tree of the navigation bar: the company as its root and one child per settings
// command ("Product Information", "Channel Information", "Optional Features", and
// after the access code "Power Adjust" and "Sql Adjust"). Choosing a child triggers
// its command's action, then the root is selected again so the same child acts on its
// next click. The bar's width is kept per user.

#include "app/FrameMenus.h"

#include <QObject>

class CNavigatorBar;
class QTreeWidget;
class QTreeWidgetItem;

class NavigationTree : public QObject {
    Q_OBJECT
public:
    // Fills the tree of `bar`; the children trigger the actions of `menus`.
    NavigationTree(CNavigatorBar* bar, const FrameMenus& menus, QObject* parent);

    QTreeWidget* tree() const;
    QTreeWidgetItem* root() const;

    // Adds "Power Adjust" and "Sql Adjust" to the tree and the Edit menu, once.
    void appendAlignmentEntries();

private:
    QTreeWidgetItem* appendChild(const char* english, const char* chinese);
    void onSelectionChanged();
    void reselectRoot();

    CNavigatorBar* m_bar;
    const FrameMenus& m_menus;
    bool m_reselectingRoot = false;
};
