#pragma once

#include <array>
#include <functional>

#include <QCoreApplication>
#include <QString>

#include "game/engine/cards.h"
#include "game/engine/seams.h"
#include "platform/random.h"

namespace vuska {

// A Boolean whose every assignment is reported, so that the window can keep the
// new-game command's enabled state in step with the play flags at once.
class WatchedFlag {
public:
    WatchedFlag& operator=(bool value)
    {
        value_ = value;
        if (onChange_)
            onChange_();
        return *this;
    }
    operator bool() const { return value_; }
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    bool value_ = false;
    std::function<void()> onChange_;
};

// The game's module: the card model, the game state, and the procedures of the deal, the
// play, the computer opponent, the card animations and the best-results list. One object
// holds what the program keeps program-wide, so every test starts from a fresh one.
class mdlVuska {
    Q_DECLARE_TR_FUNCTIONS(vuska::mdlVuska)
public:
    mdlVuska(CardPictures& pictures, GameUser& user, platform::RandomSource& random);

    // Game state.
    QString ProgramFolder;
    QString StartMode;
    bool ShowShuffleAndDeal = false;
    bool ShowCardMovement = false;
    qint16 AnimationSteps = 0;
    WatchedFlag GameInProgress;
    bool HumanStartedGame = false;
    WatchedFlag HumanToPlay;
    bool HumanHasLead = false;
    bool ComputerHasLed = false;
    qint16 WinStreak = 0;

    std::array<QString, SlotCount> CardName;
    std::array<QString, SlotCount> CardSuit;
    std::array<Rank, SlotCount> CardValue;
    std::array<bool, SlotCount> CardPlayed{};
    std::array<QString, SlotCount> CardPicturePath;

    // The current trick.
    QString ComputerTrickCard;
    QString HumanTrickCard;
    QString ComputerLedSuit;
    QString HumanLedSuit;
    bool HumanCanFollow = false;
    bool ComputerCanFollow = false;
    qint16 ComputerChoice = 0;

    // The best-results list, slot 0 best, and the staging list of a save.
    std::array<QString, SlotCount> BestNames;
    std::array<qint16, SlotCount> BestScores{};
    std::array<QString, SlotCount> NewBestNames;
    std::array<qint16, SlotCount> NewBestScores{};

    // Deal and start.
    void DealCards();
    void DecideStarter();

    // Play.
    void imgKortti_MouseDown(int index, Qt::MouseButton button);
    void HumanLeadsTrick(int index);
    void HumanFollowsTrick(int index);
    void ComputerLeadsTrick();
    void ComputerFollowsTrick();
    void CheckHumanCanFollow();
    void CheckComputerCanFollow();
    void DecideTrickWinner();
    void EndGameWon();
    void EndGameLost();

    // The computer's choice; the result is ComputerChoice.
    void PickComputerCard();
    void PickComputerCardOfSuit();

    // Pictures of a new deal. The two loaders return false when a picture file could not
    // be loaded: the program is then ending and the deal must stop.
    bool LoadCardBacks();
    void ShuffleAnimation();
    void DealOut();
    bool LoadCardFaces();

    // A played card's way to the table. False when its picture could not be loaded and
    // the program is ending.
    bool MoveCardToTable(int slot);
    void HidePreviousTableCards(int slot);

    // The start mode, the two animation switches and the animation speed from the settings
    // store; whatever is missing or not understood there gives that setting's default.
    void ReadSettings();

    // The best-results list in the registry.
    void LoadBestResults();
    void SaveBestResults();
    bool RunQualifiesForBestResults() const;
    void InsertBestResult(const QString& name);
    // Clears the list slot by slot; showSlot(i) lets a dialog show each cleared row.
    void ClearBestResults(const std::function<void(int)>& showSlot = {});
    bool BestResultsHoldOnlyDefaults() const;

    // Where a slot's picture lies in the hand, and where a played card comes to rest.
    static double handLeft(int slot);
    static double handTop(int slot);
    static double tableSpotLeft(int slot);
    static double tableSpotTop(int slot);

    // The size every card picture is given: 80 by 127 1/3 pixels.
    static constexpr double CardWidth = 80.0;
    static constexpr double CardHeight = double(float(382.0 / 3.0));
    static constexpr double DeckLeft = 184.0;
    static constexpr double DeckTop = 168.0;

    QString helpFilePath() const;
    QString pictureFilePath(const QString& baseName) const;

private:
    int slotNamed(const QString& name, int first, int last) const;
    bool anyUnplayed(int first, int last) const;
    void resetPlayedPointer(int index);
    void playFaceMissing(const QString& path, int helpContext);
    static QString fileMissing(const QString& path);
    int drawSlot();

    CardPictures& pictures_;
    GameUser& user_;
    platform::RandomSource& random_;
};

// The game's help in the player's language: the help document of the program's folder in
// Finnish; the Swedish and English ones travel inside the program.
QString helpFileIn(const QString& programFolder);

// The texts of the four start modes as the settings store and compare them.
namespace StartModes {
inline const QString Alternate = QStringLiteral("Vuoroaloitus");
inline const QString Random = QStringLiteral("Aloittaja arvotaan");
inline const QString LowestCard = QStringLiteral("Pienimman kortin omistaja");
inline const QString PreviousWinner = QStringLiteral("Edellisen pelin voittanut");
} // namespace StartModes

} // namespace vuska
