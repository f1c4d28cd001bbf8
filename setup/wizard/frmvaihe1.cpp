#include "setup/wizard/frmvaihe1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "setup/wizard/frmvaihe0.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/kayttoehdot.h"
#include "setup/wizard/mdlvuskanasennus.h"

namespace vuska::setup {

frmVaihe1::frmVaihe1(mdlVuskanAsennus& installer)
    : WizardPage(installer, QStringLiteral("frmVaihe1"),
                 //: Button: accepts the terms of use and goes on. Short: the button is about 12 characters
                 //: wide.
                 tr("&Hyväksy >"))
{
    lblTeksti_[0] = addLabel(0, QString(), 120, 105);

    txtEhdot_ = new QPlainTextEdit(this);
    txtEhdot_->setObjectName(QStringLiteral("txtEhdot"));
    //: Screen reader's name of the box that shows the terms of use.
    txtEhdot_->setAccessibleName(tr("Käyttöehdot"));
    txtEhdot_->setReadOnly(true);
    txtEhdot_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtEhdot_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtEhdot_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The box breaks lines where the text has its CR LF pairs.
    txtEhdot_->setPlainText(termsText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    place(txtEhdot_, ContentLeft, 240, ContentWidth, 4410);

    lblTeksti_[1] = addLabel(1, QString(), 4710, 105);
    setTabOrder({txtEhdot_}, cmdPainike_[2]);
}

void frmVaihe1::cmdPainike_Click(int index)
{
    if (index == 0)
        installer().ConfirmCancelSetup();
    else if (index == 1)
        installer().goTo(this, &installer().vaihe0());
    else if (index == 2)
        installer().goTo(this, &installer().vaihe2());
}

} // namespace vuska::setup
