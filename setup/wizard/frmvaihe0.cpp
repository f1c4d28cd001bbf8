#include "setup/wizard/frmvaihe0.h"

#include <QLabel>
#include <QPushButton>

#include "setup/wizard/frmvaihe1.h"
#include "setup/wizard/installationrecord.h"
#include "setup/wizard/mdlvuskanasennus.h"

namespace vuska::setup {

frmVaihe0::frmVaihe0(mdlVuskanAsennus& installer)
    : WizardPage(installer, QStringLiteral("frmVaihe0"), nextButtonText())
{
    // The labels of the pages are 300 pixels wide at 96 dpi; one of 735 twips holds three
    // lines, one of 495 twips two.
    //: Welcome page, first paragraph (at most three lines).
    lblTeksti_[0] = addLabel(0, tr("Tämä asennusohjelma asentaa Vuska-ohjelman version 1.22 Freeware."), 240, 735);
    //: Welcome page, second paragraph (at most three lines).
    lblTeksti_[1] = addLabel(1,
                             tr("Muiden Windows-sovellusten sulkeminen ennen itse asennuksen aloittamista "
                                "on erittäin suositeltavaa."),
                             1080, 735);
    cmdPainike_[1]->setEnabled(false);
    setTabOrder({}, cmdPainike_[2]);
}

void frmVaihe0::Form_Load()
{
    QString source = installer().programFolder();
    if (source.endsWith(u'\\'))
        source.chop(1);
    installer().SourceFolder = source;

    if (!GameIsInstalled())
        return;
    if (installer().createRemovalWindow) {
        installer().adoptRemovalWindow(installer().createRemovalWindow());
        if (QWidget* removal = installer().removalWindow())
            removal->show();
    }
    installer().unload(this);
}

void frmVaihe0::cmdPainike_Click(int index)
{
    if (index == 0)
        installer().ConfirmCancelSetup();
    else if (index == 2)
        installer().goTo(this, &installer().vaihe1());
}

} // namespace vuska::setup
