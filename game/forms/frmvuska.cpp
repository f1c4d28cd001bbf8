#include "game/forms/frmvuska.h"

#include <QAction>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QFrame>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QGuiApplication>
#include <QSessionManager>
#include <QScopedValueRollback>
#include <QTimer>

#include <optional>
#include <utility>

#include "game/forms/cardtable.h"
#include "game/forms/frmasetukset.h"
#include "game/forms/frmkysynimi.h"
#include "game/forms/frmparhaattulokset.h"
#include "game/forms/frmtietoja.h"
#include "game/forms/helpcommand.h"
#include "game/forms/inputblocker.h"
#include "game/forms/tablespeech.h"
#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/appearance.h"
#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "platform/screen.h"
#include "platform/twipsdialog.h"

namespace vuska {

using platform::MessageBoxRequest;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgDefault;
using platform::MsgIcon;
using platform::ScreenPointer;

namespace {

// The classic window frame the layout was made for: a fixed single border of 3 pixels on
// each side, and the caption and menu bar above the client area, 44 pixels of frame in all
// at 96 dots per inch and 54 at 120. The window heights are outer heights including it.
constexpr int FrameSidePixels = 3;

int nonClientPixels(int twipsPerPixelY)
{
    if (twipsPerPixelY == 15)
        return 44;
    if (twipsPerPixelY == 12)
        return 54;
    return qRound(44.0 * 15.0 / twipsPerPixelY);
}

int toPixels(double twips, int twipsPerPixel)
{
    return qRound(twips / twipsPerPixel);
}

constexpr int ButtonWidthTwips = 1335;
constexpr int ButtonHeightTwips = 375;

} // namespace

QIcon frmVuska::gameIcon()
{
    return platform::windowIcon(QStringLiteral(":/vuska"), QStringLiteral("vuska"));
}

frmVuska::frmVuska(const QString& programFolder, platform::Clock& clock, platform::RandomSource& random,
                   QWidget* parent)
    : QMainWindow(parent), pTaustalaatikko_(new CardTable(nullptr)), clock_(clock),
      game_(*pTaustalaatikko_, *this, random), startFolder_(programFolder)
{
    setObjectName(QStringLiteral("frmVuska"));
    setWindowTitle(QStringLiteral("Vuska"));
    setWindowIcon(gameIcon());
    // A fixed single border with a minimise button and no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    pTaustalaatikko_->setParent(client_);

    frKehysviiva_ = new QFrame(client_);
    frKehysviiva_->setObjectName(QStringLiteral("frKehysviiva"));
    frKehysviiva_->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    // The first button is the default (Enter, when no button has the focus) and the second
    // the cancel button (Esc); see keyPressEvent.
    const QString captions[2] = {tr("&Uusi peli"), tr("&Lopeta")};
    for (int i = 0; i < 2; ++i) {
        cmdPainike_[size_t(i)] = platform::commandButton(client_, i, captions[i], [this](int index) { cmdPainike_Click(index); });
        // Where the player puts the focus himself, it stays.
        cmdPainike_[size_t(i)]->installEventFilter(this);
    }

    for (int k = 0; k < SlotCount; ++k) {
        connect(pTaustalaatikko_->card(k), &CardImage::mouseDown, this, &frmVuska::playCard);
        // Tabbing into the hand frames the card; Qt handing the focus on does not.
        pTaustalaatikko_->card(k)->installEventFilter(this);
    }
    connect(pTaustalaatikko_, &CardTable::cardChosen, this, [this](int slot) { playCard(slot, Qt::LeftButton); });
    pTaustalaatikko_->setAccessibleName(tr("Pelipöytä"));
    connect(pTaustalaatikko_, &CardTable::cardChanged, this, &frmVuska::nameCard);
    for (int k = 0; k < SlotCount; ++k)
        nameCard(k);

    tmrAjastin_ = new QTimer(this);
    tmrAjastin_->setObjectName(QStringLiteral("tmrAjastin"));
    tmrAjastin_->setInterval(1);
    connect(tmrAjastin_, &QTimer::timeout, this, &frmVuska::tmrAjastin_Timer);

    // The guard follows every change of the two flags at once instead of polling them.
    game_.HumanToPlay.setOnChange([this] { tmrAjastin2_Timer(); });
    game_.GameInProgress.setOnChange([this] { tmrAjastin2_Timer(); });

    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The desktop session ending asks the same as the close box; so does a request from a
    // task manager.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (manager.allowsInteraction()) {
            if (Form_QueryUnload(UnloadMode::AppWindows))
                manager.cancel();
            manager.release();
        }
    });
}

