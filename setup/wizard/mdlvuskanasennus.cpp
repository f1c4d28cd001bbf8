#include "setup/wizard/mdlvuskanasennus.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSessionManager>
#include <QWidget>

#include "platform/drives.h"
#include "platform/lifetime.h"
#include "platform/messagebox.h"
#include "platform/pointer.h"
#include "setup/wizard/frmkohdekansionvalinta.h"
#include "setup/wizard/frmvaihe0.h"
#include "setup/wizard/frmvaihe1.h"
#include "setup/wizard/frmvaihe2.h"
#include "setup/wizard/frmvaihe3.h"
#include "setup/wizard/frmvaihe4.h"
#include "setup/wizard/frmvaihe5.h"

namespace vuska::setup {

using platform::ScreenPointer;
using platform::UnloadMode;

namespace {

// A window takes another's left and top only when that one has a place of its own: shown,
// or moved there by the program. One that never appeared leaves the window manager to place
// the other as it would have placed it.
void placeLike(QWidget* window, const QWidget* model)
{
    if (model->isVisible() || model->testAttribute(Qt::WA_Moved))
        window->move(model->pos());
}

} // namespace

mdlVuskanAsennus::mdlVuskanAsennus(const QString& programFolder, QObject* parent)
    : QObject(parent), programFolder_(platform::drives::toWindows(programFolder))
{
    // The desktop session ending asks what the close box of the page shown asks.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (manager.allowsInteraction()) {
            if (endRequested(UnloadMode::AppWindows))
                manager.cancel();
            manager.release();
        }
    });
}

mdlVuskanAsennus::~mdlVuskanAsennus()
{
    // The browse dialog is a child window of step 2: it goes first.
    kohdekansionValinta_.reset();
    unloaded_.clear();
}

QWidget* mdlVuskanAsennus::start()
{
    frmVaihe0& first = vaihe0();
    first.Form_Load();
    if (isLoaded(0)) {
        first.show();
        return &first;
    }
    return removalWindow_.get();
}

void mdlVuskanAsennus::adoptRemovalWindow(std::unique_ptr<QWidget> window)
{
    if (!window)
        return;
    if (frmVaihe0_)
        placeLike(window.get(), frmVaihe0_.get());
    removalWindow_ = std::move(window);
}

template <class Page>
Page& mdlVuskanAsennus::page(std::unique_ptr<Page>& slot)
{
    if (!slot)
        slot = std::make_unique<Page>(*this);
    return *slot;
}

frmVaihe0& mdlVuskanAsennus::vaihe0()
{
    return page(frmVaihe0_);
}

frmVaihe1& mdlVuskanAsennus::vaihe1()
{
    return page(frmVaihe1_);
}

frmVaihe2& mdlVuskanAsennus::vaihe2()
{
    const bool loading = !frmVaihe2_;
    frmVaihe2& loaded = page(frmVaihe2_);
    if (loading)
        loaded.Form_Load();
    return loaded;
}

frmVaihe3& mdlVuskanAsennus::vaihe3()
{
    const bool loading = !frmVaihe3_;
    frmVaihe3& loaded = page(frmVaihe3_);
    if (loading)
        loaded.Form_Load();
    return loaded;
}

frmVaihe4& mdlVuskanAsennus::vaihe4()
{
    return page(frmVaihe4_);
}

frmVaihe5& mdlVuskanAsennus::vaihe5()
{
    return page(frmVaihe5_);
}

bool mdlVuskanAsennus::isLoaded(int step) const
{
    switch (step) {
    case 0: return frmVaihe0_ != nullptr;
    case 1: return frmVaihe1_ != nullptr;
    case 2: return frmVaihe2_ != nullptr;
    case 3: return frmVaihe3_ != nullptr;
    case 4: return frmVaihe4_ != nullptr;
    case 5: return frmVaihe5_ != nullptr;
    default: return false;
    }
}

void mdlVuskanAsennus::showBrowseDialog()
{
    if (kohdekansionValinta_ || platform::lifetime::ending())
        return;
    frmVaihe2& owner = vaihe2();
    kohdekansionValinta_ = std::make_unique<frmKohdekansionValinta>(*this, &owner);
    kohdekansionValinta_->Form_Load();
    kohdekansionValinta_->exec();
    // Closed by its own buttons, or by the unloading of every window meanwhile.
    if (kohdekansionValinta_)
        unload(kohdekansionValinta_.get());
}

