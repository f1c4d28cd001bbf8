#include "platform/helpviewer.h"

#include <QCoreApplication>
#include <algorithm>

#include <QApplication>
#include <QCollator>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <QWindow>

namespace platform {

namespace {

constexpr int topicRole = Qt::UserRole;
constexpr int historyLimit = 100;
constexpr int transientChainLimit = 64;

// The game's own font is small to fit its twip layouts; text meant to be read at length
// gets at least this.
QFont readableFont(int extra)
{
    QFont font = QApplication::font();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(font.pixelSize(), 12) + extra);
    else
        font.setPointSizeF(std::max(font.pointSizeF(), 9.0) + extra);
    return font;
}

// Long titles and keywords scroll sideways instead of being cut short with an ellipsis.
void showWholeLines(QTreeWidget* tree)
{
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace

HelpViewer::HelpViewer(HelpDocument document, HelpContents contents)
    : QWidget(nullptr, Qt::Window), document_(std::move(document)), contents_(std::move(contents))
{
    setObjectName(QStringLiteral("helpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Help left open must not keep the program alive once the game itself has gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(readableFont(0));

    back_ = new QPushButton(QCoreApplication::translate("platform::HelpViewer", "&Edellinen"), this);
    back_->setObjectName(QStringLiteral("back"));
    back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack, nullptr, this));
    back_->setEnabled(false);
    connect(back_, &QPushButton::clicked, this, [this] { goBack(); });
    auto* backKey = new QShortcut(QKeySequence::Back, this);
    connect(backKey, &QShortcut::activated, this, [this] { goBack(); });

    contentsTree_ = new QTreeWidget;
    contentsTree_->setObjectName(QStringLiteral("contents"));
    showWholeLines(contentsTree_);
    connect(contentsTree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { openItem(item); });
    connect(contentsTree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { openItem(item); });
    const auto bookIcon = [this](QTreeWidgetItem* item, bool open) {
        if (item->data(0, topicRole).toString().isEmpty())
            item->setIcon(0, style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon,
                                                   nullptr, this));
    };
    connect(contentsTree_, &QTreeWidget::itemExpanded, this, [bookIcon](QTreeWidgetItem* item) { bookIcon(item, true); });
    connect(contentsTree_, &QTreeWidget::itemCollapsed, this, [bookIcon](QTreeWidgetItem* item) { bookIcon(item, false); });

    indexPage_ = new QWidget;
    indexPage_->setObjectName(QStringLiteral("indexPage"));
    auto* indexLabel = new QLabel(QCoreApplication::translate("platform::HelpViewer", "&Kirjoita etsittävä sana:"), indexPage_);
    indexLabel->setWordWrap(true);
    indexFilter_ = new QLineEdit(indexPage_);
    indexFilter_->setObjectName(QStringLiteral("indexFilter"));
    indexFilter_->setClearButtonEnabled(true);
    indexLabel->setBuddy(indexFilter_);
    index_ = new QTreeWidget(indexPage_);
    index_->setObjectName(QStringLiteral("index"));
    showWholeLines(index_);
    auto* indexLayout = new QVBoxLayout(indexPage_);
    indexLayout->setContentsMargins(6, 6, 6, 6);
    indexLayout->addWidget(indexLabel);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_, 1);
    connect(indexFilter_, &QLineEdit::textChanged, this, [this](const QString& text) { filterIndex(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, this, [this] { openItem(index_->currentItem()); });
    connect(index_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { openItem(item); });
    connect(index_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { openItem(item); });

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->addTab(contentsTree_, QCoreApplication::translate("platform::HelpViewer", "&Sisällys"));
    tabs_->addTab(indexPage_, QCoreApplication::translate("platform::HelpViewer", "&Hakemisto"));
    // Whoever turns to the index means to type a word.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        if (tabs_->currentWidget() == indexPage_)
            indexFilter_->setFocus();
    });

    topic_ = new QTextBrowser;
    topic_->setObjectName(QStringLiteral("topic"));
    topic_->setFont(readableFont(1));
    // Links are ours to follow: only topics of this document are reachable, nothing on disk
    // or on the net.
    topic_->setOpenLinks(false);
    topic_->setOpenExternalLinks(false);
    topic_->document()->setDocumentMargin(10);
    connect(topic_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        const QString id = HelpDocument::topicIdOf(url);
        if (!id.isEmpty())
            showTopic(id);
    });

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->addWidget(tabs_);
    splitter->addWidget(topic_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({300, 480}); // room for the longest contents entry

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->addLayout(buttons);
    outer->addWidget(splitter, 1);

    resize(780, 520);
    setMinimumSize(420, 300);

    setWindowTitle(!contents_.title.isEmpty()    ? contents_.title
                   : !document_.title().isEmpty() ? document_.title()
                                                  : QCoreApplication::translate("platform::HelpViewer", "Ohje"));
    fillContents();
    fillIndex();
}

