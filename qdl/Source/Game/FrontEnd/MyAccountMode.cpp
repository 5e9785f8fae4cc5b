#include "qdl/Source/Game/FrontEnd/MyAccountMode.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "Core/Source/Log.h"
#include "Core/Source/StringFormatter.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/AccountConfirmMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/StickerManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kEnglishTitlePath[] = {"Profiles", "Profiles_Title", NodePathTerminator()};
NodePathElement const kSpanishTitlePath[] = {"Profiles", "Profiles_Title_SP", NodePathTerminator()};
NodePathElement const kPromptPath[] = {"Profiles", "ChooseProfile_text", NodePathTerminator()};
NodePathElement const kFirstPicturePath[] = {"Profiles", "PondoButton", NodePathTerminator()};
// Between the message and the pictures; and the highest the message may rise, below the plate's stripe.
float const kMessageGap = 6.0f;
float const kMessageTop = 50.0f;

struct sProfile
{
    wchar_t const* name;
    NodePathElement countPath[3];
    NodePathElement captionPath[3];
};

// In screen order.
sProfile const kProfiles[] = {
    {L"PondoButton",
     {"Profiles", "PondoStickerCount", NodePathTerminator()},
     {"Profiles", "PondoStickerText", NodePathTerminator()}},
    {L"SloamButton",
     {"Profiles", "SloamStickerCount", NodePathTerminator()},
     {"Profiles", "SloamStickerText", NodePathTerminator()}},
    {L"GrubbinButton",
     {"Profiles", "GrubbinStickerCount", NodePathTerminator()},
     {"Profiles", "GrubbinStickerText", NodePathTerminator()}},
};

Label okButtonName()
{
    static Label const label = Label::GetUniqueString("OkButton");
    return label;
}

} // namespace

MyAccountMode::MyAccountMode() : PopupMode("MyAccountMode"), promptHomeY(0.0f) {}

void MyAccountMode::Setup()
{
    PopupMode::Setup();
    instantiatePopupLayout("ProfilesLayout");
    if (SceneNode* const prompt = GetRootNode() ? GetRootNode()->GetDescendent(kPromptPath) : nullptr)
        promptHomeY = prompt->LocalGetLocation().y;
    enableOkButton(false);
    GetStickerManager()->loadUnlockedStickerData();
}

void MyAccountMode::Destroy() {}

void MyAccountMode::Enter()
{
    PopupMode::Enter();
    setDefaultCursor();

    static Label const captions[2] = {Label::GetUniqueString("Profiles_Text_Stickers_SP"),
                                      Label::GetUniqueString("Profiles_Text_Stickers_EN")};
    static Label const prompts[2] = {Label::GetUniqueString("ProfileSelect_SP"),
                                     Label::GetUniqueString("ProfileSelect_EN")};
    bool const english = isEnglishLanguage();
    showLanguageNode(findSceneNode(kEnglishTitlePath), findSceneNode(kSpanishTitlePath), english);
    StyledTextSpriteNode* const promptText = findNode<StyledTextSpriteNode>(kPromptPath);
    setTextFromConstant(promptText, prompts[english]);
    if (promptText)
        promptText->LocalSetLocation(promptText->LocalGetLocation().x, promptHomeY);

    Corvane::Account* const account = Corvane::GetAccountManager()->GetCurrentAccount();
    for (sProfile const& profile : kProfiles)
    {
        if (StaticSpriteNode* const caption = findNode<StaticSpriteNode>(profile.captionPath))
            caption->setImage(captions[english]);
        int const count = account ? GetStickerManager()->readStickerCount(*account, profile.name) : 3;
        if (StyledTextSpriteNode* const text = findNode<StyledTextSpriteNode>(profile.countPath))
            text->SetText(Corvane::StringFormatter(L"%1%").Arg(count).c_str());
    }

    static Label const prompt = Label::GetUniqueString("SFX_UI_ChooseProfile");
    GetAudioManager()->playSpecificSoundVocal(prompt);
}

void MyAccountMode::Exit()
{
    GetAudioManager()->clearVocalAudioQueues();
}

void MyAccountMode::handleOtherMessage(Corvane::ObjectMessage const& message)
{
    static Label const radioClick = Label::GetUniqueString("RadioButtonClick");
    if (message.message != radioClick || isModeChangeQueued())
        return;
    Corvane::Object const* const sender = GetObject(message.sender);
    if (!sender)
        return;
    selectedProfile = sender->GetName();
    enableOkButton(true);
}

void MyAccountMode::handleButtonClick(Label button)
{
    static ButtonTable<MyAccountMode> const buttons = {
        {"OkButton", &MyAccountMode::confirmProfile},
    };
    buttons.dispatch(this, button);
}

void MyAccountMode::confirmProfile()
{
    // OK is disabled until a profile is chosen; a click made some other way does nothing.
    if (selectedProfile.IsNull())
        return;
    std::wstring const profile = Corvane::ConvertStringASCIIToWide(selectedProfile.GetString());
    Corvane::Account* const account = Corvane::GetAccountManager()->GetCurrentAccount();
    // Read back, since the confirmation's New game wipes whatever profile the account names.
    bool const stored =
        account && account->WriteValue(L"AccountID", profile) && account->ReadValue(L"AccountID") == profile;
    if (!stored)
    {
        Corvane::Internal::LogWrite("MyAccountMode: the profile %s could not be stored; the choice stays open\n",
                                    selectedProfile.GetString());
        showNotStoredMessage();
        return;
    }
    pushScreen(new AccountConfirmMode(), "the profile confirmation");
}

void MyAccountMode::showNotStoredMessage()
{
    static Label const notStored[2] = {Label::GetUniqueString("ProfileNotStored_SP"),
                                       Label::GetUniqueString("ProfileNotStored_EN")};
    StyledTextSpriteNode* const prompt = findNode<StyledTextSpriteNode>(kPromptPath);
    setTextFromConstant(prompt, notStored[isEnglishLanguage()]);
    SceneNode const* const pictures = findSceneNode(kFirstPicturePath);
    if (!prompt || !pictures)
        return;
    float const room = pictures->LocalGetLocation().y - kMessageGap;
    if (promptHomeY + prompt->GetHeight() <= room)
        return;
    for (NodePathElement const* path : {kEnglishTitlePath, kSpanishTitlePath})
        if (SceneNode* const title = findSceneNode(path))
            title->LocalSetVisible(false);
    // In the middle of the room the heading leaves.
    float const top = (kMessageTop + room - prompt->GetHeight()) / 2.0f;
    prompt->LocalSetLocation(prompt->LocalGetLocation().x, std::max(kMessageTop, top));
}

void MyAccountMode::enableOkButton(bool enable)
{
    if (Corvane::IEnable* const ok = findNamedObject<Corvane::IEnable>(okButtonName()))
        ok->Enable(enable);
}
