#include "setup/wizard/frmvaihe5.h"

#include <QLabel>
#include <QPushButton>

#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "setup/wizard/mdlvuskanasennus.h"

namespace vuska::setup {

frmVaihe5::frmVaihe5(mdlVuskanAsennus& installer)
    : WizardPage(installer, QStringLiteral("frmVaihe5"),
                 //: Button of the last page: closes setup. Short: the button is about 12 characters wide.
                 tr("&Lopeta"), QStringLiteral("Picture1"))
{
    //: Last page, at most two lines.
    lblTeksti_[0] = addLabel(0, tr("Ohjelma on nyt asennettu. Kiitos Vuskan asentamisesta!"), 240, 495);
    //: At most two lines. "Lopeta" is the caption of the Finish button, without its access key.
    lblTeksti_[1] = addLabel(1, tr("Paina Lopeta-painiketta sulkeaksesi asennusohjelman."), 840, 495);
    cmdPainike_[0]->setEnabled(false);
    cmdPainike_[1]->setEnabled(false);
    setTabOrder({}, cmdPainike_[2]);
}

void frmVaihe5::cmdPainike_Click(int index)
{
    if (index == 2)
        finish();
}

bool frmVaihe5::Form_QueryUnload(platform::UnloadMode)
{
    finish();
    return false;
}

void frmVaihe5::finish()
{
    if (installer().unloading() || platform::lifetime::ending())
        return;
    platform::setScreenPointer(platform::ScreenPointer::Hourglass);
    installer().unloadAllAndEnd();
}

} // namespace vuska::setup
