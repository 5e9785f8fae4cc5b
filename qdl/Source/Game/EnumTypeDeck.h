#pragma once

// Draws the values 0 to count - 1 at random without repeating one, like cards
// from a shuffled deck. It does not refill itself: after count draws the
// caller reshuffles.

#include <iterator>
#include <list>

#include "Core/Source/Random.h"

template <class T>
class EnumTypeDeck
{
public:
    // What DrawCard gives once the deck is empty.
    static constexpr int kEmptyDeck = -1;

    explicit EnumTypeDeck(int count) : count(count) { reshuffleDeck(); }

    void reshuffleDeck()
    {
        cards.clear();
        for (int i = 0; i < count; ++i)
            cards.push_back(static_cast<T>(i));
    }

    // A value still in the deck, removed from it; kEmptyDeck (as a T) when
    // every value has been drawn.
    T DrawCard()
    {
        if (cards.empty())
            return static_cast<T>(kEmptyDeck);
        int const last = static_cast<int>(cards.size()) - 1;
        int index = Corvane::Random::GetIntRange(0, last);
        if (index < 0 || index > last)
            index = 0;
        typename std::list<T>::iterator card = cards.begin();
        std::advance(card, index);
        T const value = *card;
        cards.erase(card);
        return value;
    }

    int getCount() const { return count; }
    int getCardsLeft() const { return static_cast<int>(cards.size()); }

private:
    int count;
    std::list<T> cards;
};
