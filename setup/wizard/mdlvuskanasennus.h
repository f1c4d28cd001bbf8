#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/unloadmode.h"

class QWidget;

namespace vuska::setup {

class frmKohdekansionValinta;
class frmVaihe0;
class frmVaihe1;
class frmVaihe2;
class frmVaihe3;
class frmVaihe4;
class frmVaihe5;

// The installer's shared state and procedures, and the owner of its windows. A window is
// loaded (made, and its load event run) at its first use and stays loaded, hidden between
// visits, until it is unloaded; an unloaded window is kept out of sight until the program
// ends, and a later use loads a fresh one.
class mdlVuskanAsennus : public QObject {
    Q_OBJECT
public:
    // `programFolder`: the host folder the program was started from.
    explicit mdlVuskanAsennus(const QString& programFolder, QObject* parent = nullptr);
    ~mdlVuskanAsennus() override;

    // Where the installation set is read from: the program's own folder in Windows form,
    // without a trailing backslash ("C:" for a drive's root). Set by the start-up.
    QString SourceFolder;
    // The folder to install into, as step 2 accepted it (without a trailing backslash).
    QString TargetFolder;
    // The target folder does not exist yet and has to be made.
    bool CreateTargetFolder = false;
    // Free bytes where the target folder will lie, as last measured. Wider than the 32 bits
    // such a count once had, so that a large drive does not read as a full one.
    qint64 FreeBytes = 0;
    // The program group chosen on step 3; whether it has to be made; whether no shortcuts
    // are wanted at all.
    QString ProgramGroup;
    bool CreateProgramGroup = false;
    bool NoProgramGroup = false;

    // The program's own folder in Windows form as the platform reports it: a drive's root
    // keeps its backslash ("C:\"). Empty when no drive holds it.
    QString programFolder() const { return programFolder_; }

    // Start-up: loads step 0, whose load decides between the wizard and the removal window,
    // and shows what it decided on. Returns that window.
    QWidget* start();

    // The removal window lives in a unit built on this one; the program plugs it in here.
    // The start-up calls it when the game is installed, and this object keeps the window.
    std::function<std::unique_ptr<QWidget>()> createRemovalWindow;
    QWidget* removalWindow() const { return removalWindow_.get(); }
    void adoptRemovalWindow(std::unique_ptr<QWidget> window);

    // Step 4's Next. The copy window's unit sets this: it shows frmTiedostojenKopiointi
    // modally over step 4 and returns when the window has closed. While the window is up,
    // it is registered with setCopyWindow() so that unloading all windows takes it in its turn
    // (hidden, or done(Rejected) for a dialog, after unloading() has turned true).
    std::function<void()> showCopyWindow;
    void setCopyWindow(QWidget* window) { copyWindow_ = window; }

    // The pages, loaded at their first use.
    frmVaihe0& vaihe0();
    frmVaihe1& vaihe1();
    frmVaihe2& vaihe2();
    frmVaihe3& vaihe3();
    frmVaihe4& vaihe4();
    frmVaihe5& vaihe5();
    // Whether step `step` (0 to 5) is loaded now, without loading it.
    bool isLoaded(int step) const;
    // The browse dialog while it is shown, else nothing.
    frmKohdekansionValinta* kohdekansionValinta() const { return kohdekansionValinta_.get(); }

    // Loads the browse dialog afresh, shows it modally over step 2 and unloads it when it has
    // closed.
    void showBrowseDialog();

    // Asks whether to abandon the installation; on Yes unloads every window and ends the
    // program.
    void ConfirmCancelSetup();
    // Only the question of ConfirmCancelSetup (default pointer, then the box): true on Yes.
    // One question at a time: while it is up, another request gets false at once.
    bool askCancelSetup();
    bool askingToCancel() const { return askingToCancel_; }

    // Measures the free space for step 2's folder text (blanks trimmed) into FreeBytes: that of
    // the file system its nearest existing folder lies on, or of the drive named by its first
    // character when it names no path. A failed measurement leaves FreeBytes as it was.
    void MeasureFreeSpace();

    // Moving between pages: hourglass, `to` placed at the left and top of `from`, `to`
    // shown, `from` hidden, default pointer.
    void goTo(QWidget* from, QWidget* to);
    // For the copy window when it is done: step 5 where step 4 is, step 5 shown, step 4
    // unloaded.
    void showFinishedPage();
    // For the copy window when the target folder cannot be made: step 2 where step 4 is,
    // step 4 unloaded, step 2 shown.
    void returnToTargetFolderPage();

    // Unloads one window: hidden at once without any question; loaded afresh if used again.
    void unload(QWidget* window);
    // Unloads every loaded window in the fixed order (the browse dialog, the copy window,
    // steps 0 to 5, then the removal window) and ends the program.
    void unloadAllAndEnd();
    // True from the start of unloadAllAndEnd: windows closed now are closed by the program.
    bool unloading() const { return unloading_; }

    // A request from outside to end the program (the session ending, SIGTERM): the window
    // shown answers it as its close box would. True when the request is refused.
    // While the copy window works, the request is refused without a question and kept for the
    // copy window to honour once its work is done (endPending()).
    bool endRequested(platform::UnloadMode mode);

    // The copy window's work, from its start to its outcome, cannot be interrupted: once the
    // files are in place the installation is registered to its end, and a question about
    // abandoning it could only contradict what is left.
    void setCopyWorking(bool working) { copyWorking_ = working; }
    bool endPending() const { return endPending_; }

signals:
    // A window has been unloaded, by its object name.
    void windowUnloaded(const QString& objectName);

private:
    template <class Page>
    Page& page(std::unique_ptr<Page>& slot);
    QWidget* shownWindow();
    void forget(QWidget* window);

    QString programFolder_;
    std::unique_ptr<frmVaihe0> frmVaihe0_;
    std::unique_ptr<frmVaihe1> frmVaihe1_;
    std::unique_ptr<frmVaihe2> frmVaihe2_;
    std::unique_ptr<frmVaihe3> frmVaihe3_;
    std::unique_ptr<frmVaihe4> frmVaihe4_;
    std::unique_ptr<frmVaihe5> frmVaihe5_;
    std::unique_ptr<frmKohdekansionValinta> kohdekansionValinta_;
    std::unique_ptr<QWidget> removalWindow_;
    QPointer<QWidget> copyWindow_;
    // Unloaded windows: out of sight, and gone when this object goes. They may be unloaded
    // from inside their own event handlers, so they cannot be deleted there and then.
    std::vector<std::unique_ptr<QWidget>> unloaded_;
    bool unloading_ = false;
    bool askingToCancel_ = false;
    bool copyWorking_ = false;
    bool endPending_ = false;
};

} // namespace vuska::setup
