#pragma once

// The fence-painting game. Ten stripes stand in front of a house: the first six
// spell a colour pattern of the level, the last four are bare. A bucket loads
// the brush with its colour, a click on the fence has the lift paint the
// left-most bare stripe; a right colour moves the lift on, a wrong one is named
// and scraped off. Four right stripes end the round: another round while loops
// remain, else the level's end.

#include <deque>
#include <vector>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Object.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class HousePaintBucket;
class HousePaintStripe;
class SceneNode;

class PaintTheHouseMode : public QuarrydaleGameMode
{
public:
    // Started from a menu or the story with (true, -1); a next round with
    // (false, the loops left).
    PaintTheHouseMode(bool playIntro, int loops);
    ~PaintTheHouseMode() override;

    void Setup() override;
    void Update(float dt) override;
    void refreshMode() override;
    void setupCursor() override;

    void setupDeliveryPatterns();
    void setupDeliveryButtons();

    void bucketClicked(HousePaintBucket* bucket);
    void mouseEnterFence();
    void mouseExitFence();
    void mouseClickOnFence();

    void startPaintingSequence();
    void finishPaintingSequence();
    void playOutroAnimation();

    // The colours of the ten stripes: the pattern spelled cyclically from its
    // first symbol through the symbol-to-colour map. Empty for an empty pattern
    // or a symbol the map does not cover.
    static std::vector<int> stripeColors(std::vector<int> const& pattern, std::vector<int> const& mapping);
    // A random order of the four colours, drawn from the engine's random stream.
    static std::vector<int> drawColorMapping();

    int getLoopsLeft() const { return loopsLeft; }
    int getCurrentColor() const { return currentColor; }
    std::vector<int> const& getPatternIndexMapping() const { return patternIndexMapping; }
    // The level drawn for this round; null before Setup.
    Corvane::Label getLevelName() const { return levelName; }
    // The pattern this round spells; empty when the level is missing.
    std::vector<int> const& getPattern() const { return pattern; }
    // The bare stripes still to paint right, left to right.
    std::vector<HousePaintStripe*> getStripesToPaint() const;

private:
    HousePaintStripe* frontStripe() const;
    SceneNode* nodeOf(Corvane::ObjectID id) const;

    int loopsLeft;
    bool playIntro;
    int currentColor;
    std::vector<int> patternIndexMapping;
    Corvane::Label levelName;
    std::vector<int> pattern;
    std::deque<Corvane::ObjectID> stripesToPaint;
    Corvane::ObjectID playfieldID;
    Corvane::ObjectID animRootID;
    Corvane::ObjectID vehicleID;
    Corvane::ObjectID maskID;
};
