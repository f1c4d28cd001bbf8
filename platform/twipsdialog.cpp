#include "platform/twipsdialog.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "platform/screen.h"

namespace platform {

DialogForm::DialogForm(const QString& objectName, const QString& caption, int clientWidthTwips,
                       int clientHeightTwips, QWidget* parent, DialogPlacement placement)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      placement_(placement)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(placement == DialogPlacement::CentredOnScreen);
    setFixedSize(pixelsX(clientWidthTwips), pixelsY(clientHeightTwips));
}

int DialogForm::pixelsX(int twips)
{
    return qRound(double(twips) / screen::twipsPerPixelX());
}

int DialogForm::pixelsY(int twips)
{
    return qRound(double(twips) / screen::twipsPerPixelY());
}

void DialogForm::place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(pixelsX(left), pixelsY(top), pixelsX(width), pixelsY(height));
}

void DialogForm::setVisible(bool visible)
{
    if (visible && !isVisible() && placement_ == DialogPlacement::CentredOnScreen) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    QDialog::setVisible(visible);
}

void DialogForm::showEvent(QShowEvent* event)
{
    // QDialog would centre a window the program never moved; this one is left to the window
    // manager instead, as any new top-level window is.
    if (placement_ == DialogPlacement::AsPlaced)
        QWidget::showEvent(event);
    else
        QDialog::showEvent(event);
}

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

} // namespace platform
