#include "qdl/Source/Game/FrontEnd/MyOptionsMode.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/RadioButtonNode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/GameAudioManager.h"

using Corvane::Label;

namespace
{

NodePathElement const kSoundTextPath[] = {"Options", "Text_Sound", NodePathTerminator()};
NodePathElement const kLanguageTextPath[] = {"Options", "Text_Language", NodePathTerminator()};
NodePathElement const kEnglishTitlePath[] = {"Options", "Title_EN", NodePathTerminator()};
NodePathElement const kSpanishTitlePath[] = {"Options", "Title_SP", NodePathTerminator()};
NodePathElement const kSoundOnPath[] = {"Options", "SoundOnButton", NodePathTerminator()};
NodePathElement const kSoundOffPath[] = {"Options", "SoundOffButton", NodePathTerminator()};
NodePathElement const kCancelPath[] = {"Options", "CancelButton", NodePathTerminator()};
NodePathElement const kProfilePath[] = {"Options", "ProfileButton", NodePathTerminator()};

#define CACHED_LABEL(name, text)                                                                                   \
    Label name()                                                                                                   \
    {                                                                                                              \
        static Label const value = Label::GetUniqueString(text);                                                   \
        return value;                                                                                              \
    }

CACHED_LABEL(soundOnName, "SoundOnButton")
CACHED_LABEL(soundOffName, "SoundOffButton")
CACHED_LABEL(englishName, "EnglishButton")
CACHED_LABEL(spanishName, "EspanolButton")
CACHED_LABEL(radioClickMessage, "RadioButtonClick")

#undef CACHED_LABEL

void checkRadio(Corvane::ObjectDatabase const* database, Label name)
{
    RadioButtonNode* const radio = dynamic_cast<RadioButtonNode*>(database->GetNamedObject(name));
    if (radio)
        radio->SetCheck(true);
}

boost::intrusive_ptr<Corvane::IAudioControls> masterControls()
{
    return Corvane::IsAudioPlatformRegistered() ? Corvane::GetAudioPlatform()->GetMasterControls()
                                                : boost::intrusive_ptr<Corvane::IAudioControls>();
}

} // namespace

MyOptionsMode::MyOptionsMode()
    : PopupMode("MyOptionsMode"), soundOn(true), englishLanguage(true), soundOnAtEntry(true),
      englishLanguageAtEntry(true)
{
}

void MyOptionsMode::Setup()
{
    PopupMode::Setup();
    // Read before the layout: a popup that closes at once still leaves both as they were.
    boost::intrusive_ptr<Corvane::IAudioControls> const master = masterControls();
    if (master)
    {
        Corvane::AudioSettings settings;
        master->SaveSettings(&settings);
        soundOn = !settings.muted;
        soundOnAtEntry = soundOn;
    }
    englishLanguage = isEnglishLanguage();
    englishLanguageAtEntry = englishLanguage;
    if (!instantiatePopupLayout("OptionsLayout"))
        return;

    RadioButtonNode* const soundOnButton = findNode<RadioButtonNode>(kSoundOnPath);
    RadioButtonNode* const soundOffButton = findNode<RadioButtonNode>(kSoundOffPath);
    if (master)
    {
        if (RadioButtonNode* const shown = soundOn ? soundOnButton : soundOffButton)
            shown->SetCheck(true);
    }
    else
    {
        for (RadioButtonNode* const radio : {soundOnButton, soundOffButton})
            if (radio)
                radio->Enable(false);
    }
    checkRadio(GetObjectDatabase(), englishLanguage ? englishName() : spanishName());
    refreshTextLanguage();
}

void MyOptionsMode::Destroy()
{
    if (boost::intrusive_ptr<Corvane::IAudioControls> const master = masterControls())
        master->Mute(!soundOn);
    if (Corvane::Account* const account = Corvane::GetAccountManager()->GetCurrentAccount())
        account->WriteValue(L"EnglishLanguage", englishLanguage);
}

void MyOptionsMode::Enter()
{
    PopupMode::Enter();
    GetAudioManager()->setMusicMode(kMusicMode_GeneralUI, Label());
    setDefaultCursor();
}

void MyOptionsMode::handleBlockedMessage(Corvane::ObjectMessage const&)
{
    // A radio button checks itself before it sends its click: show the choices again.
    showChoices();
}

void MyOptionsMode::showChoices()
{
    if (masterControls())
        checkRadio(GetObjectDatabase(), soundOn ? soundOnName() : soundOffName());
    checkRadio(GetObjectDatabase(), englishLanguage ? englishName() : spanishName());
}

void MyOptionsMode::handleOtherMessage(Corvane::ObjectMessage const& message)
{
    if (message.message != radioClickMessage())
        return;
    // Once the popup is on its way out its choices are the ones it leaves with.
    if (isModeChangeQueued())
    {
        showChoices();
        return;
    }
    Corvane::Object const* const sender = GetObject(message.sender);
    if (sender)
    {
        Label const name = sender->GetName();
        boost::intrusive_ptr<Corvane::IAudioControls> const master = masterControls();
        if (name == soundOnName() || name == soundOffName())
        {
            soundOn = name == soundOnName();
            if (master)
                master->Mute(!soundOn);
        }
        else if (name == spanishName())
            englishLanguage = false;
        else if (name == englishName())
            englishLanguage = true;
    }
    refreshTextLanguage();
}

