#include "setup/wizard/folderlist.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace vuska::setup {

using platform::drives::DriveError;

namespace {
constexpr int PathRole = Qt::UserRole;
}

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(12);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { open(item); });
}

QString FolderList::entryPath(const QTreeWidgetItem* item)
{
    return item ? item->data(0, PathRole).toString() : QString();
}

DriveError FolderList::setPath(const QString& windowsPath)
{
    const DriveError error = platform::drives::setCurrentFolder(windowsPath);
    if (error != DriveError::None)
        return error;
    path_ = platform::drives::currentFolder(windowsPath.front());
    fill();
    emit changed();
    return DriveError::None;
}

void FolderList::fill()
{
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // "C:\" and the names below it; the root reads in lower case, as drive lists show it.
    const QStringList names = path_.mid(3).split(u'\\', Qt::SkipEmptyParts);
    QString folder = path_.left(3);
    auto* level = new QTreeWidgetItem(this, {path_.left(3).toLower()});
    level->setIcon(0, open);
    level->setData(0, PathRole, folder);
    for (const QString& name : names) {
        folder += (folder.endsWith(u'\\') ? QString() : QStringLiteral("\\")) + name;
        level = new QTreeWidgetItem(level, {name});
        level->setIcon(0, open);
        level->setData(0, PathRole, folder);
    }
    QTreeWidgetItem* current = level;
    for (const QString& name : platform::drives::subfolders(path_)) {
        auto* sub = new QTreeWidgetItem(current, {name});
        sub->setIcon(0, closed);
        sub->setData(0, PathRole, folder + (folder.endsWith(u'\\') ? QString() : QStringLiteral("\\")) + name);
    }
    expandAll();
    setCurrentItem(current);
    scrollToItem(current);
}

void FolderList::open(QTreeWidgetItem* item)
{
    const QString target = entryPath(item);
    if (target.isEmpty() || target == path_)
        return;
    setPath(target);
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    // Enter opens the folder here instead of pressing the dialog's default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        open(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace vuska::setup
