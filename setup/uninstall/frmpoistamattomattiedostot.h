#pragma once

#include <QStringList>

#include "platform/twipsdialog.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vuska::setup {

// What the user must still delete by hand after a removal: the instructions, naming the
// installation folder, and the files that could not be deleted.
class frmPoistamattomatTiedostot : public platform::DialogForm {
    Q_OBJECT
public:
    explicit frmPoistamattomatTiedostot(QWidget* owner = nullptr);

    // Fills the dialog and shows it modally; returns once it has closed.
    void showLeftovers(const QString& instructions, const QStringList& names);

    // The label keeps the whole text however long the folder is: a path too long for a line
    // is broken inside it, and the dialog grows downwards when the text needs more lines
    // than its usual layout holds.
    void setInstructions(const QString& instructions);
    void setFiles(const QStringList& names);

    void cmdPainike_Click();

    QLabel* lblTomenpiteet() const { return lblTomenpiteet_; }
    QListWidget* lstTiedostot() const { return lstTiedostot_; }
    QPushButton* cmdPainike() const { return cmdPainike_; }

    // Esc, like the close box, answers as OK does: there is nothing to cancel.
    void reject() override;

private:
    QLabel* lblTomenpiteet_;
    QListWidget* lstTiedostot_;
    QPushButton* cmdPainike_;
    int baseLabelHeight_;
    int baseListTop_;
    int baseButtonTop_;
    int baseHeight_;
};

} // namespace vuska::setup
