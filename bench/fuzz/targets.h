#pragma once

#include <functional>
#include <vector>

#include <QString>

#include "bench/fuzz/fuzzengine.h"

// The readers of stored and typed data, each as a fuzz target working in `sandbox`.
namespace vuska::fuzz {

Target registryTarget(const QString& sandbox);
Target pictureTarget(const QString& sandbox, const QString& setFolder);
Target helpTarget(const QString& sandbox, const QString& setFolder);
Target pathsTarget(const QString& sandbox);
Target desktopTarget(const QString& sandbox);

// Every target, in the order of the table, each made by name for a sandbox of its own; the
// set folder holds the installation set's pictures and help, the seeds of their targets.
struct NamedTarget {
    const char* name;
    std::function<Target(const QString& sandbox)> make;
};
std::vector<NamedTarget> allTargets(const QString& setFolder);

// The environment every target's worker needs: a throw-away home, a drive map of its own.
void prepareSandbox(const QString& sandbox);
// A Qt application for the worker (the help's text documents need fonts).
void startWorkerApplication();

} // namespace vuska::fuzz
