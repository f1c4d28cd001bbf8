#include "setup/wizard/frmvaihe4.h"

#include <QLabel>
#include <QPushButton>

#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/mdlvuskanasennus.h"

namespace vuska::setup {

frmVaihe4::frmVaihe4(mdlVuskanAsennus& installer)
    : WizardPage(installer, QStringLiteral("frmVaihe4"), nextButtonText())
{
    //: Ready page, first paragraph (at most three lines).
    lblTeksti_[0] = addLabel(0,
                             tr("Asennusohjelma on nyt valmis aloittamaan Vuskan tiedostojen "
                                "kopioimisen aiemmin valitsemaasi kansioon."),
                             240, 735);
    //: At most two lines. "Seuraava" is the caption of the Next button, without its access key.
    lblTeksti_[1] = addLabel(1, tr("Paina Seuraava-painiketta aloittaaksesi asennuksen."), 1080, 495);
    //: At most two lines. "Edellinen" is the caption of the Back button, without its access key.
    lblTeksti_[2] = addLabel(2, tr("Jos haluat muuttaa antamiasi asennustietoja, paina Edellinen-painiketta."),
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
