#include "tests/support/sandbox.h"

#include <QDir>

#include <sys/stat.h>

namespace vuska::test {

Sandbox::Sandbox()
{
    if (!dir_.isValid())
        qFatal("cannot create the test sandbox folder");
    const QString root = dir_.path();
    const char* names[][2] = {{"HOME", "/home"},
                              {"XDG_CONFIG_HOME", "/config"},
                              {"XDG_DATA_HOME", "/data"},
                              {"XDG_CACHE_HOME", "/cache"},
                              {"XDG_RUNTIME_DIR", "/run"}};
    for (const auto& n : names) {
        const QString path = root + QLatin1String(n[1]);
        QDir().mkpath(path);
        qputenv(n[0], path.toLocal8Bit());
    }
    QFile::setPermissions(root + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The system's folders as the freedesktop.org defaults name them: a desktop session's own
    // list (flatpak's, a desktop's) would otherwise decide which menus a test sees.
    qputenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    qputenv("XDG_CONFIG_DIRS", "/etc/xdg");
    // The usual file mode mask: what the tests expect of the modes of the files the programs
    // write must not hang on the caller's (077 is common for root).
    ::umask(022);
}

} // namespace vuska::test
