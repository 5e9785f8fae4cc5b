#include "qdl/Source/Game/GameConstants.h"


using Corvane::Label;

Label const kEffectKind = Label::GetUniqueString("Effect");
Label const kAmbientKind = Label::GetUniqueString("Ambient");
Label const kMusicKind = Label::GetUniqueString("Music");

NodePathElement const kPlayfieldPath[3] = {"GameScreenRoot", "Playfield", NodePathTerminator()};
NodePathElement const kFXLayerPath[3] = {"GameScreenRoot", "FX_Layer", NodePathTerminator()};
NodePathElement const kUIAttachPath[3] = {"GameScreenRoot", "UI_attach", NodePathTerminator()};

char const* const kQuarrydaleColorNames[kNumQuarrydaleColors] = {
    "Red", "Green", "Blue", "Yellow", "Black", "Orange", "Purple", "White", "Brown", "Gray"};
char const* const kQuarrydaleShapeNames[kNumQuarrydaleShapes] = {"Square",  "Circle",  "Triangle",
                                                                  "Star",    "Octagon", "Rectangle"};
char const* const kQuarrydaleToolNames[kNumQuarrydaleTools] = {"Hammer",      "Saw",   "Drill",  "Brush",
                                                                "Wrench",      "Screwdriver", "Level", "Pliers"};
char const* const kQuarrydaleMaterialNames[kNumQuarrydaleMaterials] = {"Plant", "Bricks", "Log", "Cement", "Cone"};

Label const kQuarrydaleColorLabels[kNumQuarrydaleColors] = {
    Label::GetUniqueString("Red"),    Label::GetUniqueString("Green"),  Label::GetUniqueString("Blue"),
    Label::GetUniqueString("Yellow"), Label::GetUniqueString("Black"),  Label::GetUniqueString("Orange"),
    Label::GetUniqueString("Purple"), Label::GetUniqueString("White"),  Label::GetUniqueString("Brown"),
    Label::GetUniqueString("Gray")};
Label const kQuarrydaleShapeLabels[kNumQuarrydaleShapes] = {
    Label::GetUniqueString("Square"), Label::GetUniqueString("Circle"),  Label::GetUniqueString("Triangle"),
    Label::GetUniqueString("Star"),   Label::GetUniqueString("Octagon"), Label::GetUniqueString("Rectangle")};
Label const kQuarrydaleToolLabels[kNumQuarrydaleTools] = {
    Label::GetUniqueString("Hammer"), Label::GetUniqueString("Saw"),         Label::GetUniqueString("Drill"),
    Label::GetUniqueString("Brush"),  Label::GetUniqueString("Wrench"),      Label::GetUniqueString("Screwdriver"),
    Label::GetUniqueString("Level"),  Label::GetUniqueString("Pliers")};
Label const kQuarrydaleMaterialLabels[kNumQuarrydaleMaterials] = {
    Label::GetUniqueString("Plant"), Label::GetUniqueString("Bricks"), Label::GetUniqueString("Log"),
    Label::GetUniqueString("Cement"), Label::GetUniqueString("Cone")};

int lookUpName(std::wstring const& text, char const* const* table, int count)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text)
    {
        // No entry holds a control character, so this never matches.
        if (c < 0 || c > 127)
            narrow += '\x01';
        else
            narrow += static_cast<char>(c);
    }
    for (int i = 0; i < count; ++i)
        if (table[i] && narrow == table[i])
            return i;
    return -1;
}
