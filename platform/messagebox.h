#pragma once

#include <functional>

#include <QString>

class QFont;
class QWidget;

namespace platform {

// The standard message box of the programs. Texts are always shown as plain text.
enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Information, Question, Exclamation };
enum class MsgDefault { First, Second };
enum class MsgAnswer { Ok, Yes, No, Closed };

struct MessageBoxRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    MsgDefault defaultButton = MsgDefault::First;
    // When helpFile is not empty the box carries an "Ohje" button that opens the help
    // file at helpContext and leaves the box open.
    QString helpFile;
    int helpContext = 0;
};

// Shows the box modally over parent (or the active window) and returns the answer.
MsgAnswer messageBox(const MessageBoxRequest& request, QWidget* parent = nullptr);

// Tests replace the real box by a handler that records the request and gives a scripted
// answer; an empty handler restores the real box.
using MessageBoxHandler = std::function<MsgAnswer(const MessageBoxRequest&)>;
void setMessageBoxHandler(MessageBoxHandler handler);

// The text with a line feed added wherever one of its lines is wider than `width` pixels in
// the font: at a blank where there is one, else between two characters.
QString wrapToWidth(const QString& text, const QFont& font, int width);

// The text as the box shows it: a lone carriage return breaks the line, as on Windows.
QString messageBoxDisplayText(const QString& text);

} // namespace platform
