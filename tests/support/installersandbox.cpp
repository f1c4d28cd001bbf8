#include "tests/support/installersandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "platform/drives.h"

namespace vuska::test {

InstallerSandbox::InstallerSandbox(std::optional<qint64> free)
    : savedConfig_(qgetenv("XDG_CONFIG_HOME")), savedData_(qgetenv("XDG_DATA_HOME")), free_(free)
{
    if (!dir_.isValid())
        qFatal("cannot create the installer sandbox");
    QDir().mkpath(configHome());
    QDir().mkpath(dataHome());
    QDir().mkpath(cRoot() + QStringLiteral("/Program Files"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    writeDriveMap(QStringLiteral("C=") + cRoot() + QStringLiteral("\nZ=/\n"));
    platform::drives::setFreeSpaceQuery([this](const QString&) {
        ++queries_;
        return free_;
    });
}

InstallerSandbox::~InstallerSandbox()
{
    platform::drives::setFreeSpaceQuery({});
    qputenv("XDG_CONFIG_HOME", savedConfig_);
    qputenv("XDG_DATA_HOME", savedData_);
    platform::drives::reset();
}

void InstallerSandbox::writeDriveMap(const QString& lines)
{
    const QString path = configHome() + QStringLiteral("/vuska-drives/drives.ini");
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the drive map");
    file.write(lines.toUtf8());
    file.close();
    platform::drives::reset();
}

QString InstallerSandbox::makeFolder(const QString& relative)
{
    const QString path = root() + u'/' + relative;
    if (!QDir().mkpath(path))
        qFatal("cannot make a sandbox folder");
    return path;
}

QString InstallerSandbox::makeFile(const QString& relative)
{
    const QString path = root() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot make a sandbox file");
    file.write("x");
    return path;
}

void InstallerSandbox::setFreeBytes(std::optional<qint64> free)
{
    free_ = free;
}

QString InstallerSandbox::makeInstallationSet(std::span<const setup::InstallFile> files)
{
    const QString source = makeFolder(QStringLiteral("c/Temp/vuska122"));
    for (const setup::InstallFile& f : files) {
        QFile file(source + QLatin1Char('/') + QLatin1String(f.name));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(int(f.size), 'x'));
    }
    return source;
}

} // namespace vuska::test
