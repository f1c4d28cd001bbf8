#include "game/forms/tablespeech.h"

#include <QCoreApplication>

namespace vuska::speech {

namespace {

QString spoken(const char* text)
{
    return QCoreApplication::translate("vuska::speech", text);
}

// The card's value as a player says it; in Finnish the numbers are read as numbers.
const char* const ValueWords[] = {
    //: The card's value as a screen reader speaks it in a card's name.
    QT_TRANSLATE_NOOP("vuska::speech", "2"),
    QT_TRANSLATE_NOOP("vuska::speech", "3"),
    QT_TRANSLATE_NOOP("vuska::speech", "4"),
    QT_TRANSLATE_NOOP("vuska::speech", "5"),
    QT_TRANSLATE_NOOP("vuska::speech", "6"),
    QT_TRANSLATE_NOOP("vuska::speech", "7"),
    QT_TRANSLATE_NOOP("vuska::speech", "8"),
    QT_TRANSLATE_NOOP("vuska::speech", "9"),
    QT_TRANSLATE_NOOP("vuska::speech", "10"),
    QT_TRANSLATE_NOOP("vuska::speech", "jätkä"),
    QT_TRANSLATE_NOOP("vuska::speech", "rouva"),
    QT_TRANSLATE_NOOP("vuska::speech", "kuningas"),
    QT_TRANSLATE_NOOP("vuska::speech", "ässä"),
};

// The suits by their Finnish words, which name them in the game.
QString suitWord(const QString& suit)
{
    static const struct {
        const char* word;
        const char* name;
    } suits[] = {
        //: The suit as a screen reader speaks it in a card's name.
        {"hertta", QT_TRANSLATE_NOOP("vuska::speech", "hertta")},
        {"pata", QT_TRANSLATE_NOOP("vuska::speech", "pata")},
        {"risti", QT_TRANSLATE_NOOP("vuska::speech", "risti")},
        {"ruutu", QT_TRANSLATE_NOOP("vuska::speech", "ruutu")},
    };
    for (const auto& s : suits)
        if (suit == QLatin1String(s.word))
            return spoken(s.name);
    return suit;
}

} // namespace

QString cardWords(const QString& suit, const Rank& rank)
{
    const int index = rank.isAce() ? 12 : rank.numberValue() - 2;
    const QString value = index >= 0 && index <= 12 ? spoken(ValueWords[index])
                                                    : QString::number(rank.numberValue());
    //: A card's name: %1 the suit, %2 the value ("hertta 7": seven of hearts).
    return QCoreApplication::translate("vuska::speech", "%1 %2").arg(suitWord(suit), value);
}

QString cardName(int slot, CardSide side, const QString& words)
{
    const bool mine = isHumanSlot(slot);
    switch (side) {
    case CardSide::FaceDown:
        return mine ? QCoreApplication::translate("vuska::speech", "oma kortti, kuvapuoli alaspäin")
                    : QCoreApplication::translate("vuska::speech", "tietokoneen kortti, kuvapuoli alaspäin");
    case CardSide::InHand:
        return words;
    case CardSide::OnTable:
        //: %1 is the card's name.
        return mine ? QCoreApplication::translate("vuska::speech", "%1, oma kortti pöydällä").arg(words)
                    : QCoreApplication::translate("vuska::speech", "%1, tietokoneen kortti pöydällä").arg(words);
    }
    return words;
}

QString cardPlayed(int slot, const QString& words)
{
    //: %1 is the card's name.
    return isHumanSlot(slot) ? QCoreApplication::translate("vuska::speech", "Löit %1.").arg(words)
                             : QCoreApplication::translate("vuska::speech", "Tietokone lyö %1.").arg(words);
}

QString trickWon(bool byHuman)
{
    return byHuman ? QCoreApplication::translate("vuska::speech", "Voitit tikin.")
                   : QCoreApplication::translate("vuska::speech", "Tietokone voitti tikin.");
}

QString starter(bool humanBegins)
{
    return humanBegins ? QCoreApplication::translate("vuska::speech", "Uusi jako, sinä aloitat.")
                       : QCoreApplication::translate("vuska::speech", "Uusi jako, tietokone aloittaa.");
}

QString turn(bool humanToPlay)
{
    return humanToPlay ? QCoreApplication::translate("vuska::speech", "Sinun vuorosi.")
                       : QCoreApplication::translate("vuska::speech", "Tietokoneen vuoro.");
}

} // namespace vuska::speech
