#include "qdl/Source/Game/StickerBook/StickerBookMode.h"

#include <algorithm>

#include "Core/Source/Log.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/StickerBook/StickerBookElements.h"
#include "qdl/Source/Game/StickerBook/StickerList.h"

using Corvane::Label;

namespace
{

NodePathElement const kBackgroundPath[] = {"StickerMode", "BG_Image", NodePathTerminator()};
NodePathElement const kSurfacePath[] = {"StickerMode", "Surface", NodePathTerminator()};
NodePathElement const kListPath[] = {"StickerMode", "StickerList", NodePathTerminator()};
NodePathElement const kClickMaskPath[] = {"StickerMode", "Material_ClickMask", NodePathTerminator()};
NodePathElement const kEraserPath[] = {"StickerMode", "eraser", NodePathTerminator()};

Label backgrounds()
{
    static Label const label = Label::GetUniqueString("StickerBGs");
    return label;
}

int backgroundCount()
{
    Corvane::AutoResource<Corvane::ImageList> const list(backgrounds());
    return list ? list->GetNumImages() : 0;
}

} // namespace

StickerBookMode::StickerBookMode()
    : FrontEndMode("StickerBookMode"), deleteMode(false), backgroundIndex(0), listID(Corvane::kInvalidObjectID)
{
}

StickerBookMode::~StickerBookMode() {}

void StickerBookMode::Setup()
{
    FrontEndMode::Setup();
    if (!instantiateLayout("StickerModeLayout"))
    {
        // Without its layout the book has no Quit: the player would be stuck.
        Corvane::Internal::LogWrite("%s: closes at once, having nothing to show\n", getScreenName());
        popScreen();
        return;
    }
    if (SceneNode* const surface = findSceneNode(kSurfacePath))
        (new StickerBookSurface())->AddToCurScene(surface);
    if (SceneNode* const listParent = findSceneNode(kListPath))
    {
        StickerList* const list = new StickerList();
        list->AddToCurScene(listParent);
        listID = list->GetID();
        list->populateStickerList();
    }
    if (SceneNode* const mask = findSceneNode(kClickMaskPath))
    {
        mask->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) { cancelMaterialDragging(); });
        mask->SetHitTest(false);
    }
    if (SceneNode* const eraser = findSceneNode(kEraserPath))
    {
        eraser->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int, int) {
            toggleStickerDeleteMode();
        });
        eraser->SetHitTest(true);
    }
}

void StickerBookMode::Enter()
{
    FrontEndMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_GeneralUI, Label());
    showBackground();
    setDefaultCursor();
}

void StickerBookMode::Exit()
{
    GetAudioManager()->clearVocalAudioQueues();
}

Corvane::MessageResult StickerBookMode::OnKeyDown(int key)
{
    return Corvane::ObjectDatabase::OnKeyDown(key);
}

void StickerBookMode::Update(float dt)
{
    FrontEndMode::Update(dt);
    // Enter and exit follow stickers and pages that move under a still mouse.
    std::pair<int, int> const mouse = Corvane::MainLoop::GetLastMousePos();
    SceneApplicationMode::OnMouseMove(mouse.first, mouse.second);
}

StickerList* StickerBookMode::getStickerList() const
{
    return dynamic_cast<StickerList*>(GetObject(listID));
}

void StickerBookMode::handleButtonClick(Label button)
{
    static ButtonTable<StickerBookMode> const buttons = {
        {"QuitButton", &StickerBookMode::quitBook},
        {"HelpButton", &StickerBookMode::playHelp},
        {"BGRightButton", &StickerBookMode::nextBackground},
        {"BGLeftButton", &StickerBookMode::previousBackground},
    };
    buttons.dispatch(this, button);
    showBackground();
}

void StickerBookMode::quitBook()
{
    popScreen();
}

void StickerBookMode::playHelp()
{
    static Label const help = Label::GetUniqueString("Instructions_StickerBook_Yarrowfete");
    GetAudioManager()->playSpecificSoundVocal(help);
}

void StickerBookMode::nextBackground()
{
    int const count = backgroundCount();
    backgroundIndex = backgroundIndex < count - 1 ? backgroundIndex + 1 : 0;
}

void StickerBookMode::previousBackground()
{
    int const count = backgroundCount();
    backgroundIndex = backgroundIndex == 0 ? std::max(count - 1, 0) : backgroundIndex - 1;
}

void StickerBookMode::showBackground()
{
    if (StaticSpriteNode* const background = findNode<StaticSpriteNode>(kBackgroundPath))
        background->setImage(backgrounds(), backgroundIndex);
}

void StickerBookMode::toggleStickerDeleteMode()
{
    bool const wasOn = deleteMode;
    deleteMode = !deleteMode;
    if (!wasOn)
    {
        cancelMaterialDragging();
        Corvane::AutoResource<Corvane::IImage> const eraser("StickerMode_Eraser_Image");
        if (eraser)
            Corvane::Window::SetCustomCursor(eraser.Get(), Corvane::Vector2<int>(5, 9));
        else
            Corvane::Internal::LogWrite("%s: the image \"StickerMode_Eraser_Image\" is not loaded\n", getScreenName());
    }
    else
        setDefaultCursor();
    static Label const surfaceName = Label::GetUniqueString("StickerBook_StickerSurface");
    if (StickerBookSurface* const surface = dynamic_cast<StickerBookSurface*>(GetNamedObject(surfaceName)))
        surface->setStickersDeleteMode(deleteMode);
}

void StickerBookMode::turnOffDeleteMode()
{
    deleteMode = true;
    toggleStickerDeleteMode();
}

void StickerBookMode::cancelMaterialDragging()
{
    if (DragSource<Sticker*>* const held = DragSource<Sticker*>::GetHeldDragSource_Mutable())
        held->Release();
}