void MyOptionsMode::handleButtonClick(Label button)
{
    static ButtonTable<MyOptionsMode> const buttons = {
        {"OkButton", &MyOptionsMode::confirmOptions},
        {"CancelButton", &MyOptionsMode::cancelOptions},
        {"ProfileButton", &MyOptionsMode::changeProfile},
    };
    buttons.dispatch(this, button);
}

void MyOptionsMode::confirmOptions()
{
    reloadAudioIfLanguageChanged();
    unwindToScreen(newMainMenuScreen(), "the main menu");
}

void MyOptionsMode::cancelOptions()
{
    soundOn = soundOnAtEntry;
    englishLanguage = englishLanguageAtEntry;
    unwindToScreen(newMainMenuScreen(), "the main menu");
}

void MyOptionsMode::changeProfile()
{
    reloadAudioIfLanguageChanged();
    Corvane::ApplicationMode* const menu = newMainMenuScreen();
    unwindToScreen(menu, "the main menu");
    if (menu && isScreenContentLoaded(L"ProfileSelect", L"the profile selection"))
        pushScreen(newProfileSelectionScreen(), "the profile selection");
}

void MyOptionsMode::reloadAudioIfLanguageChanged()
{
    if (englishLanguage != englishLanguageAtEntry)
        reloadAudio();
}

void MyOptionsMode::reloadAudio()
{
    wchar_t const* const drop = englishLanguage ? L"AudioResources_SP" : L"AudioResources";
    wchar_t const* const load = englishLanguage ? L"AudioResources" : L"AudioResources_SP";

    // The queue holds names and a playing voice holds its own data; stopping
    // them leaves nothing of the old language to start after the swap.
    GetAudioManager()->clearVocalAudioQueues();
    Corvane::ResourceManager* const resources = Corvane::GetResourceManager();
    resources->Unload(drop);
    try
    {
        Corvane::ResourceUtils::Reload(load, nullptr, true);
    }
    catch (std::runtime_error const& error)
    {
        notifyLoadError(load, Corvane::ConvertStringASCIIToWide(error.what()));
        return;
    }
    // Without its file the voice-overs would vanish silently, for this and every later start.
    if (resources->GetLoadCount(load) == 0)
        notifyLoadError(load, L"The file " + std::wstring(load) + L".xml was not found.");
}

void MyOptionsMode::refreshTextLanguage()
{
    static Label const soundTexts[2] = {Label::GetUniqueString("Options_Sound_SP"),
                                        Label::GetUniqueString("Options_Sound_EN")};
    static Label const languageTexts[2] = {Label::GetUniqueString("Options_Language_SP"),
                                           Label::GetUniqueString("Options_Language_EN")};
    static Label const profileImages[2] = {Label::GetUniqueString("Button_ChangeProfile_SP"),
                                           Label::GetUniqueString("Button_ChangeProfile_EN")};
    static Label const cancelImages[2] = {Label::GetUniqueString("Button_UI_Cancel_SP"),
                                          Label::GetUniqueString("Button_UI_Cancel_EN")};
    static Label const soundOffImages[2] = {Label::GetUniqueString("Button_Sound_Off_SP"),
                                            Label::GetUniqueString("Button_Sound_Off_EN")};
    static Label const soundOnImages[2] = {Label::GetUniqueString("Button_Sound_On_SP"),
                                           Label::GetUniqueString("Button_Sound_On_EN")};
    bool const english = englishLanguage;
    setTextFromConstant(findNode<StyledTextSpriteNode>(kSoundTextPath), soundTexts[english]);
    setTextFromConstant(findNode<StyledTextSpriteNode>(kLanguageTextPath), languageTexts[english]);
    showLanguageNode(findSceneNode(kEnglishTitlePath), findSceneNode(kSpanishTitlePath), english);
    setButtonImages(findNode<ButtonNode>(kProfilePath), profileImages[english]);
    setButtonImages(findNode<ButtonNode>(kCancelPath), cancelImages[english]);
    for (auto const& radioImages : {std::make_pair(kSoundOffPath, soundOffImages[english]),
                                    std::make_pair(kSoundOnPath, soundOnImages[english])})
    {
        RadioButtonNode* const radio = findNode<RadioButtonNode>(radioImages.first);
        if (!radio)
            continue;
        Corvane::AutoResource<Corvane::IImageList> const images(radioImages.second);
        if (images)
            radio->SetImages(images.Get(), 0.0f);
        else
            Corvane::Internal::LogWrite("MyOptionsMode: the image list \"%s\" is not loaded\n",
                                        radioImages.second.GetString());
    }
}
