#include "qdl/Source/Game/HereToThere/HereToThereConstants.h"

#include <exception>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneLayout.h"

char const* const kHereToThereObjectColorNames[kNumHereToThereObjectColors] = {
    "Blue",
    "Green",
    "Purple",
    "Yellow"};

char const* const kHereToThereObjectShapeNames[kNumHereToThereObjectShapes] = {
    "Square",
    "Circle",
    "Triangle",
    "Star"};

Corvane::Label getHereToThereFlagImageList(int shape)
{
    static Corvane::Label const lists[kNumHereToThereObjectShapes] = {
        Corvane::Label::GetUniqueString("HereToThere_Rectangle"), Corvane::Label::GetUniqueString("HereToThere_Circle"),
        Corvane::Label::GetUniqueString("HereToThere_Triangle"), Corvane::Label::GetUniqueString("HereToThere_Star")};
    if (shape < 0 || shape >= kNumHereToThereObjectShapes)
        return Corvane::Label();
    return lists[shape];
}

SceneNode* instantiateHereToThereLayout(char const* layoutName)
{
    Corvane::AutoResource<SceneLayout> const layout(layoutName);
    if (!layout)
    {
        Corvane::Internal::LogWrite("HereToThere: the scene layout \"%s\" is not loaded\n", layoutName);
        return nullptr;
    }
    try
    {
        return layout->InstantiateLayout(nullptr);
    }
    catch (std::exception const& error)
    {
        Corvane::Internal::LogWrite("HereToThere: the scene layout \"%s\" could not be built: %s\n", layoutName,
                                    error.what());
        return nullptr;
    }
}
