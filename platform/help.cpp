#include "platform/help.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace platform {

namespace {

bool showHelp(const QString& helpFile, QWidget* parent)
{
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    auto* window = new QDialog(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("helpViewer"));
    window->setWindowTitle(QFileInfo(helpFile).fileName());
    auto* text = new QTextBrowser(window);
    text->setPlainText(QString::fromUtf8(file.readAll()));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(text);
    window->resize(520, 420);
    window->show();
    return true;
}

} // namespace

bool openHelpTopic(const QString& helpFile, int /*context*/, QWidget* parent)
{
    return showHelp(helpFile, parent);
}

bool openHelpIndex(const QString& helpFile, QWidget* parent)
{
    return showHelp(helpFile, parent);
}

QString helpFileFailureText(const QString& helpFile)
{
    return QStringLiteral("Ohjetiedoston %1 avaus ei onnistu.").arg(QFileInfo(helpFile).fileName());
}

} // namespace platform
