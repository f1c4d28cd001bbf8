#pragma once

#include <QTreeWidget>

#include "platform/drives.h"

namespace vuska::setup {

// A directory list as Windows programs had it: the folders of the path from the drive's root
// down, each a level further in, with open folders, then the subfolders of the path one level
// further in, closed. A click only moves the highlight; a double click or Enter opens the
// folder under it, which becomes the path.
class FolderList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent);

    // The folder shown, in Windows form with the names as found on the disk.
    QString path() const { return path_; }
    // Shows a folder (which becomes its drive's current folder). On failure nothing changes.
    platform::drives::DriveError setPath(const QString& windowsPath);

    // The Windows path an entry stands for.
    static QString entryPath(const QTreeWidgetItem* item);

signals:
    // The path has changed.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The levels are shown by indentation alone, without the tree's expand marks.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    void open(QTreeWidgetItem* item);
    void fill();

    QString path_;
};

} // namespace vuska::setup