frmVuska::~frmVuska()
{
    // The dialogs go before the module they show.
    frmAsetukset_.reset();
    frmKysyNimi_.reset();
    frmParhaatTulokset_.reset();
    frmTietoja_.reset();
    game_.HumanToPlay.setOnChange({});
    game_.GameInProgress.setOnChange({});
}

void frmVuska::buildMenus()
{
    mnuPeli_ = menuBar()->addMenu(tr("&Peli"));
    mnuPeli_->setObjectName(QStringLiteral("mnuPeli"));
    //: The blanks keep the menu as wide as it was made; a translation need not have them.
    mUusiPeli_ = mnuPeli_->addAction(tr("&Uusi peli      "));
    mUusiPeli_->setObjectName(QStringLiteral("mUusiPeli"));
    mUusiPeli_->setShortcut(QKeySequence(Qt::Key_F2));
    connect(mUusiPeli_, &QAction::triggered, this, &frmVuska::mUusiPeli_Click);
    mnuPeli_->addSeparator()->setObjectName(QStringLiteral("mTiedostoViiva"));
    mLopeta_ = mnuPeli_->addAction(tr("&Lopeta"));
    mLopeta_->setObjectName(QStringLiteral("mLopeta"));
    connect(mLopeta_, &QAction::triggered, this, &frmVuska::mLopeta_Click);

    QMenu* mnuNayta = menuBar()->addMenu(tr("&Näytä"));
    mnuNayta->setObjectName(QStringLiteral("mnuNayta"));
    // The button row's switch carries its check mark from the start.
    mNaytaPainikkeet_ = mnuNayta->addAction(tr("&Ikkunan alalaidan painikkeet"));
    mNaytaPainikkeet_->setObjectName(QStringLiteral("mNaytaPainikkeet"));
    mNaytaPainikkeet_->setCheckable(true);
    mNaytaPainikkeet_->setChecked(true);
    // The click decides the check mark itself.
    connect(mNaytaPainikkeet_, &QAction::triggered, this, [this](bool) {
        mNaytaPainikkeet_->setChecked(!mNaytaPainikkeet_->isChecked());
        mNaytaPainikkeet_Click();
    });
    mnuNayta->addSeparator()->setObjectName(QStringLiteral("mNaytaViiva"));
    QAction* best = mnuNayta->addAction(tr("&Parhaat tulokset..."));
    best->setObjectName(QStringLiteral("mNaytaParhaatTulokset"));
    connect(best, &QAction::triggered, this, &frmVuska::mNaytaParhaatTulokset_Click);
    QAction* settings = mnuNayta->addAction(tr("&Asetukset..."));
    settings->setObjectName(QStringLiteral("mNaytaAsetukset"));
    connect(settings, &QAction::triggered, this, &frmVuska::mNaytaAsetukset_Click);

    QMenu* mnuOhje = menuBar()->addMenu(tr("&Ohje"));
    mnuOhje->setObjectName(QStringLiteral("mnuOhje"));
    QAction* topics = mnuOhje->addAction(tr("&Ohjeen aiheet"));
    topics->setObjectName(QStringLiteral("mOhjeenAiheet"));
    topics->setShortcut(QKeySequence(Qt::Key_F1));
    connect(topics, &QAction::triggered, this, &frmVuska::mOhjeenAiheet_Click);
    mnuOhje->addSeparator()->setObjectName(QStringLiteral("vOhje"));
    //: The blanks keep the menu as wide as it was made; a translation need not have them.
    QAction* about = mnuOhje->addAction(tr("&Tietoja ohjelmasta...      "));
    about->setObjectName(QStringLiteral("mTietojaOhjelmasta"));
    connect(about, &QAction::triggered, this, &frmVuska::mTietojaOhjelmasta_Click);
}

QAction* frmVuska::menuItem(const char* objectName) const
{
    return findChild<QAction*>(QString::fromLatin1(objectName));
}

int frmVuska::windowHeightTwips(bool buttonsShown) const
{
    const bool large = platform::screen::twipsPerPixelY() == 12;
    if (buttonsShown)
        return large ? 6720 : 8160;
    return large ? 6290 : 7670;
}

