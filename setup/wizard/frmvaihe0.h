#pragma once

#include <array>

#include "setup/wizard/wizardpage.h"

namespace vuska::setup {

// Step 0, the welcome page, and the program's start-up: its load decides whether this run
// installs the game or removes it.
class frmVaihe0 : public WizardPage {
    Q_OBJECT
public:
    explicit frmVaihe0(mdlVuskanAsennus& installer);

    // Takes the program's own folder as the source of the installation; when the registry
    // holds an installation folder (even an empty one), shows the removal window in this
    // page's place and unloads this page.
    void Form_Load();
    void cmdPainike_Click(int index) override;

    QLabel* lblTeksti(int index) const { return lblTeksti_[size_t(index)]; }

private:
    std::array<QLabel*, 2> lblTeksti_{};
};

} // namespace vuska::setup
