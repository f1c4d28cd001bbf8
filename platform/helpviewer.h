#pragma once

#include <QStringList>
#include <QWidget>

#include "platform/helpdocument.h"

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {

// The help window of one help file: the contents ("Sisällys") and the index ("Hakemisto")
// on the left, the topic on the right, and "Edellinen" to go back along the topics read.
// It deletes itself when closed; platform/help.cpp keeps one per file and reuses it.
class HelpViewer : public QWidget {
public:
    HelpViewer(HelpDocument document, HelpContents contents);

    // Takes a newer reading of the file. The same bytes change nothing, so reopening keeps
    // the reader's place, history and index filter.
    void setDocument(HelpDocument document, HelpContents contents);

    void showTopic(const QString& id);
    void showIndex();
    // The contents tab, at the first topic they list.
    void showContents();

    // Shows the window in front, beside near on its first showing, and usable even while a
    // modal dialog or message box waits.
    void present(QWidget* near);

protected:
    bool event(QEvent* event) override;

private:
    void fillContents();
    void fillIndex();
    void filterIndex(const QString& text);
    void openItem(QTreeWidgetItem* item);
    QString firstTopic() const;
    void display(const QString& id);
    void goBack();
    void selectInContents(const QString& id);
    void escapeModalBlocking();

    HelpDocument document_;
    HelpContents contents_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contentsTree_ = nullptr;
    QWidget* indexPage_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QTreeWidget* index_ = nullptr;
    QTextBrowser* topic_ = nullptr;
    QPushButton* back_ = nullptr;
    QString current_;
    QStringList history_;
    QMetaObject::Connection modalGone_;
    QMetaObject::Connection modalHidden_;
    bool placed_ = false;
    bool presenting_ = false;
};

} // namespace platform
