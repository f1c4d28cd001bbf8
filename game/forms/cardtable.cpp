#include "game/forms/cardtable.h"

#include <thread>

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

#include "platform/picture.h"

namespace vuska {

CardImage::CardImage(int index, QWidget* parent) : QWidget(parent), index_(index)
{
    setObjectName(QStringLiteral("imgKortti_%1").arg(index));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
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
}

void CardImage::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(index_, event->button());
}

CardTable::CardTable(QWidget* parent) : QFrame(parent)
{
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
    // The back is loaded for all ten cards in a row: while the file is the one read last
    // (same size and time), the cards share its picture instead of ten copies of it. A file
    // gone or unreadable in between is found all the same.
    const QFileInfo file(path);
    if (!last_.picture.isNull() && path == last_.path && file.isFile() && file.isReadable() &&
        file.size() == last_.size && file.lastModified() == last_.modified) {
        cards_[size_t(slot)]->setPicture(last_.picture);
        return true;
    }
    last_ = {};
    QImage image = platform::loadPicture(path);
    if (image.isNull())
        return false;
    last_ = {path, file.size(), file.lastModified(), platform::designPicture(std::move(image), CardDesignSize)};
    cards_[size_t(slot)]->setPicture(last_.picture);
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
