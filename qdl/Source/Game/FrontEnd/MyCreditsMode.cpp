#include "qdl/Source/Game/FrontEnd/MyCreditsMode.h"

#include "Core/Source/Log.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kPagesPath[] = {"Credits", "TextPages", NodePathTerminator()};

} // namespace

MyCreditsMode::MyCreditsMode() : FrontEndMode("MyCreditsMode"), page(0) {}

void MyCreditsMode::Setup()
{
    FrontEndMode::Setup();
    if (!instantiateLayout("CreditsLayout"))
    {
        // An empty overlay would hold the mouse with nothing to click: the player would be stuck.
        Corvane::Internal::LogWrite("%s: closes at once, having nothing to show\n", getScreenName());
        popScreen();
        return;
    }
    refreshTextImage();
}

void MyCreditsMode::Destroy() {}

void MyCreditsMode::Enter()
{
    FrontEndMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_GeneralUI, Label());
    setDefaultCursor();
}

void MyCreditsMode::handleButtonClick(Label button)
{
    static ButtonTable<MyCreditsMode> const buttons = {
        {"BackButton", &MyCreditsMode::goBack},
        {"buttonLeft", &MyCreditsMode::turnLeft},
        {"buttonRight", &MyCreditsMode::turnRight},
    };
    buttons.dispatch(this, button);
}

void MyCreditsMode::goBack()
{
    popScreen();
}

void MyCreditsMode::turnLeft()
{
    updateTextImage(false);
}

void MyCreditsMode::turnRight()
{
    updateTextImage(true);
}

void MyCreditsMode::updateTextImage(bool forward)
{
    page += forward ? 1 : -1;
    if (page > kLastPage)
        page = kLastPage;
    if (page < 0)
        page = 0;
    refreshTextImage();
}

void MyCreditsMode::refreshTextImage()
{
    static Label const pages = Label::GetUniqueString("Credits_TextPages");
    if (StaticSpriteNode* const node = findNode<StaticSpriteNode>(kPagesPath))
        node->setImage(pages, page);
}
