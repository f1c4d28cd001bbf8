#pragma once

#include <functional>
#include <memory>

#include <QDeadlineTimer>
#include <QTimer>


class QWidget;

namespace vuska::test {

// While it lives, runs `action` once on the first modal dialog that comes up, as a user would
// act in it: once the dialog is the active window (or after `timeoutMs` without). A check that fails inside the action closes every modal dialog still open, so
// that the code waiting in exec() returns and the test fails at once instead of hanging; so
// does a dialog that waits longer than `timeoutMs`. When it goes out of scope without having
// acted, the test fails: the dialog it was made for never appeared.
class OnModal {
public:
    explicit OnModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);
    ~OnModal();
    OnModal(const OnModal&) = delete;
    OnModal& operator=(const OnModal&) = delete;

private:
    std::unique_ptr<QTimer> timer_;
    bool acted_ = false;
    bool seen_ = false;
    QDeadlineTimer activeBy_;
    QDeadlineTimer leftOpen_;
};

// Fails the running test, and closes the dialog, when a modal dialog comes up while it lives:
// for code that must not ask anything (a real dialog would wait for a user forever).
class NoModalExpected {
public:
    NoModalExpected();
    ~NoModalExpected();
    NoModalExpected(const NoModalExpected&) = delete;
    NoModalExpected& operator=(const NoModalExpected&) = delete;

private:
    std::unique_ptr<QTimer> timer_;
};

// Closes every open modal dialog, innermost first.
void closeModals();

} // namespace vuska::test