void frmVuska::layOut()
{
    const int tx = platform::screen::twipsPerPixelX();
    const int ty = platform::screen::twipsPerPixelY();

    const int windowWidth = 466 * tx;
    const int tableWidth = 452 * tx;
    const int tableHeight = 455 * ty;
    const int buttonsTop = 470 * ty;
    const double left0 = tableWidth - ButtonWidthTwips - ButtonWidthTwips;
    const double left1 = tableWidth - ButtonWidthTwips + 80.0 / 15.0 * tx;

    const int clientWidth = toPixels(windowWidth, tx) - 2 * FrameSidePixels;
    client_->setFixedWidth(clientWidth);
    frKehysviiva_->setGeometry(toPixels(-100, tx), 0, clientWidth + 2 * toPixels(100, tx), 2);
    pTaustalaatikko_->setGeometry(toPixels(60, tx), toPixels(120, ty), toPixels(tableWidth, tx),
                                  toPixels(tableHeight, ty));
    cmdPainike_[0]->setGeometry(toPixels(left0, tx), toPixels(buttonsTop, ty), toPixels(ButtonWidthTwips, tx),
                                toPixels(ButtonHeightTwips, ty));
    cmdPainike_[1]->setGeometry(toPixels(left1, tx), toPixels(buttonsTop, ty), toPixels(ButtonWidthTwips, tx),
                                toPixels(ButtonHeightTwips, ty));
}

void frmVuska::setHeightTwips(int twips)
{
    heightTwips_ = twips;
    const int ty = platform::screen::twipsPerPixelY();
    client_->setFixedHeight(toPixels(twips, ty) - nonClientPixels(ty));
}

void frmVuska::Form_Load()
{
    setScreenPointer(ScreenPointer::Hourglass);

    QString folder = startFolder_;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    game_.ProgramFolder = folder;

    const QString buttons = ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, QStringLiteral("NaytaPainikkeet"));
    if (buttons == QLatin1String("True"))
        mNaytaPainikkeet_->setChecked(true);
    else if (buttons == QLatin1String("False"))
        mNaytaPainikkeet_->setChecked(false);

    layOut();
    setHeightTwips(windowHeightTwips(mNaytaPainikkeet_->isChecked()));
    // Hidden buttons are also disabled, so that Esc cannot quit through them.
    cmdPainike_[0]->setEnabled(mNaytaPainikkeet_->isChecked());
    cmdPainike_[1]->setEnabled(mNaytaPainikkeet_->isChecked());

    const int ty = platform::screen::twipsPerPixelY();
    if (ty != 12 && ty != 15) {
        MessageBoxRequest box;
        box.text = tr("Ohjelman ulkoasussa saattaa esiintyä puutteita\nkäyttämilläsi näytön asetuksilla.");
        box.title = tr("Tiedoksi");
        box.icon = MsgIcon::Information;
        messageBox(box);
    }

    // Loading the about box gives the pointing hand for the human's cards.
    tietoja().Form_Load();
    pTaustalaatikko_->setPointingHandCursor(frmTietoja::pointingHandCursor());
    for (int k = FirstHumanSlot; k < SlotCount; ++k)
        pTaustalaatikko_->setPointingHand(k, true);

    mUusiPeli_Click();
    if (ending())
        return;

    game_.ReadSettings();
    game_.LoadBestResults();
    game_.WinStreak = 0;
    setScreenPointer(ScreenPointer::Default);
}

void frmVuska::cmdPainike_Click(int index)
{
    if (index == 0)
        mUusiPeli_Click();
    else if (index == 1)
        mLopeta_Click();
}

void frmVuska::playCard(int slot, Qt::MouseButton button)
{
    // Between a deal and its starter's decision the flags still hold the last game's turn:
    // no card counts until the starter has decided who begins.
    if (decidedDeal_ != armedDeal_)
        return;
    game_.imgKortti_MouseDown(slot, button);
    if (!ending())
        tellNews(true);
}

void frmVuska::nameCard(int slot)
{
    const QString& shown = pTaustalaatikko_->picturePath(slot);
    speech::CardSide side = speech::CardSide::FaceDown;
    // The computer's cards show their face only on the table.
    if (!shown.isEmpty() && shown != game_.pictureFilePath(QStringLiteral("tausta")))
        side = isComputerSlot(slot) || game_.CardPlayed[size_t(slot)] ? speech::CardSide::OnTable
                                                                      : speech::CardSide::InHand;
    const QString name = speech::cardName(
        slot, side, speech::cardWords(game_.CardSuit[size_t(slot)], game_.CardValue[size_t(slot)]));
    CardImage* card = pTaustalaatikko_->card(slot);
    if (card->accessibleName() != name)
        card->setAccessibleName(name);
}

