#include "setup/uninstall/frmpoistamattomattiedostot.h"

#include <QLabel>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

#include "platform/pointer.h"

namespace vuska::setup {

namespace {

using platform::ScreenPointer;

// The layout in twips. The label holds the longer of the two instruction texts with a folder
// path of the longest length Windows knows (260 characters); a longer one makes the dialog
// grow.
constexpr int kClientWidth = 5640;
constexpr int kMargin = 120;
constexpr int kLabelTop = 120;
constexpr int kLabelWidth = 5400;
constexpr int kLabelHeight = 1905;
constexpr int kListTop = 2145;
constexpr int kListHeight = 1500;
constexpr int kButtonTop = 3765;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;
constexpr int kClientHeight = kButtonTop + kButtonHeight + kMargin;

// A word-wrapped label that, unlike QLabel, also breaks a word that is wider than a whole line
// (a folder path without blanks), so that no part of the text is ever cut off.
class WrappingLabel : public QLabel {
public:
    explicit WrappingLabel(QWidget* parent) : QLabel(parent) {}

    bool hasHeightForWidth() const override { return true; }

    int heightForWidth(int width) const override
    {
        const QMargins m = contentsMargins();
        QTextLayout layout;
        return qCeil(lay(layout, width - m.left() - m.right()).height()) + m.top() + m.bottom();
    }

    QSize sizeHint() const override
    {
        const QMargins m = contentsMargins();
        QTextLayout layout;
        const qreal natural = lay(layout, kUnbounded).width();
        const int available = contentsRect().width();
        const int width = available > 0 ? std::min(qCeil(natural), available) : qCeil(natural);
        return {width + m.left() + m.right(), heightForWidth(width + m.left() + m.right())};
    }

    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        QTextLayout layout;
        lay(layout, contentsRect().width());
        layout.draw(&painter, contentsRect().topLeft());
    }

private:
    // Lays the text out in lines of the width; the size of the text as laid out.
    QSizeF lay(QTextLayout& layout, qreal width) const
    {
        QString shown = text();
        shown.replace(u'\n', QChar::LineSeparator);
        layout.setText(shown);
        layout.setFont(font());
        QTextOption option(alignment());
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        qreal top = 0;
        qreal widest = 0;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max<qreal>(width, 1));
            line.setPosition(QPointF(0, top));
            top += line.height();
            widest = std::max(widest, line.naturalTextWidth());
        }
        layout.endLayout();
        return {widest, top};
    }

    static constexpr qreal kUnbounded = 1 << 20;
};

} // namespace

frmPoistamattomatTiedostot::frmPoistamattomatTiedostot(QWidget* owner)
    : platform::DialogForm(QStringLiteral("frmPoistamattomatTiedostot"),
                           //: The title of the window that lists what the user must still delete after the removal.
                           tr("Tiedoksi"), kClientWidth, kClientHeight, owner)
{
    lblTomenpiteet_ = new WrappingLabel(this);
    lblTomenpiteet_->setObjectName(QStringLiteral("lblTomenpiteet"));
    lblTomenpiteet_->setTextFormat(Qt::PlainText);
    lblTomenpiteet_->setWordWrap(true);
    lblTomenpiteet_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lblTomenpiteet_, kMargin, kLabelTop, kLabelWidth, kLabelHeight);

    lstTiedostot_ = new QListWidget(this);
    lstTiedostot_->setObjectName(QStringLiteral("lstTiedostot"));
    //: Screen reader's name of the list of files that could not be deleted.
    lstTiedostot_->setAccessibleName(tr("Poistamatta jääneet tiedostot"));
    lstTiedostot_->setSelectionMode(QAbstractItemView::SingleSelection);
    place(lstTiedostot_, kMargin, kListTop, kLabelWidth, kListHeight);

    //: Button: closes the window.
    cmdPainike_ = platform::commandButton(this, 0, tr("OK"), [this](int) { cmdPainike_Click(); });
    // The dialog's only button is no row of buttons: it carries the plain name.
    cmdPainike_->setObjectName(QStringLiteral("cmdPainike"));
    cmdPainike_->setDefault(true);
    place(cmdPainike_, (kClientWidth - kButtonWidth) / 2, kButtonTop, kButtonWidth, kButtonHeight);

    setTabOrder(lstTiedostot_, cmdPainike_);
    baseLabelHeight_ = lblTomenpiteet_->height();
    baseListTop_ = lstTiedostot_->y();
    baseButtonTop_ = cmdPainike_->y();
    baseHeight_ = height();
}

void frmPoistamattomatTiedostot::showLeftovers(const QString& instructions, const QStringList& names)
{
    setInstructions(instructions);
    setFiles(names);
    cmdPainike_->setFocus();
    exec();
}

void frmPoistamattomatTiedostot::setInstructions(const QString& instructions)
{
    lblTomenpiteet_->setText(instructions);
    const int needed = lblTomenpiteet_->heightForWidth(lblTomenpiteet_->width());
    const int extra = std::max(0, needed - baseLabelHeight_);
    lblTomenpiteet_->resize(lblTomenpiteet_->width(), baseLabelHeight_ + extra);
    lstTiedostot_->move(lstTiedostot_->x(), baseListTop_ + extra);
    cmdPainike_->move(cmdPainike_->x(), baseButtonTop_ + extra);
    setFixedSize(width(), baseHeight_ + extra);
}

void frmPoistamattomatTiedostot::setFiles(const QStringList& names)
{
    lstTiedostot_->clear();
    lstTiedostot_->addItems(names);
}

void frmPoistamattomatTiedostot::cmdPainike_Click()
{
    platform::setScreenPointer(ScreenPointer::Hourglass);
    QDialog::accept();
    platform::setScreenPointer(ScreenPointer::Default);
}

void frmPoistamattomatTiedostot::reject()
{
    cmdPainike_Click();
}

} // namespace vuska::setup
