#include "platform/messagebox.h"

#include <QCoreApplication>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <QVBoxLayout>

#include "platform/help.h"
#include "platform/pointer.h"

namespace platform {

namespace {

MessageBoxHandler& handlerSlot()
{
    static MessageBoxHandler handler;
    return handler;
}

QStyle::StandardPixmap iconPixmap(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QStyle::SP_MessageBoxInformation;
    case MsgIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MsgIcon::Exclamation: return QStyle::SP_MessageBoxWarning;
    case MsgIcon::None: break;
    }
    return QStyle::SP_CustomBase;
}

// What a screen reader says of the icon: the kind of box it marks.
QString iconName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QCoreApplication::translate("platform::MessageBox", "Tiedoksi");
    case MsgIcon::Question: return QCoreApplication::translate("platform::MessageBox", "Kysymys");
    case MsgIcon::Exclamation: return QCoreApplication::translate("platform::MessageBox", "Varoitus");
    case MsgIcon::None: break;
    }
    return {};
}

// The box as Windows draws it: icon at the left, the text beside it, the buttons centred
// below. A Yes/No box can only be answered with its buttons (no Esc, no close box), as
// there is no cancel answer; an OK box treats Esc and the close box as OK. The help
// button opens help and leaves the box open, which a QMessageBox cannot do.
class MessageBoxDialog : public QDialog {
public:
    MessageBoxDialog(const MessageBoxRequest& request, QWidget* parent)
        : QDialog(parent), request_(request)
    {
        setObjectName(QStringLiteral("messageBox"));
        setWindowTitle(request.title);
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::CustomizeWindowHint |
                       (request.buttons == MsgButtons::Ok ? Qt::WindowCloseButtonHint
                                                          : Qt::WindowType(0)));
        setModal(true);

        auto* top = new QHBoxLayout;
        top->setSpacing(14);
        if (request.icon != MsgIcon::None) {
            auto* icon = new QLabel(this);
            icon->setObjectName(QStringLiteral("icon"));
            icon->setAccessibleName(iconName(request.icon));
            const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
            icon->setPixmap(style()->standardIcon(iconPixmap(request.icon), nullptr, this).pixmap(size));
            icon->setAlignment(Qt::AlignTop);
            top->addWidget(icon, 0, Qt::AlignTop);
        }
        auto* text = new QLabel(this);
        text->setObjectName(QStringLiteral("text"));
        text->setTextFormat(Qt::PlainText);
        // No box is wider than the screen has room for, or its buttons could not be reached:
        // a longer line (a long path has no blank to break at) is broken where it has to be.
        const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        const int iconRoom = request.icon == MsgIcon::None
                                 ? 0
                                 : style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this) + top->spacing();
        const int room = screen ? screen->availableGeometry().width() * 3 / 4 - iconRoom - 2 * Margin : 0;
        text->setText(wrapToWidth(messageBoxDisplayText(request.text), text->font(), room));
        text->setTextInteractionFlags(Qt::NoTextInteraction);
        top->addWidget(text, 1, Qt::AlignVCenter);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        if (request.buttons == MsgButtons::YesNo) {
            first_ = addButton(buttons, QCoreApplication::translate("platform::MessageBox", "&Kyllä"), QStringLiteral("yesButton"));
            second_ = addButton(buttons, QCoreApplication::translate("platform::MessageBox", "&Ei"), QStringLiteral("noButton"));
            connect(first_, &QPushButton::clicked, this, [this] { finish(MsgAnswer::Yes); });
            connect(second_, &QPushButton::clicked, this, [this] { finish(MsgAnswer::No); });
        } else {
            first_ = addButton(buttons, QStringLiteral("OK"), QStringLiteral("okButton"));
            connect(first_, &QPushButton::clicked, this, [this] { finish(MsgAnswer::Ok); });
        }
        if (!request.helpFile.isEmpty()) {
            QPushButton* help = addButton(buttons, QCoreApplication::translate("platform::MessageBox", "Ohje"), QStringLiteral("helpButton"));
            connect(help, &QPushButton::clicked, this, [this] { showHelpOrSayWhy(); });
            // F1 asks for the same help, as in any Windows message box with a help button.
            auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
            connect(f1, &QShortcut::activated, this, [this] { showHelpOrSayWhy(); });
        }
        buttons->addStretch(1);

        auto* outer = new QVBoxLayout(this);
        outer->setContentsMargins(Margin, 14, Margin, 10);
        outer->setSpacing(14);
        outer->addLayout(top);
        outer->addLayout(buttons);
        outer->setSizeConstraint(QLayout::SetFixedSize);

        QPushButton* preferred =
            request.defaultButton == MsgDefault::Second && second_ ? second_ : first_;
        preferred->setDefault(true);
        preferred->setFocus();
    }

    MsgAnswer answer() const { return answer_; }

    void reject() override
    {
        if (request_.buttons == MsgButtons::Ok)
            finish(MsgAnswer::Ok);
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (answer_ == MsgAnswer::Closed && request_.buttons != MsgButtons::Ok) {
            event->ignore();
            return;
        }
        QDialog::closeEvent(event);
    }

private:
    static constexpr int Margin = 12;

    QPushButton* addButton(QHBoxLayout* row, const QString& text, const QString& name)
    {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(true);
        button->setMinimumWidth(75);
        row->addWidget(button);
        return button;
    }

    void showHelpOrSayWhy()
    {
        if (openHelpTopic(request_.helpFile, request_.helpContext, this))
            return;
        MessageBoxRequest failure;
        failure.text = helpFileFailureText(request_.helpFile);
        failure.title = QCoreApplication::translate("platform::MessageBox", "Virhe");
        failure.icon = MsgIcon::Exclamation;
        messageBox(failure, this);
    }

    void finish(MsgAnswer answer)
    {
        answer_ = answer;
        done(QDialog::Accepted);
    }

    MessageBoxRequest request_;
    QPushButton* first_ = nullptr;
    QPushButton* second_ = nullptr;
    MsgAnswer answer_ = MsgAnswer::Closed;
};

} // namespace

void setMessageBoxHandler(MessageBoxHandler handler)
{
    handlerSlot() = std::move(handler);
}

QString wrapToWidth(const QString& text, const QFont& font, int width)
{
    if (width <= 0)
        return text;
    const QFontMetrics metrics(font);
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (metrics.horizontalAdvance(line) <= width) {
            lines.append(line);
            continue;
        }
        // Broken at blanks where it can be, else between any two characters. A break only
        // adds a line feed (a blank stays at the end of its line), so nothing is lost.
        QTextLayout layout(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(width);
            lines.append(line.mid(row.textStart(), row.textLength()));
        }
        layout.endLayout();
    }
    return lines.join(QLatin1Char('\n'));
}

QString messageBoxDisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

MsgAnswer messageBox(const MessageBoxRequest& request, QWidget* parent)
{
    if (handlerSlot())
        return handlerSlot()(request);

    if (!parent)
        parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                   : QApplication::activeWindow();
    MessageBoxDialog box(request, parent);
    // The hourglass must not hang over a box that waits for the user.
    const ScreenPointerGuard pointer(ScreenPointer::Default);
    box.exec();
    return box.answer();
}

} // namespace platform
