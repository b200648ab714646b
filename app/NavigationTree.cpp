#include "app/NavigationTree.h"

#include "ui/CommandIds.h"
#include "radio/Language.h"
#include "app/NavigatorBar.h"
#include "config/RunConfig.h"
#include "config/StartupConfig.h"
#include "config/UserStore.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString kNavigatorWidthValue = QStringLiteral("NavigatorWidth");

// The tree's children, in the order the tree compares their captions.
struct TreeCommand {
    const char* english;
    const char* chinese;
    int commandId;
};
const TreeCommand kTreeCommands[] = {
    {"Channel Information", "信道信息", CommandId::kChannelInformation},
    {"Optional Features", "可選功能", CommandId::kOptionalFeatures},
    {"Product Information", "類型設置", CommandId::kProductInformation},
    {"Power Adjust", "功率調整", CommandId::kPowerAdjust},
    {"Sql Adjust", "靜噪調整", CommandId::kSqlAdjust},
};

QString TreeText(const TreeCommand& command) {
    return Tr(startupConfig().language(), command.english, command.chinese);
}

// The command of a tree caption in the run's language; 0 for the root or any other text.
int TreeCommandFor(const QString& text) {
    for (const TreeCommand& command : kTreeCommands) {
        if (text == TreeText(command))
            return command.commandId;
    }
    return 0;
}

const TreeCommand& TreeCommandOf(int commandId) {
    for (const TreeCommand& command : kTreeCommands) {
        if (command.commandId == commandId)
            return command;
    }
    return kTreeCommands[0];
}

} // namespace

NavigationTree::NavigationTree(CNavigatorBar* bar, const FrameMenus& menus, QObject* parent)
    : QObject(parent), m_bar(bar), m_menus(menus) {
    QTreeWidget* view = tree();
    new QTreeWidgetItem(view, QStringList(LanguageText(QStringLiteral("Company"))));
    appendChild("Product Information", "類型設置");
    appendChild("Channel Information", "信道信息");
    appendChild("Optional Features", "可選功能");
    view->expandItem(root());
    view->setCurrentItem(root());
    connect(view, &QTreeWidget::itemSelectionChanged, this, &NavigationTree::onSelectionChanged);

    // The width the user last dragged the bar to, kept per user.
    const int storedWidth =
        UserStore(startupConfig().iniFilePath).readNumber(kNavigatorWidthValue, 0);
    if (storedWidth > 0)
        m_bar->setBarWidth(storedWidth);
    connect(m_bar, &CNavigatorBar::widthChanged, this, [](int width) {
        UserStore(startupConfig().iniFilePath).writeNumber(kNavigatorWidthValue, width);
    });
}

QTreeWidget* NavigationTree::tree() const {
    return m_bar->tree();
}

QTreeWidgetItem* NavigationTree::root() const {
    return tree()->topLevelItem(0);
}

QTreeWidgetItem* NavigationTree::appendChild(const char* english, const char* chinese) {
    return new QTreeWidgetItem(root(),
                               QStringList(Tr(startupConfig().language(), english, chinese)));
}

void NavigationTree::onSelectionChanged() {
    if (m_reselectingRoot)
        return;
    // The item under the mouse pointer decides, not the newly selected one (the
    // selection may have moved by keyboard).
    QTreeWidget* view = tree();
    const QTreeWidgetItem* item = view->itemAt(view->viewport()->mapFromGlobal(QCursor::pos()));
    const int commandId = item ? TreeCommandFor(item->text(0)) : 0;
    // Act once the click or key that changed the selection is fully handled.
    QTimer::singleShot(0, this, [this, commandId] {
        if (commandId != 0)
            m_menus.actions[commandId]->trigger();
        reselectRoot();
    });
}

void NavigationTree::reselectRoot() {
    // Selecting the root again lets the same child act on its next click; this
    // selection change itself acts on nothing.
    m_reselectingRoot = true;
    tree()->setCurrentItem(root());
    m_reselectingRoot = false;
}

void NavigationTree::appendAlignmentEntries() {
    const QList<QAction*> items = m_menus.editMenu->actions();
    if (!items.isEmpty() && items.last()->data().toInt() == CommandId::kSqlAdjust)
        return;
    for (int id : {CommandId::kPowerAdjust, CommandId::kSqlAdjust}) {
        const TreeCommand& command = TreeCommandOf(id);
        appendChild(command.english, command.chinese);
        QAction* action = m_menus.actions[id];
        action->setText(TreeText(command));
        m_menus.editMenu->addAction(action);
    }
}
