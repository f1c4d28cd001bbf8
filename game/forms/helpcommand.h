#pragma once

#include <QString>

class QWidget;

namespace vuska {

// Opens the game's help file at a topic, or at its index, through the help buttons and
// menu; when it cannot be opened the user is told so.
void showHelpTopic(const QString& helpFile, int context, QWidget* parent);
void showHelpIndex(const QString& helpFile, QWidget* parent);
// The help at its contents, as the desktop menu's help entry asks for it. False, after the
// message, when it cannot be opened.
bool showHelpContents(const QString& helpFile, QWidget* parent);

} // namespace vuska
