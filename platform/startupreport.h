#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace platform {

// For the start-up benchmarks: when VUSKA_STARTUP_REPORT names a file, the wall-clock time
// (nanoseconds since the epoch) at which the window has been painted for the first time is
// written there. Nothing happens otherwise.
class StartupReport : public QObject {
public:
    static void watch(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit StartupReport(QString file) : file_(std::move(file)) {}
    QString file_;
    bool done_ = false;
};

} // namespace platform
