#pragma once

#include <deque>
#include <functional>

#include <QList>

#include "platform/messagebox.h"

namespace vuska::test {

// Replaces the real message box for its lifetime: every box is recorded and answered from
// the script. A box with no answer left, or an answer left unused at the end, fails the
// running test.
class MessageBoxScript {
public:
    MessageBoxScript();
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    MessageBoxScript& answer(platform::MsgAnswer answer);
    // Answers with the box's first button (OK, or Yes).
    MessageBoxScript& ok() { return answer(platform::MsgAnswer::Ok); }
    MessageBoxScript& yes() { return answer(platform::MsgAnswer::Yes); }
    MessageBoxScript& no() { return answer(platform::MsgAnswer::No); }

    const QList<platform::MessageBoxRequest>& shown() const { return shown_; }
    const platform::MessageBoxRequest& last() const { return shown_.last(); }
    int unused() const { return int(answers_.size()); }
    // Drops the answers not yet used, for a test that ends the program on purpose.
    void forgetUnused() { answers_.clear(); }

    // Runs while each box is up, before it is answered: what happens meanwhile.
    std::function<void(const platform::MessageBoxRequest&)> whileShown;

private:
    platform::MsgAnswer respond(const platform::MessageBoxRequest& request);

    std::deque<platform::MsgAnswer> answers_;
    QList<platform::MessageBoxRequest> shown_;
    bool overrun_ = false;
};

} // namespace vuska::test
