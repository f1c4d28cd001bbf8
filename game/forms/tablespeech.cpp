#include "game/forms/tablespeech.h"

namespace vuska::speech {

QString cardWords(const QString& suit, const Rank& rank)
{
    QString value;
    if (rank.isAce())
        value = QStringLiteral("ässä");
    else if (rank.isNumber(11))
        value = QStringLiteral("jätkä");
    else if (rank.isNumber(12))
        value = QStringLiteral("rouva");
    else if (rank.isNumber(13))
        value = QStringLiteral("kuningas");
    else
        value = QString::number(rank.numberValue());
    return suit + QLatin1Char(' ') + value;
}

QString cardName(int slot, CardSide side, const QString& words)
{
    const bool mine = isHumanSlot(slot);
    switch (side) {
    case CardSide::FaceDown:
        return mine ? QStringLiteral("oma kortti, kuvapuoli alaspäin")
                    : QStringLiteral("tietokoneen kortti, kuvapuoli alaspäin");
    case CardSide::InHand:
        return words;
    case CardSide::OnTable:
        return words + (mine ? QStringLiteral(", oma kortti pöydällä") : QStringLiteral(", tietokoneen kortti pöydällä"));
    }
    return words;
}

QString cardPlayed(int slot, const QString& words)
{
    return (isHumanSlot(slot) ? QStringLiteral("Löit ") : QStringLiteral("Tietokone lyö ")) + words +
           QLatin1Char('.');
}

QString trickWon(bool byHuman)
{
    return byHuman ? QStringLiteral("Voitit tikin.") : QStringLiteral("Tietokone voitti tikin.");
}

QString starter(bool humanBegins)
{
    return humanBegins ? QStringLiteral("Uusi jako, sinä aloitat.") : QStringLiteral("Uusi jako, tietokone aloittaa.");
}

QString turn(bool humanToPlay)
{
    return humanToPlay ? QStringLiteral("Sinun vuorosi.") : QStringLiteral("Tietokoneen vuoro.");
}

} // namespace vuska::speech
