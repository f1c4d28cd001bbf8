#pragma once

#include <QString>

class QWidget;

namespace platform {

// Opens the program's help file at the topic with the given context number, or at its
// index. Returns false when the file cannot be opened or read as a help file; the callers
// tell the user, each in its own words.
bool openHelpTopic(const QString& helpFile, int context, QWidget* parent = nullptr);
bool openHelpIndex(const QString& helpFile, QWidget* parent = nullptr);

// The message a help button shows when the file cannot be opened.
QString helpFileFailureText(const QString& helpFile);

} // namespace platform
