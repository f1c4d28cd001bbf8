#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace vuska::test {

// What desktop-file-validate says of a desktop or directory entry: every line, hints too, since
// desktops file an entry by what the hints ask for. Empty when it has nothing to say.
inline QString validatorOutput(const QString& file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (tool.isEmpty())
        return QStringLiteral("desktop-file-validate is not installed (package desktop-file-utils)");
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, {file});
    if (!process.waitForFinished(60000))
        return QStringLiteral("desktop-file-validate did not finish");
    QString output = QString::fromUtf8(process.readAll()).trimmed();
    if (process.exitCode() != 0)
        output += QStringLiteral("\nexit code %1").arg(process.exitCode());
    return output.trimmed();
}

} // namespace vuska::test
