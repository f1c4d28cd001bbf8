#pragma once

namespace platform {

// The time of day and the pause that keeps the event loop running.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight.
    virtual double timer() const = 0;
    // Waits the given time while window events are handled. Returns false when the
    // program is ending, so that the caller stops instead of carrying on.
    virtual bool pause(int milliseconds) = 0;
};

// The real clock. The pause sleeps in a nested event loop until its timer fires: it
// handles events as they come and costs no processor time while nothing happens.
class SystemClock : public Clock {
public:
    double timer() const override;
    bool pause(int milliseconds) override;
};

} // namespace platform