void frmVuska::tellNews(bool withTurn)
{
    if (news_.isEmpty())
        return;
    if (withTurn && game_.GameInProgress)
        news_ << speech::turn(game_.HumanToPlay);
    pTaustalaatikko_->tellNews(news_.join(QLatin1Char(' ')));
    news_.clear();
}

void frmVuska::starterDecided(bool humanBegins)
{
    news_ << speech::starter(humanBegins);
}

void frmVuska::cardPlayed(int slot)
{
    news_ << speech::cardPlayed(slot, speech::cardWords(game_.CardSuit[size_t(slot)], game_.CardValue[size_t(slot)]));
}

void frmVuska::trickWon(bool byHuman)
{
    news_ << speech::trickWon(byHuman);
}

bool frmVuska::newGameAllowed() const
{
    return !(!game_.HumanToPlay && game_.GameInProgress);
}

void frmVuska::mUusiPeli_Click()
{
    // The command looks at the game as it is when it runs, whichever way it was given: a
    // click on its way while the computer came to play (Enter and access keys click a moment
    // later) must not deal in the middle of the computer's turn.
    if (dealing_ || askingNewGame_ || !newGameAllowed())
        return;

    if (game_.GameInProgress && game_.WinStreak > 0) {
        // One question at a time: a second command (an access key clicks a moment after the
        // key, F2 at once) arriving while it is open gets its answer.
        const QScopedValueRollback asking(askingNewGame_, true);
        MessageBoxRequest box;
        box.text = tr("Haluatko varmasti keskeyttää nykyisen pelin ja\naloittaa uuden?");
        box.title = tr("Uusi peli");
        box.buttons = MsgButtons::YesNo;
        box.icon = MsgIcon::Question;
        box.defaultButton = MsgDefault::First;
        box.helpFile = game_.helpFilePath();
        box.helpContext = 15;
        if (messageBox(box) != MsgAnswer::Yes)
            return;
        if (game_.RunQualifiesForBestResults()) {
            setScreenPointer(ScreenPointer::Default);
            showNameEntry();
        } else {
            game_.WinStreak = 0;
        }
        if (ending())
            return;
    }

    dealing_ = true;
    // This deal replaces the last one: a starter tick still due for that deal must not run
    // inside this one (the deal lets events run) nor decide for its cards. The cards count
    // as clicks again only once this deal's own starter has decided.
    tmrAjastin_->stop();
    ++armedDeal_;
    platform::setWindowPointer(this, ScreenPointer::Hourglass);
    // Disabling the window takes the focus away; it comes back where it was after the deal.
    const QPointer<QWidget> focused = focusWidget();
    {
        const QScopedValueRollback moving(movingFocus_, true);
        setEnabled(false);
    }
    {
        InputBlocker blocker(this);
        game_.GameInProgress = true;
        for (int k = 0; k < SlotCount; ++k)
            pTaustalaatikko_->setVisible(k, true);
        if (!game_.ShowShuffleAndDeal) {
            for (int k = 0; k < SlotCount; ++k) {
                if (game_.CardPlayed[size_t(k)]) {
                    pTaustalaatikko_->setVisible(k, false);
                    pTaustalaatikko_->setLeft(k, 0);
                    pTaustalaatikko_->setTop(k, 0);
                }
            }
        }
        if (!game_.LoadCardBacks()) {
            dealing_ = false;
            return;
        }
        for (int k = 0; k < SlotCount; ++k)
            pTaustalaatikko_->setVisible(k, true);
        game_.DealCards();
        if (game_.ShowShuffleAndDeal)
            game_.ShuffleAnimation();
        game_.DealOut();
        if (!game_.LoadCardFaces()) {
            dealing_ = false;
            return;
        }
        blocker.drain();
    }
    setEnabled(true);
    if (focused && !focusWidget()) {
        const QScopedValueRollback moving(movingFocus_, true);
        focused->setFocus(Qt::OtherFocusReason);
    }
    dealing_ = false;
    // A request to close that came during the deal is asked about now, before the game goes on.
    if (const std::optional<UnloadMode> request = std::exchange(endRequestDuringDeal_, std::nullopt)) {
        Form_QueryUnload(*request);
        if (ending())
            return;
    }
    tmrAjastin_->start();
    platform::setWindowPointer(this, ScreenPointer::Default);
    tmrAjastin2_Timer();
}

