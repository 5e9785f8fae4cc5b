#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"

#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"

using namespace Corvane;

namespace
{

float const kLiftHeight = 200.0f;
float const kLiftTime = 0.5f;
float const kHoldTime = 1.0f;

SceneNode* descendent(SceneNode* root, NodePathElement const* path)
{
    return root ? root->GetDescendent(path) : nullptr;
}

} // namespace

HideAndSeekObstacle::HideAndSeekObstacle(int imageID) : root(nullptr), added(false)
{
    AutoResource<SceneLayout> const layout("HideAndSeekObstacleLayout");
    if (layout)
        root = layout->InstantiateLayout(nullptr);

    StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(getImageNode());
    if (image)
        image->SetRotateAlignment(kHAlignment_Right, kVAlignment_Bottom);
    static Label const pictures = Label::GetUniqueString(kHideAndSeekObstaclePictures);
    static Label const highlights = Label::GetUniqueString("HideAndSeekObstacle_Rollover");
    if (StaticSpriteNode* const rollover = dynamic_cast<StaticSpriteNode*>(getRolloverNode()))
        rollover->setImage(highlights, imageID);
    if (image)
    {
        image->setImage(pictures, imageID);
        // The picture's transparent surroundings let a click through to whatever stands behind.
        image->SetAlphaSensitivity(128);
    }
    setupMouseHandling();
    acceptMouseInput(true);
}

HideAndSeekObstacle::~HideAndSeekObstacle() {}

Label HideAndSeekObstacle::GetRole() const
{
    return getHideAndSeekObstacleRole();
}

SceneNode* HideAndSeekObstacle::getImageNode() const
{
    return descendent(node(), kHideAndSeekImageNodePath);
}

SceneNode* HideAndSeekObstacle::getRolloverNode() const
{
    return descendent(node(), kHideAndSeekRolloverNodePath);
}

SceneNode* HideAndSeekObstacle::getTailNode() const
{
    return descendent(node(), kHideAndSeekTailNodePath);
}

SceneNode* HideAndSeekObstacle::getWrongAnimalNode() const
{
    return descendent(node(), kHideAndSeekWrongAnimalPath);
}

void HideAndSeekObstacle::acceptMouseInput(bool on)
{
    if (SceneNode* const image = getImageNode())
        image->SetHitTest(on);
}

void HideAndSeekObstacle::setupMouseHandling()
{
    SceneNode* const image = getImageNode();
    if (!image)
        return;
    image->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
    image->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
    image->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    image->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void HideAndSeekObstacle::handleMouseDown()
{
    revealContents();
}

void HideAndSeekObstacle::handleMouseEnter()
{
    if (SceneNode* const rollover = getRolloverNode())
        rollover->LocalSetVisible(true);
    static Label const sound = Label::GetUniqueString("SFX_ObjectRollover");
    GetAudioManager()->playSFX(sound);
}

void HideAndSeekObstacle::handleMouseExit()
{
    if (SceneNode* const rollover = getRolloverNode())
        rollover->LocalSetVisible(false);
}

void HideAndSeekObstacle::showTail(bool show)
{
    SceneNode* const tail = getTailNode();
    if (!tail)
        return;
    static Label const timedShow = Label::GetUniqueString("TimedShow");
    AnimatedSpriteNode* const animated = dynamic_cast<AnimatedSpriteNode*>(tail);
    if (animated && GetLevelManager()->getDifficulty() == kGameModeDifficulty_Medium)
        animated->SetAnimation(timedShow, true);
    tail->LocalSetVisible(show);
}

void HideAndSeekObstacle::revealContents()
{
    static Label const selectSound = Label::GetUniqueString("SFX_SelectItem");
    static Label const wrongVoice = Label::GetUniqueString("HideAndSeek_IncorrectAnswer");
    static Label const wrongAnimals = Label::GetUniqueString("HideAndSeek_WrongAnimals");

    GetAudioManager()->playSFX(selectSound);
    showTail(false);
    if (SceneNode* const rollover = getRolloverNode())
        rollover->LocalSetVisible(false);

    ObjectDatabase* const database = GetDatabase();
    HideAndSeekMode* const mode = dynamic_cast<HideAndSeekMode*>(SceneApplicationMode::FromDatabase(database));
    HideAndSeekCharacter* const cat =
        database ? dynamic_cast<HideAndSeekCharacter*>(database->GetNamedObject(getHideAndSeekCharacterName()))
                 : nullptr;
    if (mode)
        mode->maskClickInput(true);

    SceneNode* const image = getImageNode();
    SceneNode* const wrongAnimal = getWrongAnimalNode();
    SceneNode* const layoutRoot = getLayoutNode();
    if (!image || !layoutRoot)
        return;

    ObjectID const self = GetID();
    CuePoint* const pictureDown = CuePoint::Create();
    image->AddTask(new NodeLocationTask(Vector2<float>(0.0f, -kLiftHeight), kLiftTime));
    image->AddTask(new TimedTask(kHoldTime));
    image->AddTask(new SimpleFunctionTask<HideAndSeekMode>([mode, self](HideAndSeekMode*, float) {
        if (mode)
            mode->obstacleClicked(dynamic_cast<HideAndSeekObstacle*>(mode->GetObjectDatabase()->GetObject(self)));
    }));
    image->AddTask(new NodeLocationTask(Vector2<float>(0.0f, 0.0f), kLiftTime));
    image->AddTask(new CuePointTask(pictureDown));

    layoutRoot->AddTask(new CuePointTask(pictureDown));
    CuePoint* const animalGone = CuePoint::Create();
    layoutRoot->AddTask(new CuePointTask(animalGone));
    if (wrongAnimal)
    {
        wrongAnimal->AddTask(new CuePointTask(animalGone));
        wrongAnimal->AddTask(new NodeVisibleTask(false));
    }

    if (cat && cat->getCurrentObstacle() == self)
    {
        cat->getFound();
        GetAudioManager()->playInGameFeedbackVocal(true);
        return;
    }

    AutoResource<ImageList> const animals(wrongAnimals);
    int const count = animals ? animals->GetNumImages() : 0;
    StaticSpriteNode* const animal = dynamic_cast<StaticSpriteNode*>(wrongAnimal);
    // An empty list has no animal to show; GetIntRange(-1) would name no frame.
    if (animal && count > 0)
    {
        animal->setImage(animals.Get(), Random::GetIntRange(count - 1));
        animal->LocalSetVisible(true);
    }
    GetAudioManager()->playSpecificSoundVocal(wrongVoice);
    layoutRoot->AddTask(new SimpleFunctionTask<HideAndSeekMode>([mode](HideAndSeekMode*, float) {
        if (mode)
            mode->maskClickInput(false);
    }));
}
