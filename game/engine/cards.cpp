#include "game/engine/cards.h"

namespace vuska {

QString suitPartitive(const QString& suit)
{
    if (suit == QLatin1String("hertta"))
        return QStringLiteral("herttaa");
    if (suit == QLatin1String("pata"))
        return QStringLiteral("pataa");
    if (suit == QLatin1String("risti"))
        return QStringLiteral("ristiä");
    if (suit == QLatin1String("ruutu"))
        return QStringLiteral("ruutua");
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
