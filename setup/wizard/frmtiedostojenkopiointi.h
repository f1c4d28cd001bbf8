#pragma once

#include "platform/twipsdialog.h"
#include "setup/wizard/copysequence.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace vuska::setup {

class mdlVuskanAsennus;

// The copy window: shown modally over step 4, it verifies and copies the installation set and
// registers the installation, telling what it does in two status lines and a progress bar.
// It cannot be closed until all the work is done, and a request to end the program meanwhile
// waits for it; its timer then puts step 5 in step 4's place.
class frmTiedostojenKopiointi : public platform::DialogForm {
    Q_OBJECT
public:
    // Tests give the window a file system and a table of their own.
    frmTiedostojenKopiointi(mdlVuskanAsennus& installer, QWidget* parent,
                            platform::installfiles::FileSystem& fs = platform::installfiles::realFileSystem(),
                            std::span<const InstallFile> files = installationFiles());

    // Shows the window modally; the work starts once it is on the screen. Returns when the
    // window has closed.
    void showModal();

    // The whole sequence; it runs once per showing, however often the window is activated.
    void Form_GotFocus();
    // True cancels the close: every close is refused until the work is done.
    bool Form_QueryUnload() const;
    void tmrAjastin_Timer();

    bool KaikkiValmista = false;

    QLabel* lblKopioitava() const { return lblKopioitava_; }
    QLabel* lblKohdekansio() const { return lblKohdekansio_; }
    QProgressBar* pbPalkki() const { return pbPalkki_; }
    QTimer* tmrAjastin() const { return tmrAjastin_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void setStatus(QLabel* label, const QString& text);

    mdlVuskanAsennus& installer_;
    QLabel* lblKopioitava_ = nullptr;
    QLabel* lblKohdekansio_ = nullptr;
    QProgressBar* pbPalkki_ = nullptr;
    QTimer* tmrAjastin_ = nullptr;
    CopySequence sequence_;
};

} // namespace vuska::setup
