#include "setup/wizard/frmvaihe3.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

#include "platform/drives.h"
#include "platform/pointer.h"
#include "platform/shelllinks.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/frmvaihe4.h"
#include "setup/wizard/mdlvuskanasennus.h"

namespace vuska::setup {

using platform::ScreenPointer;

frmVaihe3::frmVaihe3(mdlVuskanAsennus& installer)
    : WizardPage(installer, QStringLiteral("frmVaihe3"), nextButtonText())
{
    //: Program group page (at most three lines): the text box and the list of existing groups follow.
    lblTeksti_ = addLabel(0,
                          tr("Vuska-ohjelman ja sen ohjetiedoston kuvakkeet lisätään alla olevaan "
                             "kenttään kirjoittamaasi tai listasta valitsemaasi ohjelmaryhmään."),
                          240, 735);

    txtOhjelmaryhma_ = new QLineEdit(QStringLiteral("Vuska"), this);
    txtOhjelmaryhma_->setObjectName(QStringLiteral("txtOhjelmaryhma"));
    // The text above both is too long for a name; a reader reads it with the page.
    //: Screen reader's name of the text box that holds the program group's name.
    txtOhjelmaryhma_->setAccessibleName(tr("Ohjelmaryhmä"));
    place(txtOhjelmaryhma_, ContentLeft, 1080, ContentWidth, 315);
    connect(txtOhjelmaryhma_, &QLineEdit::textChanged, this, &frmVaihe3::txtOhjelmaryhma_Change);

    lstOhjelmaryhmat_ = new QListWidget(this);
    lstOhjelmaryhmat_->setObjectName(QStringLiteral("lstOhjelmaryhmat"));
    //: Screen reader's name of the list of the program groups there are.
    lstOhjelmaryhmat_->setAccessibleName(tr("Ohjelmaryhmät"));
    lstOhjelmaryhmat_->setSelectionMode(QAbstractItemView::SingleSelection);
    place(lstOhjelmaryhmat_, ContentLeft, 1470, ContentWidth, 2865);
    connect(lstOhjelmaryhmat_, &QListWidget::itemClicked, this, &frmVaihe3::lstOhjelmaryhmat_Click);
    connect(lstOhjelmaryhmat_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!highlighting_)
            lstOhjelmaryhmat_Click();
    });

    //: Check box: no shortcuts are made at all. One line of about 50 characters; its access key must
    //: differ from the Next and Back buttons'.
    chkEiRyhmaa_ = new QCheckBox(tr("&Ohjelman kuvakkeita ei lisätä ohjelmaryhmään"), this);
    chkEiRyhmaa_->setObjectName(QStringLiteral("chkEiRyhmaa"));
    place(chkEiRyhmaa_, ContentLeft, 4455, ContentWidth, 315);
    connect(chkEiRyhmaa_, &QCheckBox::toggled, this, &frmVaihe3::chkEiRyhmaa_Click);

    setTabOrder({txtOhjelmaryhma_, lstOhjelmaryhmat_, chkEiRyhmaa_}, txtOhjelmaryhma_);
}

void frmVaihe3::Form_Load()
{
    // A Programs folder that cannot be read lists nothing, and the list stays empty.
    const QString programs = platform::shelllinks::programsFolder();
    if (!programs.isEmpty())
        lstOhjelmaryhmat_->addItems(platform::drives::subfolders(programs));
}

void frmVaihe3::lstOhjelmaryhmat_Click()
{
    const QList<QListWidgetItem*> selected = lstOhjelmaryhmat_->selectedItems();
    if (!selected.isEmpty() && !selected.first()->text().isEmpty())
        txtOhjelmaryhma_->setText(selected.first()->text());
}

void frmVaihe3::txtOhjelmaryhma_Change()
{
    const QString text = txtOhjelmaryhma_->text();
    cmdPainike_[2]->setEnabled(!text.isEmpty());
    // Typing a known group's name, in its exact letter case, highlights it.
    const QScopedValueRollback<bool> quiet(highlighting_, true);
    for (int i = 0; i < lstOhjelmaryhmat_->count(); ++i) {
        QListWidgetItem* item = lstOhjelmaryhmat_->item(i);
        item->setSelected(item->text() == text);
    }
}

void frmVaihe3::chkEiRyhmaa_Click()
{
    const bool shortcuts = !chkEiRyhmaa_->isChecked();
    lstOhjelmaryhmat_->setEnabled(shortcuts);
    txtOhjelmaryhma_->setEnabled(shortcuts);
}

void frmVaihe3::cmdPainike_Click(int index)
{
    mdlVuskanAsennus& m = installer();
    if (index == 0) {
        m.ConfirmCancelSetup();
    } else if (index == 1) {
        m.goTo(this, &m.vaihe2());
    } else if (index == 2) {
        platform::setScreenPointer(ScreenPointer::Hourglass);
        m.ProgramGroup = txtOhjelmaryhma_->text();
        if (chkEiRyhmaa_->isChecked()) {
            m.CreateProgramGroup = false;
            m.NoProgramGroup = true;
        } else {
            bool known = false;
            for (int i = 0; i < lstOhjelmaryhmat_->count() && !known; ++i)
                known = lstOhjelmaryhmat_->item(i)->text() == m.ProgramGroup;
            m.CreateProgramGroup = !known;
            m.NoProgramGroup = false;
        }
        m.goTo(this, &m.vaihe4());
    }
}

} // namespace vuska::setup