bool mdlVuskanAsennus::askCancelSetup()
{
    if (askingToCancel_ || unloading_ || platform::lifetime::ending())
        return false;
    askingToCancel_ = true;
    platform::setScreenPointer(ScreenPointer::Default);
    platform::MessageBoxRequest box;
    //: Asked when the user cancels setup; answered with Yes (give up) or No (go on). The line
    //: breaks keep the box narrow.
    box.text = tr("Jos lopetat nyt, Vuska-ohjelmaa ei asenneta. Voit ajaa\n"
                  "asennusohjelman uudelleen milloin tahansa.\n\n"
                  "Haluatko varmasti keskeyttää asennuksen?");
    //: The title of the question whether to give up the installation.
    box.title = tr("Lopeta");
    box.buttons = platform::MsgButtons::YesNo;
    box.icon = platform::MsgIcon::Question;
    box.defaultButton = platform::MsgDefault::Second;
    const bool yes = platform::messageBox(box) == platform::MsgAnswer::Yes;
    askingToCancel_ = false;
    return yes;
}

void mdlVuskanAsennus::ConfirmCancelSetup()
{
    if (!askCancelSetup())
        return;
    platform::setScreenPointer(ScreenPointer::Hourglass);
    unloadAllAndEnd();
}

void mdlVuskanAsennus::MeasureFreeSpace()
{
    const QString text = vaihe2().txtKohdekansio()->text().trimmed();
    if (text.isEmpty())
        return;
    // The file system that will hold the folder, which need not be that of its drive's root;
    // a text that names no path on a drive is measured at the root of the drive it names.
    std::optional<qint64> free = platform::drives::freeBytesAt(text);
    if (!free && !platform::drives::toHost(text))
        free = platform::drives::freeBytes(text.front());
    if (free)
        FreeBytes = *free;
}

void mdlVuskanAsennus::goTo(QWidget* from, QWidget* to)
{
    if (!from || !to || platform::lifetime::ending())
        return;
    platform::setScreenPointer(ScreenPointer::Hourglass);
    placeLike(to, from);
    to->show();
    to->activateWindow();
    from->hide();
    platform::setScreenPointer(ScreenPointer::Default);
}

void mdlVuskanAsennus::showFinishedPage()
{
    if (platform::lifetime::ending())
        return;
    frmVaihe5& finished = vaihe5();
    if (frmVaihe4_)
        placeLike(&finished, frmVaihe4_.get());
    finished.show();
    finished.activateWindow();
    if (frmVaihe4_)
        unload(frmVaihe4_.get());
}

void mdlVuskanAsennus::returnToTargetFolderPage()
{
    if (platform::lifetime::ending())
        return;
    frmVaihe2& target = vaihe2();
    if (frmVaihe4_) {
        placeLike(&target, frmVaihe4_.get());
        unload(frmVaihe4_.get());
    }
    target.show();
    target.activateWindow();
}

void mdlVuskanAsennus::forget(QWidget* window)
{
    const auto takeIf = [this, window](auto& slot) {
        if (slot && slot.get() == window)
            unloaded_.push_back(std::unique_ptr<QWidget>(slot.release()));
    };
    takeIf(kohdekansionValinta_);
    takeIf(frmVaihe0_);
    takeIf(frmVaihe1_);
    takeIf(frmVaihe2_);
    takeIf(frmVaihe3_);
    takeIf(frmVaihe4_);
    takeIf(frmVaihe5_);
    takeIf(removalWindow_);
}

void mdlVuskanAsennus::unload(QWidget* window)
{
    if (!window)
        return;
    const QString name = window->objectName();
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isModal() && dialog->isVisible())
        dialog->done(QDialog::Rejected);
    else
        window->hide();
    if (window == copyWindow_)
        copyWindow_.clear();
    else
        forget(window);
    emit windowUnloaded(name);
}

void mdlVuskanAsennus::unloadAllAndEnd()
{
    if (unloading_ || platform::lifetime::ending())
        return;
    unloading_ = true;
    unload(kohdekansionValinta_.get());
    unload(copyWindow_.data());
    unload(frmVaihe0_.get());
    unload(frmVaihe1_.get());
    unload(frmVaihe2_.get());
    unload(frmVaihe3_.get());
    unload(frmVaihe4_.get());
    unload(frmVaihe5_.get());
    unload(removalWindow_.get());
    platform::lifetime::endProgram();
}

QWidget* mdlVuskanAsennus::shownWindow()
{
    QWidget* const windows[] = {removalWindow_.get(), frmVaihe0_.get(), frmVaihe1_.get(), frmVaihe2_.get(),
                                frmVaihe3_.get(),     frmVaihe4_.get(), frmVaihe5_.get()};
    for (QWidget* window : windows)
        if (window && window->isVisible())
            return window;
    return nullptr;
}

bool mdlVuskanAsennus::endRequested(UnloadMode mode)
{
    if (unloading_ || platform::lifetime::ending())
        return false;
    if (copyWorking_) {
        endPending_ = true;
        return true;
    }
    QWidget* window = shownWindow();
    if (!window) {
        unloadAllAndEnd();
        return false;
    }
    if (auto* page = qobject_cast<WizardPage*>(window))
        return page->Form_QueryUnload(mode);
    // The removal window has a close guard of its own.
    return !window->close();
}

} // namespace vuska::setup
