#pragma once

#include <array>

#include <QString>

namespace vuska {

inline constexpr int SlotCount = 10;
inline constexpr int FirstHumanSlot = 5;

inline bool isComputerSlot(int slot) { return slot >= 0 && slot < FirstHumanSlot; }
inline bool isHumanSlot(int slot) { return slot >= FirstHumanSlot && slot < SlotCount; }

// Suits in the order the deal numbers them 1..4.
inline const std::array<QString, 4>& suitWords()
{
    static const std::array<QString, 4> words = {QStringLiteral("hertta"), QStringLiteral("pata"),
                                                 QStringLiteral("risti"), QStringLiteral("ruutu")};
    return words;
}

// The suit as the follow-suit message names it, in the player's language (in Finnish, the
// partitive of the suit word).
QString suitPartitive(const QString& suit);

// A card's value: a number 2..13, or the ace, which ranks above 13. The ace is its own
// kind of value, so it can never be mistaken for a number (it is neither 1 nor 14 nor 2).
class Rank {
public:
    constexpr Rank() = default;
    static constexpr Rank number(int n) { return Rank(n); }
    static constexpr Rank ace() { return Rank(AceMarker); }

    constexpr bool isAce() const { return value_ == AceMarker; }
    constexpr bool isNumber(int n) const { return !isAce() && value_ == n; }
    // The number 2..13; only meaningful when the rank is not the ace.
    constexpr int numberValue() const { return value_; }
    // "2" .. "13", or "a" for the ace: the value part of a card name.
    QString text() const;

    // Play order within a suit: 2 < 3 < .. < 13 < ace.
    constexpr bool beats(const Rank& other) const
    {
        if (isAce())
            return !other.isAce();
        return !other.isAce() && value_ > other.value_;
    }
    constexpr bool operator==(const Rank&) const = default;

private:
    static constexpr int AceMarker = -1;
    constexpr explicit Rank(int v) : value_(v) {}
    int value_ = 0;
};

// "hertta7", "pata13", "ristia": suit word followed by the value text.
QString cardName(const QString& suit, const Rank& rank);

} // namespace vuska
