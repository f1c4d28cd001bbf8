#pragma once

#include "setup/wizard/wizardpage.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace vuska::setup {

// Step 3: the program group that gets the game's shortcuts, typed or picked from the groups
// the Programs folder already has, or no shortcuts at all.
class frmVaihe3 : public WizardPage {
    Q_OBJECT
public:
    explicit frmVaihe3(mdlVuskanAsennus& installer);

    // Lists the folders of the Programs folder; the list is made once, at this first load.
    void Form_Load();
    void lstOhjelmaryhmat_Click();
    void txtOhjelmaryhma_Change();
    void chkEiRyhmaa_Click();
    void cmdPainike_Click(int index) override;

    QLabel* lblTeksti() const { return lblTeksti_; }
    QLineEdit* txtOhjelmaryhma() const { return txtOhjelmaryhma_; }
    QListWidget* lstOhjelmaryhmat() const { return lstOhjelmaryhmat_; }
    QCheckBox* chkEiRyhmaa() const { return chkEiRyhmaa_; }

private:
    QLabel* lblTeksti_ = nullptr;
    QLineEdit* txtOhjelmaryhma_ = nullptr;
    QListWidget* lstOhjelmaryhmat_ = nullptr;
    QCheckBox* chkEiRyhmaa_ = nullptr;
    // True while the text's highlighting selects entries: that is not the user's click.
    bool highlighting_ = false;
};

} // namespace vuska::setup
