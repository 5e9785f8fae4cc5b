#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

#include <exception>
#include <string>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"

using Corvane::Label;

namespace
{

Label buttonClickMessage()
{
    static Label const label = Label::GetUniqueString("ButtonClick");
    return label;
}

class PathStepText : public boost::static_visitor<std::string>
{
public:
    std::string operator()(int index) const { return "#" + std::to_string(index); }
    std::string operator()(Label const& name) const { return name.GetString(); }
    std::string operator()(char const* name) const { return name ? name : ""; }
    std::string operator()(std::string const& name) const { return name; }
    std::string operator()(std::wstring const& name) const { return Corvane::ConvertStringWideToUTF8String(name); }
    std::string operator()(NodePathTerminator const&) const { return std::string(); }
};

} // namespace

bool isEnglishLanguage()
{
    Corvane::Account const* const account = Corvane::GetAccountManager()->GetCurrentAccount();
    return account ? account->ReadCheckedValue(L"EnglishLanguage", true) : true;
}

void showLanguageNode(SceneNode* english, SceneNode* spanish, bool isEnglish)
{
    if (english)
        english->LocalSetVisible(isEnglish);
    if (spanish)
        spanish->LocalSetVisible(!isEnglish);
}

void setDefaultCursor()
{
    Corvane::AutoResource<Corvane::IImage> const image("cursor_default");
    if (!image)
    {
        // Without its image the cursor would vanish; the one shown stays.
        Corvane::Internal::LogWrite("The cursor image \"cursor_default\" is not loaded\n");
        return;
    }
    Corvane::Window::SetCustomCursor(image.Get(), Corvane::Constant<Corvane::Vector2<int> >("DefaultCursorRegPt"));
}

std::string describeNodePath(NodePathElement const* path)
{
    std::string text;
    for (; path && !IsNodePathTerminator(*path); ++path)
    {
        if (!text.empty())
            text += "/";
        text += boost::apply_visitor(PathStepText(), *path);
    }
    return text;
}

void notifyLoadError(std::wstring const& manifest, std::wstring const& error)
{
    Corvane::Platform::ModalNotification(error, L"There was an error loading " + manifest +
                                                    L".xml. Fix the problem and press F5 to reload");
}

bool isManifestLoaded(std::wstring const& manifest, std::wstring const& what, char const* asker)
{
    Corvane::eLoadingJobStatus status = Corvane::kLoadingJobStatus_Complete;
    if (!Corvane::GetResourceManager()->GetLoadStatus(manifest, &status) || status >= 0)
        return true;
    std::wstring const reason = status == Corvane::kLoadingJobStatus_FileMissing
                                    ? L"The file is missing"
                                    : L"The file could not be read to its end (the log tells where it went wrong)";
    Corvane::Internal::LogWrite("%s: %ls.xml did not load whole, so %ls stays closed\n", asker, manifest.c_str(),
                                what.c_str());
    notifyLoadError(manifest, reason + L", so " + what + L" cannot be opened.");
    return false;
}

FrontEndMode::FrontEndMode(char const* screenName) : screenName(screenName), modeChangeQueued(false) {}

FrontEndMode::~FrontEndMode() {}

void FrontEndMode::ReceiveMessage(Corvane::ObjectMessage const& message)
{
    SceneApplicationMode::ReceiveMessage(message);
    if (isBlockingClicks())
    {
        handleBlockedMessage(message);
        return;
    }
    if (message.message != buttonClickMessage())
    {
        handleOtherMessage(message);
        return;
    }
    if (modeChangeQueued)
        return;
    Corvane::Object const* const sender = GetObject(message.sender);
    if (!sender)
        return;
    handleButtonClick(sender->GetName());
}

void FrontEndMode::Enter()
{
    modeChangeQueued = false;
}

SceneNode* FrontEndMode::instantiateLayout(char const* layoutName)
{
    Corvane::AutoResource<SceneLayout> const layout(layoutName);
    if (!layout)
    {
        Corvane::Internal::LogWrite("%s: the scene layout \"%s\" is not loaded\n", screenName, layoutName);
        return nullptr;
    }
    try
    {
        return layout->InstantiateLayout(GetObjectDatabase(), GetRootNode());
    }
    catch (std::exception const& error)
    {
        Corvane::Internal::LogWrite("%s: the scene layout \"%s\" could not be built: %s\n", screenName, layoutName,
                                    error.what());
        return nullptr;
    }
}