void HelpViewer::setDocument(HelpDocument document, HelpContents contents)
{
    if (document.fingerprint() == document_.fingerprint() && contents == contents_)
        return;
    document_ = std::move(document);
    contents_ = std::move(contents);
    setWindowTitle(!contents_.title.isEmpty()    ? contents_.title
                   : !document_.title().isEmpty() ? document_.title()
                                                  : QCoreApplication::translate("platform::HelpViewer", "Ohje"));
    // The topics read before may have gone or changed; going back to them would mislead.
    history_.clear();
    const QString shown = current_;
    current_.clear();
    fillContents();
    fillIndex();
    filterIndex(indexFilter_->text());
    if (document_.topicById(shown))
        display(shown);
    else
        topic_->clear();
    back_->setEnabled(false);
}

void HelpViewer::fillContents()
{
    contentsTree_->clear();
    // parents[level - 1] receives the entries of that level; the format lets an entry go
    // at most one level deeper than the one before it.
    std::vector<QTreeWidgetItem*> parents{contentsTree_->invisibleRootItem()};
    for (const HelpContentsEntry& entry : contents_.entries) {
        const size_t level = size_t(std::clamp(entry.level, 1, int(parents.size())));
        parents.resize(level);
        auto* item = new QTreeWidgetItem(parents.back(), {entry.text});
        item->setData(0, topicRole, entry.topicId);
        item->setToolTip(0, entry.text);
        if (entry.topicId.isEmpty()) {
            item->setIcon(0, style()->standardIcon(QStyle::SP_DirClosedIcon, nullptr, this));
            parents.push_back(item);
        } else {
            item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon, nullptr, this));
        }
    }
}

void HelpViewer::fillIndex()
{
    index_->clear();
    struct Entry {
        QString keyword;
        QStringList ids;
    };
    std::vector<Entry> entries;
    QHash<QString, size_t> byKey;
    for (const HelpTopic& topic : document_.topics()) {
        for (const QString& keyword : topic.keywords) {
            const QString key = keyword.toLower();
            auto it = byKey.constFind(key);
            if (it == byKey.cend()) {
                it = byKey.insert(key, entries.size());
                entries.push_back({keyword, {}});
            }
            QStringList& ids = entries[*it].ids;
            if (!ids.contains(topic.id))
                ids.append(topic.id);
        }
    }
    QCollator finnish(QLocale(QLocale::Finnish, QLocale::Finland));
    finnish.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(), [&finnish](const Entry& a, const Entry& b) {
        return finnish.compare(a.keyword, b.keyword) < 0;
    });
    for (const Entry& entry : entries) {
        auto* item = new QTreeWidgetItem(index_, {entry.keyword});
        item->setToolTip(0, entry.keyword);
        if (entry.ids.size() == 1) {
            item->setData(0, topicRole, entry.ids.first());
            continue;
        }
        // A word found in several topics leads on to each of them by its title.
        for (const QString& id : entry.ids) {
            auto* child = new QTreeWidgetItem(item, {document_.topicById(id)->title});
            child->setData(0, topicRole, id);
        }
    }
}

void HelpViewer::filterIndex(const QString& text)
{
    const QString wanted = text.simplified();
    QTreeWidgetItem* best = nullptr;
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < index_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = index_->topLevelItem(i);
        const bool shown = wanted.isEmpty() || item->text(0).contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (!shown)
            continue;
        if (!first)
            first = item;
        if (!best && item->text(0).startsWith(wanted, Qt::CaseInsensitive))
            best = item;
    }
    if (QTreeWidgetItem* chosen = best ? best : first) {
        index_->setCurrentItem(chosen);
        index_->scrollToItem(chosen);
    }
}

void HelpViewer::openItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString id = item->data(0, topicRole).toString();
    if (!id.isEmpty())
        showTopic(id);
    else if (item->treeWidget() == index_)
        item->setExpanded(true);
}

void HelpViewer::showTopic(const QString& id)
{
    if (!document_.topicById(id) || id == current_)
        return;
    if (!current_.isEmpty()) {
        history_.append(current_);
        if (history_.size() > historyLimit)
            history_.removeFirst();
    }
    display(id);
}

void HelpViewer::showIndex()
{
    tabs_->setCurrentWidget(indexPage_);
    if (current_.isEmpty())
        display(firstTopic());
    indexFilter_->setFocus();
    indexFilter_->selectAll();
}