void frmVuska::tmrAjastin_Timer()
{
    // One decision per deal. A tick that comes while a decision still runs (the computer's
    // pause runs the event loop) waits for it to end; if it belongs to a deal made in the
    // meantime, its own decision follows then. A deal under way gets its own tick once done.
    if (deciding_ || dealing_)
        return;
    tmrAjastin_->stop();
    if (decidedDeal_ == armedDeal_)
        return;
    decidedDeal_ = armedDeal_;
    deciding_ = true;
    game_.DecideStarter();
    if (!ending()) {
        tellNews(true);
        QCoreApplication::processEvents();
    }
    deciding_ = false;
    if (decidedDeal_ != armedDeal_ && !ending())
        tmrAjastin_->start();
}

void frmVuska::tmrAjastin2_Timer()
{
    setNewGameEnabled(newGameAllowed());
}

bool frmVuska::askQuit()
{
    const QScopedValueRollback asking(askingToQuit_, true);
    MessageBoxRequest box;
    box.text = tr("Haluatko varmasti lopettaa Vuska-ohjelman käytön?");
    box.title = tr("Lopeta");
    box.buttons = MsgButtons::YesNo;
    box.icon = MsgIcon::Question;
    box.defaultButton = MsgDefault::Second;
    return messageBox(box) == MsgAnswer::Yes;
}

void frmVuska::mLopeta_Click()
{
    // One quit question at a time, however it was asked: the open one answers this too.
    if (askingToQuit_)
        return;
    if (!askQuit())
        return;
    quitConfirmed();
}

void frmVuska::quitConfirmed()
{
    // Asked to end while the name entry is already open (by the session or a task
    // manager): what is typed there is taken, so that the run is not lost with the window.
    if (frmKysyNimi_ && frmKysyNimi_->isVisible()) {
        frmKysyNimi_->cmdPainike_Click(frmKysyNimi_->cmdPainike(0)->isEnabled() ? 0 : 1);
        if (frmKysyNimi_->isVisible())
            frmKysyNimi_->hide();
    }
    if (game_.RunQualifiesForBestResults()) {
        setScreenPointer(ScreenPointer::Default);
        showNameEntry();
    }
    setScreenPointer(ScreenPointer::Hourglass);
    unloadAllAndEnd();
}

bool frmVuska::Form_QueryUnload(UnloadMode mode)
{
    if (mode != UnloadMode::FormControlMenu && mode != UnloadMode::AppWindows &&
        mode != UnloadMode::AppTaskManager)
        return false;
    if (ending())
        return false;
    // The deal cannot stop halfway: the request waits for it to end.
    if (dealing_) {
        endRequestDuringDeal_ = mode;
        return true;
    }
    // One question at a time: a request that comes while it is open gets its answer.
    if (askingToQuit_)
        return true;
    if (!askQuit())
        return true;
    quitConfirmed();
    return false;
}

void frmVuska::closeEvent(QCloseEvent* event)
{
    if (unloadingByCode_ || ending()) {
        event->accept();
        return;
    }
    if (Form_QueryUnload(UnloadMode::FormControlMenu))
        event->ignore();
    else
        event->accept();
}

