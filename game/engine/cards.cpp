#include "game/engine/cards.h"

#include <QCoreApplication>

namespace vuska {

QString suitPartitive(const QString& suit)
{
    //: The suit as the follow-suit message names it: "... has led hearts, so you must play it".
    if (suit == QLatin1String("hertta"))
        return QCoreApplication::translate("vuska::Suit", "herttaa");
    //: The suit as the follow-suit message names it.
    if (suit == QLatin1String("pata"))
        return QCoreApplication::translate("vuska::Suit", "pataa");
    //: The suit as the follow-suit message names it.
    if (suit == QLatin1String("risti"))
        return QCoreApplication::translate("vuska::Suit", "ristiä");
    //: The suit as the follow-suit message names it.
    if (suit == QLatin1String("ruutu"))
        return QCoreApplication::translate("vuska::Suit", "ruutua");
    return suit;
}

QString Rank::text() const
{
    return isAce() ? QStringLiteral("a") : QString::number(value_);
}

QString cardName(const QString& suit, const Rank& rank)
{
    return suit + rank.text();
}

} // namespace vuska
