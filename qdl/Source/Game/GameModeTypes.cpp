#include "qdl/Source/Game/GameModeTypes.h"

using Corvane::Label;

char const* const kGameModeDifficultyNames[kNumGameModeDifficulties] = {"Easy", "Medium", "Hard"};

namespace
{

// By GameModeType value.
Label const* gameLabels()
{
    static Label const labels[kNumGameModeTypes] = {
        Label::GetUniqueString("ToolShed"),          Label::GetUniqueString("StreetSigns"),
        Label::GetUniqueString("PlanAJob"),          Label::GetUniqueString("PaintIt"),
        Label::GetUniqueString("TollerStacker"),     Label::GetUniqueString("HammerTheNail"),
        Label::GetUniqueString("CountTheMaterials"), Label::GetUniqueString("TrundelDelivery"),
        Label::GetUniqueString("PileOfLeaves"),      Label::GetUniqueString("ScarrowPuzzle"),
        Label::GetUniqueString("HideAndSeek"),       Label::GetUniqueString("HereToThere")};
    return labels;
}

} // namespace

Label getGameModeLabel(GameModeType type)
{
    if (type < 0 || type >= kNumGameModeTypes)
        return Label();
    return gameLabels()[type];
}

int getGameModeTypeForLabel(Label game)
{
    if (game.IsNull())
        return -1;
    for (int i = 0; i < kNumGameModeTypes; ++i)
        if (gameLabels()[i] == game)
            return i;
    return -1;
}