void frmVuska::keyPressEvent(QKeyEvent* event)
{
    // A focused button takes Enter itself; this is Enter anywhere else, and Esc.
    QPushButton* button = nullptr;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        button = cmdPainike_[0];
    else if (event->key() == Qt::Key_Escape)
        button = cmdPainike_[1];
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (button && plain) {
        button->click();
        return;
    }
    // 1 to 5 play the player's cards from the left, each key its place in the hand; a held
    // key plays one card.
    if (plain && event->key() >= Qt::Key_1 && event->key() <= Qt::Key_5) {
        pTaustalaatikko_->showFocusFrame(true);
        if (!event->isAutoRepeat())
            playCard(FirstHumanSlot + (event->key() - Qt::Key_1), Qt::LeftButton);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmVuska::unloadAllAndEnd()
{
    if (ending())
        return;
    unloadingByCode_ = true;
    if (frmAsetukset_)
        frmAsetukset_->close();
    if (frmKysyNimi_)
        frmKysyNimi_->close();
    if (frmParhaatTulokset_)
        frmParhaatTulokset_->close();
    // Hidden rather than closed: this may run inside the window's own close request.
    hide();
    if (frmTietoja_)
        frmTietoja_->close();
    platform::lifetime::endProgram();
}

namespace {
// A dialog is made at its first use and kept until the program ends.
template <class Dialog, class... Args>
Dialog& kept(std::unique_ptr<Dialog>& dialog, Args&&... args)
{
    if (!dialog)
        dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    return *dialog;
}
} // namespace

frmAsetukset& frmVuska::asetukset()
{
    return kept(frmAsetukset_, game_, this);
}

frmKysyNimi& frmVuska::kysyNimi()
{
    return kept(frmKysyNimi_, game_, this);
}

frmParhaatTulokset& frmVuska::parhaatTulokset()
{
    return kept(frmParhaatTulokset_, game_, this);
}

frmTietoja& frmVuska::tietoja()
{
    return kept(frmTietoja_, game_.ProgramFolder, this);
}

void frmVuska::mNaytaPainikkeet_Click()
{
    setScreenPointer(ScreenPointer::Hourglass);
    const bool shown = mNaytaPainikkeet_->isChecked();
    // A focused button that goes hands its focus on: that is not the player's choice.
    QScopedValueRollback moving(movingFocus_, true);
    if (shown) {
        mNaytaPainikkeet_->setChecked(false);
        cmdPainike_[0]->setEnabled(false);
        cmdPainike_[1]->setEnabled(false);
        setHeightTwips(windowHeightTwips(false));
    } else {
        cmdPainike_[0]->setEnabled(true);
        cmdPainike_[1]->setEnabled(true);
        mNaytaPainikkeet_->setChecked(true);
        setHeightTwips(windowHeightTwips(true));
    }
    WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, QStringLiteral("NaytaPainikkeet"), 1,
                       shown ? QStringLiteral("False") : QStringLiteral("True"));
    // The new-game button follows its guard, also while the row is hidden.
    tmrAjastin2_Timer();
    setScreenPointer(ScreenPointer::Default);
}

void frmVuska::mNaytaParhaatTulokset_Click()
{
    platform::setWindowPointer(this, ScreenPointer::Hourglass);
    parhaatTulokset().showModal();
    platform::setWindowPointer(this, ScreenPointer::Default);
}

void frmVuska::mNaytaAsetukset_Click()
{
    platform::setWindowPointer(this, ScreenPointer::Hourglass);
    asetukset().showModal();
    platform::setWindowPointer(this, ScreenPointer::Default);
}

void frmVuska::mTietojaOhjelmasta_Click()
{
    platform::setWindowPointer(this, ScreenPointer::Hourglass);
    tietoja().showModal();
    platform::setWindowPointer(this, ScreenPointer::Default);
}

void frmVuska::mOhjeenAiheet_Click()
{
    setScreenPointer(ScreenPointer::Hourglass);
    showHelpIndex(game_.helpFilePath(), this);
    setScreenPointer(ScreenPointer::Default);
}

MsgAnswer frmVuska::messageBox(const MessageBoxRequest& request)
{
    // What happened on the table comes before the box that follows from it.
    tellNews(false);
    return platform::messageBox(request, isVisible() ? this : nullptr);
}

void frmVuska::setScreenPointer(ScreenPointer pointer)
{
    platform::setScreenPointer(pointer);
}

bool frmVuska::pause(int milliseconds)
{
    tellNews(true);
    return clock_.pause(milliseconds) && !ending();
}

void frmVuska::showNameEntry()
{
    kysyNimi().showModal();
}

void frmVuska::setNewGameEnabled(bool enabled)
{
    QPushButton* button = cmdPainike_[0];
    const bool comesBack = enabled && !button->isEnabled();
    {
        // Qt hands the focus of a button it disables on to the next control: that is not
        // the player's choice.
        const QScopedValueRollback moving(movingFocus_, true);
        button->setEnabled(enabled);
    }
    mUusiPeli_->setEnabled(enabled);
    // A disabled "Uusi peli" leaves the focus on "Lopeta" (handed on, or given there when
    // the window was shown during the computer's turn), where Enter would ask to quit. When
    // the button comes back, so does the focus, unless the player put it on "Lopeta" himself.
    if (comesBack && focusWidget() == cmdPainike_[1] && playerFocus_ != cmdPainike_[1])
        button->setFocus(Qt::OtherFocusReason);
}

bool frmVuska::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && !movingFocus_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (qobject_cast<CardImage*>(watched)) {
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                pTaustalaatikko_->showFocusFrame(true);
        } else {
            switch (reason) {
            case Qt::MouseFocusReason:
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::ShortcutFocusReason:
                playerFocus_ = qobject_cast<QWidget*>(watched);
                break;
            default:
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmVuska::endProgram()
{
    unloadAllAndEnd();
}

bool frmVuska::ending() const
{
    return platform::lifetime::ending();
}

} // namespace vuska
