#pragma once

#include <QString>

#include "bench/fuzz/fuzzengine.h"

// The readers of stored and typed data, each as a fuzz target working in `sandbox`.
namespace vuska::fuzz {

Target registryTarget(const QString& sandbox);
Target pictureTarget(const QString& sandbox, const QString& setFolder);
Target helpTarget(const QString& sandbox, const QString& setFolder);
Target pathsTarget(const QString& sandbox);
Target desktopTarget(const QString& sandbox);

// The environment every target's worker needs: a throw-away home, a drive map of its own.
void prepareSandbox(const QString& sandbox);
// A Qt application for the worker (the help's text documents need fonts).
void startWorkerApplication();

} // namespace vuska::fuzz
