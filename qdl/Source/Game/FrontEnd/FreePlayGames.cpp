#include "qdl/Source/Game/FrontEnd/FreePlayGames.h"

#include <vector>

using Corvane::Label;

sFreePlayGame const kFreePlayGames[kNumGameModeTypes] = {
    {"CountTheMaterials", kGameModeType_CountTheMaterials},
    {"FarmerBrambold", kGameModeType_TrundelsDelivery},
    {"HammerTheNail", kGameModeType_HammerTheNail},
    {"TollerStacker", kGameModeType_TollerStacker},
    {"PaintTheHouse", kGameModeType_PaintIt},
    {"PileOfLeaves", kGameModeType_PileOfLeaves},
    {"PlanAJob", kGameModeType_PlanAJob},
    {"StreetSigns", kGameModeType_StreetSigns},
    {"ToolShed", kGameModeType_ToolShed},
    {"ScarrowPuzzle", kGameModeType_ScarrowPuzzle},
    {"HideAndSeek", kGameModeType_HideAndSeek},
    {"HereToThere", kGameModeType_HereToThere},
};

namespace
{

// By the table's order, interned once.
std::vector<Label> const& buttonLabels()
{
    static std::vector<Label> const labels = [] {
        std::vector<Label> made;
        for (sFreePlayGame const& game : kFreePlayGames)
            made.push_back(Label::GetUniqueString(game.button));
        return made;
    }();
    return labels;
}

} // namespace

int getFreePlayGameType(Label button)
{
    if (button.IsNull())
        return -1;
    std::vector<Label> const& labels = buttonLabels();
    for (size_t i = 0; i < labels.size(); ++i)
        if (labels[i] == button)
            return kFreePlayGames[i].type;
    return -1;
}
