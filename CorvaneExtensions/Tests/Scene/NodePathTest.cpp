#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include "CorvaneExtensions/Source/NodePath.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace SceneTesting;

namespace
{

class ArmNode : public SceneNode
{
};

// root: [ "Base", [ "Arm": [ "Grúa" ] ] ]
struct PathScene : SceneModeFixture
{
    PathScene()
    {
        base = new SceneNode();
        base->SetNodeName(L8("Base"));
        Add(base);
        holder = new SceneNode();
        Add(holder);
        arm = new ArmNode();
        arm->SetNodeName(L8("Arm"));
        Add(arm, holder);
        crane = new SceneNode();
        // Names are narrowed to ASCII with '?' for other characters, as layouts do.
        crane->SetNodeName(Label::FromString(std::wstring(L"Gr\u00faa")));
        Add(crane, arm);
    }
    SceneNode* base;
    SceneNode* holder;
    ArmNode* arm;
    SceneNode* crane;
};

} // namespace

TEST(NodePath, StepsByIndexLabelAndTextAreCaseless)
{
    PathScene scene;
    NodePathElement const byText[] = {1, "arm", NodePathTerminator()};
    EXPECT_EQ(scene.arm, scene.Root()->GetDescendent(byText));
    NodePathElement const byLabel[] = {1, L8("ARM"), NodePathTerminator()};
    EXPECT_EQ(scene.arm, scene.Root()->GetDescendent(byLabel));
    NodePathElement const byStrings[] = {std::string("BASE"), NodePathTerminator()};
    EXPECT_EQ(scene.base, scene.Root()->GetDescendent(byStrings));
    NodePathElement const byWide[] = {1, std::wstring(L"Arm"), std::wstring(L"Gr\u00faa"), NodePathTerminator()};
    EXPECT_EQ(scene.crane, scene.Root()->GetDescendent(byWide));
    NodePathElement const indices[] = {1, 0, 0, NodePathTerminator()};
    EXPECT_EQ(scene.crane, scene.Root()->GetDescendent(indices));

    SceneNode const* constRoot = scene.Root();
    EXPECT_EQ(scene.crane, constRoot->GetDescendent(indices));
    EXPECT_EQ(scene.base, constRoot->GetChild(std::string("base")));
}

TEST(NodePath, FailedStepsYieldNull)
{
    PathScene scene;
    NodePathElement const negative[] = {-1, NodePathTerminator()};
    EXPECT_EQ(nullptr, scene.Root()->GetDescendent(negative));
    NodePathElement const pastTheEnd[] = {2, NodePathTerminator()};
    EXPECT_EQ(nullptr, scene.Root()->GetDescendent(pastTheEnd));
    NodePathElement const unknown[] = {1, "Leg", 0, NodePathTerminator()};
    EXPECT_EQ(nullptr, scene.Root()->GetDescendent(unknown));
    EXPECT_EQ(nullptr, scene.Root()->GetChild(static_cast<char const*>(nullptr)));
    EXPECT_EQ(nullptr, scene.Root()->GetChild(NodePathTerminator()));
    EXPECT_EQ(nullptr, scene.Root()->GetDescendent(nullptr));
}

TEST(NodePath, AloneTheTerminatorYieldsTheStartNode)
{
    PathScene scene;
    NodePathElement const empty[] = {NodePathTerminator()};
    EXPECT_EQ(scene.holder, scene.holder->GetDescendent(empty));
    EXPECT_EQ(scene.Root(), RootDescendent(empty));
}

TEST(NodePath, RootDescendentResolvesFromTheCurrentSceneAndCastsToTheType)
{
    NodePathElement const toArm[] = {1, "Arm", NodePathTerminator()};
    NodePathElement const toBase[] = {"Base", NodePathTerminator()};
    EXPECT_EQ(nullptr, RootDescendent(toArm));
    {
        PathScene scene;
        EXPECT_EQ(scene.arm, RootDescendent(toArm));
        EXPECT_EQ(scene.arm, RootDescendent<ArmNode>(toArm));
        EXPECT_EQ(nullptr, RootDescendent<ArmNode>(toBase));
        EXPECT_EQ(scene.base, RootDescendent<SceneNode>(toBase));
    }
    ApplicationMode plain;
    MainLoop::AutoContext saver;
    MainLoop::WithinContext(&plain, saver);
    EXPECT_EQ(nullptr, RootDescendent(toArm));
}
