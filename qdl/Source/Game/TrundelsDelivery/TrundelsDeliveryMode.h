#pragma once

// The delivery game: a train of six carts drives in; carts 1 (the truck) to
// 5 carry cargo in a pattern of the level, cart 6 is empty. Of five cargo
// choices the child clicks the one that continues the pattern: the crane's
// hook lifts it into cart 6. Right, the train drives off and the game starts
// again or the level ends; wrong, the crane is sad, a voice says what was
// wrong (colour, kind, or both) and the cargo is lifted out and gone.
// Letters A, B and C stand for three different random cargo types each game.

#include <deque>
#include <vector>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryConstants.h"

class AnimatedSpriteNode;
class DeliveryCart;
class DeliveryObject;

class TrundelsDeliveryMode : public QuarrydaleGameMode
{
public:
    static int const kNumCarts = 6;
    static int const kNumChoices = 5;

    // loops -1 plays "RepeatedGameNumLoops"[difficulty] further games.
    TrundelsDeliveryMode(bool playIntro, int loops);
    ~TrundelsDeliveryMode() override;

    void Update(float dt) override;
    void Setup() override;
    void refreshMode() override;
    void setupCursor() override;

    // The cargo of carts 1 to 6: the pattern's symbols in turn, repeated,
    // through the mapping; empty for an empty pattern.
    static std::vector<TrundelsDeliveryType> cartTypes(std::vector<int> const& pattern,
                                                       std::vector<TrundelsDeliveryType> const& mapping);
    // The five choices: the first five types of the mapping, shuffled.
    static std::vector<TrundelsDeliveryType> choiceTypes(std::vector<TrundelsDeliveryType> const& mapping);
    // Draws the pattern and the letters' cargo types; returns the pattern's index.
    int generatePatternIndexMapping(Corvane::Label levelName);
    void setupDeliveryPatterns();
    void setupDeliveryButtons();
    void playIntroAnimation();
    void changeAllCartAnimations(Corvane::Label animation);
    // A choice was pressed; presses during an answer are ignored.
    void buttonClicked(DeliveryObject* choice);
    void patternComplete();
    void playOutroAnimation();

    std::vector<TrundelsDeliveryType> const& getPatternIndexMapping() const { return patternIndexMapping; }
    std::vector<int> const& getPattern() const { return pattern; }
    Corvane::Label getLevel() const { return level; }
    int getLoopsLeft() const { return loopsLeft; }
    bool isAnswering() const { return answering; }
    size_t getCartsToFill() const { return cartsToFill.size(); }
    SceneNode* getClickMask() const;
    AnimatedSpriteNode* getCrane() const;

private:
    std::vector<TrundelsDeliveryType> patternIndexMapping;
    std::deque<Corvane::ObjectID> cartsToFill;
    int loopsLeft;
    bool playIntro;
    // A choice is on its way; set at the press, cleared when a wrong one is gone.
    bool answering;
    Corvane::Label level;
    std::vector<int> pattern;
};
