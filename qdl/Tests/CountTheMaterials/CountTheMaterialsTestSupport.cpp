#include "qdl/Tests/CountTheMaterials/CountTheMaterialsTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialLoader.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialTarget.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"

using GameDriver::Child;

namespace CountTheMaterialsTestSupport
{

SceneNode* DumperRoot()
{
    CountTheMaterialsMode* const game = CountTheMaterialsPlayer::TopGame();
    MaterialTarget* const dumper =
        game ? dynamic_cast<MaterialTarget*>(game->GetObjectDatabase()->GetObject(game->getDumper())) : nullptr;
    return dumper ? dumper->getLayoutNode() : nullptr;
}

SceneNode* DiggerRoot()
{
    CountTheMaterialsMode* const game = CountTheMaterialsPlayer::TopGame();
    MaterialLoader* const digger =
        game ? dynamic_cast<MaterialLoader*>(game->GetObjectDatabase()->GetNamedObject(MaterialLoader::name()))
             : nullptr;
    return digger ? digger->getLayoutNode() : nullptr;
}

DraggableMaterial* PileAt(std::string const& picturePath)
{
    SceneNode* const picture = Child::FindNode(picturePath);
    SceneNode* const root = picture ? picture->GetParent() : nullptr;
    return root ? dynamic_cast<DraggableMaterial*>(root->getLayoutController()) : nullptr;
}

Corvane::Vector2<float> ConstantPoint(char const* name)
{
    return Corvane::Constant<Corvane::Vector2<float> >(name);
}

bool Near(Corvane::Vector2<float> const& a, Corvane::Vector2<float> const& b)
{
    return std::abs(a.x - b.x) < 1.0f && std::abs(a.y - b.y) < 1.0f;
}

long long LastPlayMS(Child& child, std::string const& name)
{
    long long last = -1;
    for (GameDriver::sSoundPlay const& play : child.Sounds())
        if (play.sound == name)
            last = static_cast<long long>(play.timeMS);
    return last;
}

std::string OriginalContent(std::string const& file)
{
    std::ifstream in(std::string(CORVANE_TEST_RESOURCES_DIR) + "/" + file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ReplaceContent(std::string const& folder, std::string const& file, std::string const& text)
{
    std::string const path = folder + "/" + file;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace CountTheMaterialsTestSupport