SceneNode* FrontEndMode::findSceneNode(NodePathElement const* path) const
{
    SceneNode* const root = GetRootNode();
    SceneNode* const node = root ? root->GetDescendent(path) : nullptr;
    if (!node)
        Corvane::Internal::LogWrite("%s: the node %s is not in its layout\n", screenName,
                                    describeNodePath(path).c_str());
    return node;
}

void FrontEndMode::reportWrongNodeKind(NodePathElement const* path) const
{
    Corvane::Internal::LogWrite("%s: the node %s is not of the kind the screen needs\n", screenName,
                                describeNodePath(path).c_str());
}

void FrontEndMode::setButtonImages(ButtonNode* button, Label imageList) const
{
    if (!button)
        return;
    Corvane::AutoResource<Corvane::IImageList> const images(imageList);
    if (!images)
    {
        Corvane::Internal::LogWrite("%s: the image list \"%s\" is not loaded\n", screenName, imageList.GetString());
        return;
    }
    button->SetImages(images.Get(), 0.0f);
}

void FrontEndMode::setTextFromConstant(StyledTextSpriteNode* node, Label text) const
{
    if (!node)
        return;
    Corvane::Constant<std::wstring> const value(text);
    if (!value.IsValid())
    {
        Corvane::Internal::LogWrite("%s: the text \"%s\" is not loaded\n", screenName, text.GetString());
        return;
    }
    node->SetText(value);
}

void FrontEndMode::reportMissingObject(Label name) const
{
    Corvane::Internal::LogWrite("%s: the object \"%s\" is not in its layout\n", screenName, name.GetString());
}

void FrontEndMode::pushScreen(Corvane::ApplicationMode* screen, char const* what)
{
    if (!screen)
    {
        Corvane::Internal::LogWrite("%s: %s is not available yet\n", screenName, what);
        return;
    }
    modeChangeQueued = true;
    Corvane::MainLoop::PushMode(screen);
}

void FrontEndMode::unwindToScreen(Corvane::ApplicationMode* screen, char const* what)
{
    if (!screen)
    {
        Corvane::Internal::LogWrite("%s: %s is not available yet\n", screenName, what);
        return;
    }
    modeChangeQueued = true;
    Corvane::MainLoop::UnwindToMode(screen);
}

void FrontEndMode::popScreen()
{
    modeChangeQueued = true;
    Corvane::MainLoop::PopMode();
}

void FrontEndMode::startNextStoryStep()
{
    if (GetLevelManager()->beginNextLevelProgressionMode())
        modeChangeQueued = true;
}

void FrontEndMode::requestQuit()
{
    Corvane::MainLoop::RequestQuit();
}

bool FrontEndMode::isScreenContentLoaded(wchar_t const* manifest, wchar_t const* what) const
{
    return isManifestLoaded(manifest, what, screenName);
}

PopupMode::PopupMode(char const* screenName) : FrontEndMode(screenName), blockingClicks(true) {}

SceneNode* PopupMode::instantiatePopupLayout(char const* layoutName)
{
    float const moveTime = Corvane::ReadTimeConstant("UI_PopupWindow_MoveTime");
    float const bounceTime = Corvane::ReadTimeConstant("UI_PopupWindow_BounceTime");
    float const offscreenY = Corvane::Constant<float>("UI_PopupWindow_OffscreenLoc");

    SceneNode* const window = instantiateLayout(layoutName);
    if (!window)
    {
        // An empty overlay would hold the mouse with nothing to click: the player would be stuck.
        Corvane::Internal::LogWrite("%s: closes at once, having nothing to show\n", getScreenName());
        popScreen();
        return nullptr;
    }
    Corvane::Vector2<float> const home = window->LocalGetLocation();
    window->LocalSetLocation(home.x, offscreenY);
    window->AddTask(new NodeLocationTask(Corvane::Vector2<float>(home.x, home.y + 10.0f), moveTime));
    window->AddTask(new NodeLocationTask(home, bounceTime));
    // The window belongs to this mode's database, so the popup outlives the task.
    window->AddTask(new SimpleFunctionTask<SceneNode>([this](SceneNode*, float) { ignoreMouseClicks(false); }));
    return window;
}
