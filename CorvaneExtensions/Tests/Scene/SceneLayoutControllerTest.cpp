#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include "CorvaneExtensions/Source/SceneLayoutController.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace SceneTesting;

namespace
{

// A controller of a two-node subtree that notes its life in the journal.
class CraneController : public SceneLayoutController
{
public:
    CraneController() : built(nullptr) {}
    ~CraneController() override { Journal().push_back("controller deleted"); }

    SceneNode* GetLayoutNode() override
    {
        built = new TaggedNode("crane", Rect<float>(0, 0, 10, 10));
        built->AttachChild(new TaggedNode("hook"));
        return built;
    }
    void ControllerDestroyed() override { Journal().push_back("ControllerDestroyed"); }
    void AddedToScene() override
    {
        Journal().push_back(std::string("AddedToScene ") + (layoutNode && layoutNode->IsLive() ? "live" : "dead"));
    }

    SceneNode* built;
};

CraneController* AddCrane(SceneModeFixture& scene, SceneNode* parent)
{
    CraneController* controller = new CraneController();
    controller->destroyedSignal.connect([](SceneLayoutController*) { Journal().push_back("controller signal"); });
    controller->AddToScene(scene.Database(), parent);
    return controller;
}

} // namespace

TEST(SceneLayoutController, AddingPutsControllerAndSubtreeInTheDatabase)
{
    SceneModeFixture scene;
    CraneController* controller = AddCrane(scene, scene.Root());
    SceneNode* crane = controller->getLayoutNode();
    ASSERT_EQ(controller->built, crane);
    EXPECT_EQ(controller, crane->getLayoutController());
    EXPECT_TRUE(controller->IsLive());
    EXPECT_TRUE(crane->IsLive());
    EXPECT_TRUE(crane->GetChildren().front()->IsLive());
    EXPECT_EQ(scene.Root(), crane->GetParent());
    EXPECT_EQ((std::vector<std::string>{"AddedToScene live"}), Journal());
    // The controller joins first, then the hook before the crane.
    EXPECT_LT(GetObjectIDIndex(controller->GetID()), GetObjectIDIndex(crane->GetChildren().front()->GetID()));
    EXPECT_LT(GetObjectIDIndex(crane->GetChildren().front()->GetID()), GetObjectIDIndex(crane->GetID()));
}

TEST(SceneLayoutController, DestroyingTheNodeDestroysTheControllerOnce)
{
    SceneModeFixture scene;
    CraneController* controller = AddCrane(scene, scene.Root());
    SceneNode* crane = controller->getLayoutNode();
    Journal().clear();

    crane->DestroySelf();
    EXPECT_EQ(nullptr, controller->getLayoutNode());
    EXPECT_EQ(nullptr, crane->getLayoutController());
    EXPECT_FALSE(controller->IsLive());
    EXPECT_EQ((std::vector<std::string>{"hook NodeDestroyed", "ControllerDestroyed", "controller signal",
                                        "crane NodeDestroyed"}),
              Journal());
    // A second destroy request for either side changes nothing.
    crane->DestroySelf();
    controller->DestroySelf();
    EXPECT_EQ(4u, Journal().size());

    Journal().clear();
    scene.mode->Update(0.02f);
    EXPECT_EQ(3u, Journal().size());
    EXPECT_EQ(0u, scene.Root()->GetChildCount());
}

TEST(SceneLayoutController, DestroyingTheControllerDestroysTheSubtree)
{
    SceneModeFixture scene;
    CraneController* controller = AddCrane(scene, scene.Root());
    SceneNode* crane = controller->getLayoutNode();
    int craneSignals = 0;
    crane->destroyedSignal.connect([&craneSignals](SceneNode*) { ++craneSignals; });
    Journal().clear();

    controller->DestroySelf();
    EXPECT_EQ(1, craneSignals);
    EXPECT_FALSE(crane->IsLive());
    EXPECT_EQ(0u, scene.Root()->GetChildCount());
    EXPECT_EQ((std::vector<std::string>{"ControllerDestroyed", "hook NodeDestroyed", "crane NodeDestroyed",
                                        "controller signal"}),
              Journal());
    scene.mode->Update(0.02f);
    EXPECT_EQ(7u, Journal().size());
}

TEST(SceneLayoutController, DestroyingTheParentTakesTheControllerAlong)
{
    SceneModeFixture scene;
    SceneNode* site = scene.Add(new TaggedNode("site"));
    CraneController* controller = AddCrane(scene, site);
    site->DestroySelf();
    EXPECT_FALSE(controller->IsLive());
    scene.mode->Update(0.02f);
    EXPECT_EQ(0u, scene.Root()->GetChildCount());
}

TEST(SceneLayoutController, WithoutAParentTheSubtreeRunsButIsNeitherRefreshedNorDrawn)
{
    SceneModeFixture scene;
    CraneController* controller = AddCrane(scene, nullptr);
    SceneNode* crane = controller->getLayoutNode();
    EXPECT_EQ(nullptr, crane->GetParent());
    EXPECT_TRUE(crane->IsLive());
    int draws = 0;
    crane->drawSignal.connect([&draws](SceneNode*) { ++draws; });
    crane->LocalSetLocation(40, 40);
    scene.mode->Update(0.02f);
    scene.mode->Draw();
    EXPECT_EQ(0, draws);
    EXPECT_EQ(SceneNode::kDirtyLocation, crane->GetDirtyFlags() & SceneNode::kDirtyLocation);
}

TEST(SceneLayoutController, TheWholeModeGoingAwayIsSafe)
{
    {
        SceneModeFixture scene;
        AddCrane(scene, scene.Root());
        AddCrane(scene, nullptr);
    }
    SUCCEED();
}

TEST(SceneLayoutController, AddToCurSceneUsesTheContextDatabase)
{
    SceneModeFixture scene;
    CraneController* controller = new CraneController();
    controller->AddToCurScene(scene.Root());
    EXPECT_EQ(scene.Database(), controller->GetDatabase());
    EXPECT_EQ(scene.Root(), controller->getLayoutNode()->GetParent());
}
