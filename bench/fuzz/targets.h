#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <span>
#include <vector>

#include <QByteArray>
#include <QString>

// The readers of stored and typed data, each as a fuzz target working in `sandbox`.
namespace vuska::fuzz {

struct Target {
    const char* name;
    long fullInputs; // the inputs of a full run
    std::vector<QByteArray> seeds;
    // Runs once before the first input (a sandbox of its own, say).
    std::function<void()> setUp;
    // One input. A check that fails calls fail().
    std::function<void(std::span<const uint8_t>)> run;
};

// A failed check: prints it and aborts, which the fuzzer keeps as a crash with its input.
[[noreturn]] inline void fail(const char* target, const QString& what)
{
    std::fprintf(stderr, "%s: check failed: %s\n", target, what.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

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

// The environment every target needs: a throw-away home, a drive map of its own.
void prepareSandbox(const QString& sandbox);
// A Qt application for the fuzz program (the help's text documents need fonts).
void startApplication();

} // namespace vuska::fuzz
