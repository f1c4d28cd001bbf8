#pragma once

#include <array>
#include <chrono>

#include <QCursor>
#include <QFrame>
#include <QPixmap>

#include "game/engine/seams.h"

namespace vuska {

// The card pictures' design size: the card is shown 80 x 127, its file's last row hidden.
inline constexpr QSize CardDesignSize{80, 128};

class CardTable;

// One card picture (imgKortti): draws its picture from the top left corner, cut off at
// its own size, and reports mouse presses. The player's card that holds the keyboard focus
// is framed once the player uses the keys of the cards.
class CardImage : public QWidget {
    Q_OBJECT
public:
    CardImage(int index, CardTable* table);
    int index() const { return index_; }
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }
    // The focus frame is drawn now.
    bool focusFrameShown() const;

signals:
    void mouseDown(int index, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int index_;
    QPixmap picture_;
};

// The card table pTaustalaatikko with the ten card pictures. Its coordinates are pixels
// from the top left corner inside its border.
//
// The player's hand is one stop of the window's Tab order: the card that holds the stop
// takes the focus, Left and Right move it among the cards still in the hand (those with
// the pointing hand), and Space chooses it as a click would. When the focused card leaves
// the hand, the focus goes on to the nearest card still there.
class CardTable : public QFrame, public CardPictures {
    Q_OBJECT
public:
    explicit CardTable(QWidget* parent);

    CardImage* card(int slot) const { return cards_[size_t(slot)]; }
    // The file whose picture the slot shows now, as it was loaded.
    const QString& picturePath(int slot) const { return picturePath_[size_t(slot)]; }
    bool focusFrameShown() const { return focusFrameShown_; }
    // The player used the keyboard on the table (shown) or the mouse (hidden): the card that
    // holds the hand's focus is framed while it has the focus.
    void showFocusFrame(bool shown);
    // Tells the play's news to a screen reader, which reads out a notice as it appears; the
    // same news again is told again.
    void tellNews(const QString& text);
    QWidget* newsNotice() const { return newsNotice_; }
    void setPointingHandCursor(const QCursor& cursor) { pointingHand_ = cursor; }
    // Time between the painted steps of each kind of animation; zero paints as fast as
    // the machine can (tests).
    void setStepIntervals(std::chrono::microseconds jiggle, std::chrono::microseconds deal,
                          std::chrono::microseconds glide);

    bool loadPicture(int slot, const QString& path) override;
    double left(int slot) const override { return geometry_[size_t(slot)].left; }
    double top(int slot) const override { return geometry_[size_t(slot)].top; }
    double width(int slot) const override { return geometry_[size_t(slot)].width; }
    double height(int slot) const override { return geometry_[size_t(slot)].height; }
    bool visible(int slot) const override { return geometry_[size_t(slot)].visible; }
    void setLeft(int slot, double left) override;
    void setTop(int slot, double top) override;
    void setWidth(int slot, double width) override;
    void setHeight(int slot, double height) override;
    void setVisible(int slot, bool visible) override;
    using QFrame::setVisible; // the table's own showing and hiding stays callable
    void bringToFront(int slot) override;
    void setPointingHand(int slot, bool pointingHand) override;
    void showStep(Step kind) override;

signals:
    // Every step of an animation as it is shown, for whoever follows the table.
    void stepShown(vuska::CardPictures::Step kind);
    // A slot's picture, visibility or pointer changed: what it shows may read differently.
    void cardChanged(int slot);
    // The player chose the focused card by key.
    void cardChosen(int slot);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class CardImage;
    void moveHandFocus(int step);
    void setFocusSlot(int slot);

    struct Geometry {
        double left = 0;
        double top = 0;
        double width = 80;
        double height = 128;
        bool visible = true;
    };
    void place(int slot);

    std::array<CardImage*, 10> cards_{};
    QWidget* newsNotice_ = nullptr;
    std::array<Geometry, 10> geometry_{};
    std::array<QString, 10> picturePath_{};
    // The cards with the pointing hand: in the hand, to be played.
    std::array<bool, 10> playable_{};
    int focusSlot_ = -1;
    bool focusFrameShown_ = false;
    QCursor pointingHand_{Qt::PointingHandCursor};
    // A 240-change shuffle in 1.2 s, a 40-step deal in 1.6 s, a 40-step move in 0.32 s.
    std::chrono::microseconds jiggleInterval_{5000};
    std::chrono::microseconds dealInterval_{4000};
    std::chrono::microseconds glideInterval_{8000};
    std::chrono::steady_clock::time_point nextStep_{};
};

} // namespace vuska
