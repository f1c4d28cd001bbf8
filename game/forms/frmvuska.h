#pragma once

#include <array>
#include <memory>
#include <optional>

#include <QIcon>
#include <QMainWindow>
#include <QPointer>

#include "game/engine/mdlvuska.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "platform/unloadmode.h"

class QAction;
class QFrame;
class QMenu;
class QPushButton;
class QTimer;

namespace vuska {

class CardTable;
class InputBlocker;
class frmAsetukset;
class frmKysyNimi;
class frmParhaatTulokset;
class frmTietoja;

using platform::UnloadMode;

// The game table window: the card table, the row of buttons, the menus, the start-up,
// the new-game and quit commands, and the starter that decides who begins each deal.
class frmVuska : public QMainWindow, public GameUser {
    Q_OBJECT
public:
    frmVuska(const QString& programFolder, platform::Clock& clock, platform::RandomSource& random,
             QWidget* parent = nullptr);
    ~frmVuska() override;

    // The game's icon in all its sizes.
    static QIcon gameIcon();

    mdlVuska& game() { return game_; }
    CardTable* table() const { return pTaustalaatikko_; }
    QPushButton* cmdPainike(int index) const { return cmdPainike_[size_t(index)]; }
    QAction* mUusiPeli() const { return mUusiPeli_; }
    QAction* mLopeta() const { return mLopeta_; }
    QAction* mNaytaPainikkeet() const { return mNaytaPainikkeet_; }
    QAction* menuItem(const char* objectName) const;
    QTimer* tmrAjastin() const { return tmrAjastin_; }

    // The window's outer height in twips, as the layout sets it.
    int heightTwips() const { return heightTwips_; }

    // Start-up: settings, layout, the first deal. Runs before the window is first shown.
    void Form_Load();

    void cmdPainike_Click(int index);
    // A card of the table chosen by a click, a key or the reader's press: counts as a left
    // click would, and only once the deal's starter has decided.
    void playCard(int slot, Qt::MouseButton button);
    void mUusiPeli_Click();
    void mLopeta_Click();
    // Returns true to cancel the close.
    bool Form_QueryUnload(UnloadMode mode);
    void tmrAjastin_Timer();
    // The new-game guard: the command is unavailable while the computer is to play.
    void tmrAjastin2_Timer();

    void mNaytaPainikkeet_Click();
    void mNaytaParhaatTulokset_Click();
    void mNaytaAsetukset_Click();
    void mTietojaOhjelmasta_Click();
    void mOhjeenAiheet_Click();

    // The dialogs live from their first use until the program ends.
    frmAsetukset& asetukset();
    frmKysyNimi& kysyNimi();
    frmParhaatTulokset& parhaatTulokset();
    frmTietoja& tietoja();

    // Unloads the program's windows in their fixed order and ends the program.
    void unloadAllAndEnd();

    // GameUser
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) override;
    void setScreenPointer(platform::ScreenPointer pointer) override;
    bool pause(int milliseconds) override;
    void showNameEntry() override;
    void setNewGameEnabled(bool enabled) override;
    void endProgram() override;
    bool ending() const override;
    void starterDecided(bool humanBegins) override;
    void cardPlayed(int slot) override;
    void trickWon(bool byHuman) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void layOut();
    void setHeightTwips(int twips);
    int windowHeightTwips(bool buttonsShown) const;
    // Quit steps after the user has confirmed: the run ends, then the program.
    void quitConfirmed();
    bool askQuit();
    // The new-game guard's rule: not while the computer is to play.
    bool newGameAllowed() const;
    // The card picture's accessible name, from what it shows.
    void nameCard(int slot);
    // Tells the news of the play gathered so far to a screen reader, with whose turn it is
    // when asked.
    void tellNews(bool withTurn);

    CardTable* pTaustalaatikko_ = nullptr;
    QFrame* frKehysviiva_ = nullptr;
    std::array<QPushButton*, 2> cmdPainike_{};
    QWidget* client_ = nullptr;
    QMenu* mnuPeli_ = nullptr;
    QAction* mUusiPeli_ = nullptr;
    QAction* mLopeta_ = nullptr;
    QAction* mNaytaPainikkeet_ = nullptr;
    QTimer* tmrAjastin_ = nullptr;
    std::unique_ptr<frmAsetukset> frmAsetukset_;
    std::unique_ptr<frmKysyNimi> frmKysyNimi_;
    std::unique_ptr<frmParhaatTulokset> frmParhaatTulokset_;
    std::unique_ptr<frmTietoja> frmTietoja_;

    platform::Clock& clock_;
    mdlVuska game_;
    QString startFolder_;
    int heightTwips_ = 0;
    bool dealing_ = false;
    bool deciding_ = false;
    // Deals counted as they begin, and the last one whose starter has decided.
    quint64 armedDeal_ = 0;
    quint64 decidedDeal_ = 0;
    bool unloadingByCode_ = false;
    bool askingToQuit_ = false;
    bool askingNewGame_ = false;
    // The button the player last put the focus on himself (Tab, a click, an access key).
    QPointer<QWidget> playerFocus_;
    bool movingFocus_ = false;
    std::optional<UnloadMode> endRequestDuringDeal_;
    QStringList news_;
};

} // namespace vuska
