#include "setup/wizard/frmvaihe4.h"

#include <QLabel>
#include <QPushButton>

#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/mdlvuskanasennus.h"

namespace vuska::setup {

frmVaihe4::frmVaihe4(mdlVuskanAsennus& installer)
    : WizardPage(installer, QStringLiteral("frmVaihe4"), QStringLiteral("&Seuraava >"))
{
    lblTeksti_[0] = addLabel(0,
                             QStringLiteral("Asennusohjelma on nyt valmis aloittamaan Vuskan tiedostojen "
                                            "kopioimisen aiemmin valitsemaasi kansioon."),
                             240, 735);
    lblTeksti_[1] = addLabel(1, QStringLiteral("Paina Seuraava-painiketta aloittaaksesi asennuksen."), 1080, 495);
    lblTeksti_[2] = addLabel(2,
                             QStringLiteral("Jos haluat muuttaa antamiasi asennustietoja, paina "
                                            "Edellinen-painiketta."),
                             1680, 495);
    setTabOrder({}, cmdPainike_[2]);
}

void frmVaihe4::cmdPainike_Click(int index)
{
    if (index == 0)
        installer().ConfirmCancelSetup();
    else if (index == 1)
        installer().goTo(this, &installer().vaihe3());
    else if (index == 2 && installer().showCopyWindow)
        installer().showCopyWindow();
}

} // namespace vuska::setup
