#include "game/forms/dialogform.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "platform/screen.h"

namespace vuska {

DialogForm::DialogForm(const QString& objectName, const QString& caption, int clientWidthTwips,
                       int clientHeightTwips, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(pixelsX(clientWidthTwips), pixelsY(clientHeightTwips));
}

int DialogForm::pixelsX(int twips)
{
    return qRound(double(twips) / platform::screen::twipsPerPixelX());
}

int DialogForm::pixelsY(int twips)
{
    return qRound(double(twips) / platform::screen::twipsPerPixelY());
}

void DialogForm::place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(pixelsX(left), pixelsY(top), pixelsX(width), pixelsY(height));
}

void DialogForm::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    QDialog::setVisible(visible);
}

} // namespace vuska

namespace vuska {

QPushButton* commandButton(QWidget* parent, int index, const QString& caption, std::function<void(int)> handler)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("cmdPainike_%1").arg(index));
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, parent, [button, index, handler = std::move(handler)] {
        if (button->isEnabled())
            handler(index);
    });
    return button;
}

} // namespace vuska
