#include "game/forms/cardtable.h"

#include <thread>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

#include "game/engine/cards.h"
#include "platform/accessiblepress.h"
#include "platform/picture.h"

namespace vuska {

namespace {

// A card picture as a screen reader sees it: the player's cards are buttons he can press
// (the press is a click), the computer's pictures. The name comes from the window, which
// knows the cards.
QAccessibleInterface* cardAccessible(CardImage* card)
{
    if (!isHumanSlot(card->index()))
        return new platform::PressableAccessible(card, QAccessible::Graphic, {});
    return new platform::PressableAccessible(card, QAccessible::Button,
                                             [card] { emit card->mouseDown(card->index(), Qt::LeftButton); });
}

// The table's news notice: a screen reader reads a notification out when it appears,
// whatever has the focus. It takes a single pixel of the table's border and draws nothing.
class NewsNotice : public QWidget {
    Q_OBJECT
public:
    explicit NewsNotice(QWidget* table) : QWidget(table)
    {
        setObjectName(QStringLiteral("newsNotice"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        hide();
    }
};

QAccessibleInterface* tableAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("vuska::NewsNotice"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    if (className == QLatin1String("vuska::CardImage"))
        return cardAccessible(static_cast<CardImage*>(object));
    if (className == QLatin1String("vuska::CardTable"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Pane);
    return nullptr;
}

} // namespace

CardImage::CardImage(int index, CardTable* table) : QWidget(table), index_(index)
{
    setObjectName(QStringLiteral("imgKortti_%1").arg(index));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
}

bool CardImage::focusFrameShown() const
{
    return hasFocus() && static_cast<const CardTable*>(parentWidget())->focusFrameShown_;
}

void CardImage::focusInEvent(QFocusEvent*)
{
    update();
}

void CardImage::focusOutEvent(QFocusEvent*)
{
    update();
}

void CardImage::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void CardImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    // Our double-density cards meet a 200 % screen pixel for pixel and are smoothed down
    // on others; a player's own card keeps its sharp pixels at whole-number scales.
    if (platform::smoothWhenDrawn(picture_.devicePixelRatio(), devicePixelRatioF()))
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, picture_);
    if (focusFrameShown()) {
        // A dark edge and a wide band of the highlight colour inside it: seen on the white
        // face and on the green felt alike.
        const QRect edge = rect().adjusted(0, 0, -1, -1);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(edge);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(edge.adjusted(2, 2, -2, -2));
    }
}

void CardImage::mousePressEvent(QMouseEvent* event)
{
    static_cast<CardTable*>(parentWidget())->showFocusFrame(false);
    emit mouseDown(index_, event->button());
}

CardTable::CardTable(QWidget* parent) : QFrame(parent)
{
    static const bool accessibleCards = (QAccessible::installFactory(tableAccessible), true);
    (void)accessibleCards;
    setObjectName(QStringLiteral("pTaustalaatikko"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette felt = palette();
    felt.setColor(QPalette::Window, QColor(0, 128, 0));
    setPalette(felt);
    for (int k = 0; k < 10; ++k) {
        cards_[size_t(k)] = new CardImage(k, this);
        place(k);
    }
    setFocusSlot(FirstHumanSlot);
    newsNotice_ = new NewsNotice(this);
}

void CardTable::tellNews(const QString& text)
{
    newsNotice_->hide();
    newsNotice_->setAccessibleName(text);
    newsNotice_->show();
}

void CardTable::setFocusSlot(int slot)
{
    focusSlot_ = slot;
    for (int k = FirstHumanSlot; k < SlotCount; ++k)
        cards_[size_t(k)]->setFocusPolicy(k == slot ? Qt::TabFocus : Qt::NoFocus);
}

void CardTable::showFocusFrame(bool shown)
{
    if (focusFrameShown_ == shown)
        return;
    focusFrameShown_ = shown;
    cards_[size_t(focusSlot_)]->update();
}

void CardTable::moveHandFocus(int step)
{
    for (int k = focusSlot_ + step; isHumanSlot(k); k += step) {
        if (playable_[size_t(k)] && geometry_[size_t(k)].visible) {
            setFocusSlot(k);
            cards_[size_t(k)]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void CardTable::keyPressEvent(QKeyEvent* event)
{
    // Only keys pressed while one of the cards has the focus come here. The keys that move
    // among the cards or play one show the frame; the window's keys (Enter, Esc, Alt) do not.
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Left:
            showFocusFrame(true);
            moveHandFocus(-1);
            return;
        case Qt::Key_Right:
            showFocusFrame(true);
            moveHandFocus(1);
            return;
        case Qt::Key_Space:
            showFocusFrame(true);
            // A held key plays one card, not the hand.
            if (!event->isAutoRepeat() && cards_[size_t(focusSlot_)]->hasFocus())
                emit cardChosen(focusSlot_);
            return;
        default:
            break;
        }
    }
    QFrame::keyPressEvent(event);
}

void CardTable::setStepIntervals(std::chrono::microseconds jiggle, std::chrono::microseconds deal,
                                 std::chrono::microseconds glide)
{
    jiggleInterval_ = jiggle;
    dealInterval_ = deal;
    glideInterval_ = glide;
}

bool CardTable::loadPicture(int slot, const QString& path)
{
    // The back is loaded for all ten cards in a row: they share one picture from Qt's cache,
    // found by the file's name, size and time, so a file changed in between is read anew and a
    // file gone or unreadable is found all the same.
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return false;
    const QString key = QStringLiteral("vuska-card:%1:%2:%3")
                            .arg(path)
                            .arg(file.size())
                            .arg(file.lastModified().toMSecsSinceEpoch());
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        QImage image = platform::loadPicture(path);
        if (image.isNull())
            return false;
        picture = platform::designPicture(std::move(image), CardDesignSize);
        QPixmapCache::insert(key, picture);
    }
    cards_[size_t(slot)]->setPicture(picture);
    picturePath_[size_t(slot)] = path;
    emit cardChanged(slot);
    return true;
}

void CardTable::place(int slot)
{
    const Geometry& g = geometry_[size_t(slot)];
    const int border = frameWidth();
    cards_[size_t(slot)]->setGeometry(border + qRound(g.left), border + qRound(g.top), qRound(g.width),
                                      qRound(g.height));
}

void CardTable::setLeft(int slot, double left)
{
    geometry_[size_t(slot)].left = left;
    place(slot);
}

void CardTable::setTop(int slot, double top)
{
    geometry_[size_t(slot)].top = top;
    place(slot);
}

void CardTable::setWidth(int slot, double width)
{
    geometry_[size_t(slot)].width = width;
    place(slot);
}

void CardTable::setHeight(int slot, double height)
{
    geometry_[size_t(slot)].height = height;
    place(slot);
}

void CardTable::setVisible(int slot, bool visible)
{
    geometry_[size_t(slot)].visible = visible;
    cards_[size_t(slot)]->setVisible(visible);
    emit cardChanged(slot);
}

void CardTable::bringToFront(int slot)
{
    cards_[size_t(slot)]->raise();
}

void CardTable::setPointingHand(int slot, bool pointingHand)
{
    if (pointingHand)
        cards_[size_t(slot)]->setCursor(pointingHand_);
    else
        cards_[size_t(slot)]->unsetCursor();
    playable_[size_t(slot)] = pointingHand;
    // The focused card left the hand: the focus goes on to the nearest card still there,
    // the one on its right when two are as near.
    if (!pointingHand && slot == focusSlot_) {
        for (const int k : {slot + 1, slot - 1, slot + 2, slot - 2, slot + 3, slot - 3, slot + 4, slot - 4}) {
            if (isHumanSlot(k) && playable_[size_t(k)]) {
                const bool focused = cards_[size_t(slot)]->hasFocus();
                setFocusSlot(k);
                if (focused)
                    cards_[size_t(k)]->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
    emit cardChanged(slot);
}

void CardTable::showStep(Step kind)
{
    // Paint now, without running the event loop: no click or timer of the game can come
    // in between the steps of a move. Then keep an even pace, whatever the machine.
    if (isVisible())
        repaint();
    emit stepShown(kind);
    const auto interval = kind == Step::Jiggle ? jiggleInterval_ : kind == Step::Deal ? dealInterval_ : glideInterval_;
    if (interval.count() <= 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (nextStep_ + interval < now)
        nextStep_ = now; // a new animation, or one that fell behind: start the beat afresh
    nextStep_ += interval;
    std::this_thread::sleep_until(nextStep_);
}

} // namespace vuska

#include "cardtable.moc"
