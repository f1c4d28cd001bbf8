#pragma once

#include <QObject>

class QWidget;

namespace vuska {

// Discards the user's input to one window while it is disabled for a piece of work that
// does not run the event loop, as a disabled window on Windows never receives it. Without
// this, clicks and keys made meanwhile would wait in the queue and act once the window is
// enabled again, before the game is ready for them.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget* window);
    ~InputBlocker() override;
    // Takes in what arrived meanwhile so that it is thrown away, not kept for later.
    void drain();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

} // namespace vuska
