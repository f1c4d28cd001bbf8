#include "game/forms/frmtietoja.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "game/engine/mdlvuska.h"
#include "game/forms/labeltext.h"
#include "game/registry/settingskey.h"
#include "platform/accessiblepress.h"
#include "platform/messagebox.h"
#include "platform/picture.h"
#include "platform/pointer.h"

namespace vuska {

using platform::ScreenPointer;

namespace {

struct Addresses {
    QString email = QStringLiteral(VUSKA_AUTHOR_EMAIL);
    QString homePage = QStringLiteral(VUSKA_HOME_PAGE);
};

Addresses& addresses()
{
    static Addresses current;
    return current;
}

frmTietoja::UrlOpener& urlOpener()
{
    static frmTietoja::UrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

// Widens a label to its text where the design's width is too narrow for this font, but
// never beyond its parent.
void fitWidth(QLabel* label)
{
    const int wanted = label->sizeHint().width();
    const int room = label->parentWidget()->width() - label->x() - 4;
    if (wanted > label->width())
        label->resize(std::min(wanted, room), label->height());
}

// An address that opens when clicked, and for a player without the mouse when Enter or Space
// is pressed on it (Tab reaches it) or a screen reader presses it as a link.
class LinkLabel : public QLabel {
public:
    LinkLabel(std::function<void()> open, QWidget* parent) : QLabel(parent), open_(std::move(open))
    {
        static const bool accessible = (QAccessible::installFactory(accessibleLink), true);
        (void)accessible;
        setFocusPolicy(Qt::TabFocus);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            open_();
        else
            QLabel::mouseReleaseEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const int key = event->key();
        if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
            if (!event->isAutoRepeat())
                open_();
            return;
        }
        QLabel::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QStylePainter painter(this);
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = contentsRect().intersected(
            QRect(contentsRect().topLeft(), QSize(fontMetrics().horizontalAdvance(text()) + 2, height())));
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
    }

private:
    static QAccessibleInterface* accessibleLink(const QString&, QObject* object)
    {
        auto* label = dynamic_cast<LinkLabel*>(object);
        return label ? new platform::PressableAccessible(label, QAccessible::Link, [label] { label->open_(); })
                     : nullptr;
    }

    std::function<void()> open_;
};

} // namespace

frmTietoja::frmTietoja(const QString& programFolder, QWidget* parent)
    : platform::DialogForm(QStringLiteral("frmTietoja"), tr("Tietoja ohjelmasta"), 5655, 3495, parent),
      programFolder_(programFolder)
{
    pTaustakuva_ = new QLabel(this);
    pTaustakuva_->setObjectName(QStringLiteral("pTaustakuva"));
    pTaustakuva_->setAccessibleName(tr("Vuskan kuva: hertta rouva kortin selkäpuolen päällä"));
    pTaustakuva_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pTaustakuva_->setLineWidth(2);
    pTaustakuva_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pTaustakuva_->setPixmap(platform::designPicture(QStringLiteral(":/vuska/tietoja.jpg"), QSize(150, 270)));
    place(pTaustakuva_, 120, 120, 1815, 3255);

    struct Design {
        int index;
        const char* text;
        int left, top, width, height;
    };
    const Design labels[] = {
        {0, "Vuska", 2280, 240, 492, 252},
        {1, QT_TR_NOOP("Versio 1.22 Freeware"), 2280, 480, 1695, 255},
        {2, "", 2280, 840, 2415, 255},
        {5, QT_TR_NOOP("Kommentit, kehitysideat ja virheilmoitukset:"), 2280, 1560, 3252, 252},
        {3, "", 2280, 1800, 2052, 252},
        {6, QT_TR_NOOP("Viimeisimmät tiedotteet ja päivitykset:"), 2280, 2160, 3252, 252},
        {4, "", 2280, 2400, 2052, 252},
    };
    for (const Design& d : labels) {
        const bool link = d.index == 3 || d.index == 4;
        auto* label = link ? new LinkLabel([this, i = d.index] { lblTeksti_Click(i); }, this) : new QLabel(this);
        label->setText(*d.text ? tr(d.text) : QString());
        label->setObjectName(QStringLiteral("lblTeksti_%1").arg(d.index));
        label->setTextFormat(Qt::PlainText);
        place(label, d.left, d.top, d.width, d.height);
        lblTeksti_[size_t(d.index)] = label;
    }
    QFont bold = lblTeksti_[0]->font();
    bold.setBold(true);
    lblTeksti_[0]->setFont(bold);
    for (const int link : {3, 4}) {
        QLabel* label = lblTeksti_[size_t(link)];
        QFont underlined = label->font();
        underlined.setUnderline(true);
        label->setFont(underlined);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
        label->setPalette(palette);
    }
    for (QLabel* label : lblTeksti_)
        fitWidth(label);
    // An address takes the room there is up to the box's edge; a longer one is cut in the
    // middle and shown whole as its link's tip. A click opens it whole either way.
    const QString links[2] = {authorEmail(), homePage()};
    for (const int link : {3, 4}) {
        QLabel* label = lblTeksti_[size_t(link)];
        label->setText(links[link - 3]);
        label->setAccessibleName(links[link - 3]);
        fitWidth(label);
        showCutToFit(label, links[link - 3], Qt::ElideMiddle);
    }

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("frKehysviiva"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    place(line, 2160, 1320, 3375, 35);

    cmdPainike_ = new QPushButton(QStringLiteral("OK"), this);
    cmdPainike_->setObjectName(QStringLiteral("cmdPainike"));
    cmdPainike_->setDefault(true);
    place(cmdPainike_, 4320, 3000, 1215, 375);
    connect(cmdPainike_, &QPushButton::clicked, this, &frmTietoja::cmdPainike_Click);
}

QString frmTietoja::authorEmail()
{
    return addresses().email;
}

QString frmTietoja::homePage()
{
    return addresses().homePage;
}

void frmTietoja::setAddresses(const QString& email, const QString& homePage)
{
    addresses() = email.isEmpty() && homePage.isEmpty() ? Addresses{} : Addresses{email, homePage};
}

QCursor frmTietoja::pointingHandCursor()
{
    // The hot spot is the fingertip, in the 32 x 32 design's pixels.
    return platform::designCursor(QStringLiteral(":/vuska/sormi32.png"), QSize(32, 32), QPoint(11, 0));
}

void frmTietoja::setUrlOpener(UrlOpener opener)
{
    urlOpener() = opener ? std::move(opener) : [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void frmTietoja::showModal()
{
    Form_Load();
    cmdPainike_->setFocus();
    exec();
}

void frmTietoja::Form_Load()
{
    platform::setScreenPointer(ScreenPointer::Default);
    const QCursor hand = pointingHandCursor();
    lblTeksti_[3]->setCursor(hand);
    lblTeksti_[4]->setCursor(hand);
    //: %1 is the author's name.
    lblTeksti_[2]->setText(tr("Tekijä: %1").arg(AuthorName));
    fitWidth(lblTeksti_[2]);
}

void frmTietoja::cmdPainike_Click()
{
    platform::setScreenPointer(ScreenPointer::Hourglass);
    accept();
    platform::setScreenPointer(ScreenPointer::Default);
}

void frmTietoja::lblTeksti_Click(int index)
{
    if (index == 3)
        openLink(QStringLiteral("mailto:") + authorEmail(), tr("Sähköpostin lähetys ei onnistunut."));
    else if (index == 4)
        openLink(homePage(), tr("Vuskan kotisivun avaus ei onnistunut."));
}

void frmTietoja::openLink(const QString& address, const QString& failure)
{
    platform::setScreenPointer(ScreenPointer::Hourglass);
    const bool issued = urlOpener()(QUrl(address));
    platform::setScreenPointer(ScreenPointer::Default);
    if (issued)
        return;
    // Both links name the same help file the same way; if it cannot be opened, the help
    // button itself says so.
    platform::MessageBoxRequest box;
    box.text = failure;
    box.title = tr("Virhe");
    box.icon = platform::MsgIcon::Exclamation;
    box.helpFile = helpFileIn(programFolder_);
    box.helpContext = 19;
    platform::messageBox(box, this);
}

} // namespace vuska