void HelpViewer::showContents()
{
    tabs_->setCurrentWidget(contentsTree_);
    showTopic(firstTopic());
    contentsTree_->setFocus();
}

QString HelpViewer::firstTopic() const
{
    const auto first = std::find_if(contents_.entries.cbegin(), contents_.entries.cend(),
                                    [](const HelpContentsEntry& e) { return !e.topicId.isEmpty(); });
    return first != contents_.entries.cend() ? first->topicId : document_.topics().front().id;
}

void HelpViewer::display(const QString& id)
{
    const HelpTopic* topic = document_.topicById(id);
    if (!topic)
        return;
    HelpDocument::render(*topic, *topic_->document());
    // The text goes in ahead of the cursor, and the view follows the cursor; a topic is read
    // from its top.
    topic_->moveCursor(QTextCursor::Start);
    current_ = id;
    back_->setEnabled(!history_.isEmpty());
    selectInContents(id);
}

void HelpViewer::goBack()
{
    if (history_.isEmpty())
        return;
    display(history_.takeLast());
}

void HelpViewer::selectInContents(const QString& id)
{
    for (QTreeWidgetItemIterator it(contentsTree_); *it; ++it) {
        if ((*it)->data(0, topicRole).toString() != id)
            continue;
        for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            up->setExpanded(true);
        const QSignalBlocker quiet(contentsTree_);
        contentsTree_->setCurrentItem(*it);
        contentsTree_->scrollToItem(*it);
        return;
    }
    contentsTree_->clearSelection();
}

void HelpViewer::present(QWidget* near)
{
    if (!placed_ && near) {
        // Beside the window that asked, on the side with more room, so that a message box
        // whose Help button was pressed stays in view.
        const QRect asking = near->window()->frameGeometry();
        QScreen* screen = near->window()->screen();
        const QRect area = screen ? screen->availableGeometry() : asking;
        const int gap = 8;
        const int roomRight = area.right() - asking.right() - gap;
        const int roomLeft = asking.left() - area.left() - gap;
        const bool right = roomRight >= roomLeft;
        // Narrower rather than over the asking window, as long as the text stays readable.
        const int room = std::max(roomRight, roomLeft);
        if (room < width() && room >= minimumWidth())
            resize(room, height());
        int x = right ? asking.right() + gap : asking.left() - gap - width();
        int y = asking.top();
        x = std::clamp(x, area.left(), std::max(area.left(), area.right() - width()));
        y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() - height() - 40));
        move(x, y);
    }
    placed_ = true;
    // While the window is being shown it would attach to the modal window at once, and the
    // window manager would then tie it to that window for good; it attaches right after.
    presenting_ = true;
    if (isMinimized())
        showNormal();
    else
        show();
    presenting_ = false;
    escapeModalBlocking();
    raise();
    activateWindow();
}

bool HelpViewer::event(QEvent* event)
{
    // A modal dialog or message box opened after the help blocks it like any window; help,
    // which changes nothing in the game, escapes as soon as that happens.
    if (event->type() == QEvent::WindowBlocked && !presenting_)
        escapeModalBlocking();
    return QWidget::event(event);
}

void HelpViewer::escapeModalBlocking()
{
    // Qt blocks every window but the modal one and the windows that have it as their
    // (transient) parent. Naming the topmost modal window so lets the help be read, scrolled
    // and closed while the dialog waits, and leaves the help alone when the dialog is gone.
    QWindow* own = windowHandle();
    QWindow* modal = QGuiApplication::modalWindow();
    if (!own || !modal || modal == own || modal->isAncestorOf(own, QWindow::IncludeTransients))
        return;
    // A box opened over the help window itself belongs to the help and keeps blocking it;
    // naming it as parent would close a loop of parents.
    int steps = 0;
    for (QWindow* w = modal; w && steps < transientChainLimit; w = w->parent(QWindow::IncludeTransients), ++steps) {
        if (w == own)
            return;
    }
    own->setTransientParent(modal);
    // A message box goes away while the dialog it was asked from stays open, and with it
    // goes the tie that kept the help free; tie the help to what is left. (While a window
    // hides, Qt still counts it as modal, hence the second look once that is over.)
    QObject::disconnect(modalGone_);
    QObject::disconnect(modalHidden_);
    modalGone_ = connect(modal, &QObject::destroyed, this, [this] { escapeModalBlocking(); });
    modalHidden_ = connect(modal, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            QMetaObject::invokeMethod(this, [this] { escapeModalBlocking(); }, Qt::QueuedConnection);
    });
}

} // namespace platform
