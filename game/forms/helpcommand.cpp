#include "game/forms/helpcommand.h"

#include <QCoreApplication>

#include "platform/help.h"
#include "platform/messagebox.h"

namespace vuska {

namespace {

void sayHelpFailed(QWidget* parent)
{
    platform::MessageBoxRequest box;
    box.text = QCoreApplication::translate("vuska::helpcommand", "Ohjetiedoston vuska.hlp avaus ei onnistu.");
    box.title = QCoreApplication::translate("vuska::helpcommand", "Virhe");
    box.icon = platform::MsgIcon::Exclamation;
    platform::messageBox(box, parent);
}

} // namespace

void showHelpTopic(const QString& helpFile, int context, QWidget* parent)
{
    if (!platform::openHelpTopic(helpFile, context, parent))
        sayHelpFailed(parent);
}

void showHelpIndex(const QString& helpFile, QWidget* parent)
{
    if (!platform::openHelpIndex(helpFile, parent))
        sayHelpFailed(parent);
}

bool showHelpContents(const QString& helpFile, QWidget* parent)
{
    if (platform::openHelpContents(helpFile, parent))
        return true;
    sayHelpFailed(parent);
    return false;
}

} // namespace vuska
