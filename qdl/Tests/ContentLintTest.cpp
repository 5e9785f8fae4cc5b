// The content lint: the game's manifests, as built into the Resources folder
// beside this test, loaded through the real resource manager with the game's
// own factories, and every name the code looks up checked for its kind and
// shape. Each screen or game adds its rows to the tables below when it lands.
//
// The folder is found beside the test executable ("Resources"), or at
// $CORVANE_CONTENT_DIR.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <boost/variant.hpp>
#include <sndfile.h>

#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileStream.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSLibrary.h"
#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "CorvaneExtensions/AudioPlatform/Mixer/Mixer.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/RadioButtonNode.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/SpriteType.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/FrontEnd/FreePlayGames.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereHousePlacement.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Tests/ContentLintChecks.h"

namespace
{
using namespace Corvane;

// ---------------------------------------------------------------------------
// What the code looks up. A row names who looks the name up, so that a failure
// says which screen is left without it.

enum eKind
{
    kImage,
    kImageList,
    kFont,
    kSpriteType,
    kSound,
    kSoundList,
    kLayout,
    kProgression,
    kFloat,
    kVector2i,
    kVector2f,
    kString,
    kIntArray
};

struct sLookup
{
    char const* user;
    eKind kind;
    std::string name;
    // Frames of an image list, length of a list constant; -1 for any.
    int count;
    // Animations a sprite type must have, events a sound list must have.
    std::vector<std::string> keys;
};

enum eNodeType
{
    kAnyNode,
    kButton,
    kAnimatedSprite,
    kStaticSprite,
    kStyledText
};

struct sNodeLookup
{
    char const* layout;
    // Node names from the scene root, the layout's root node first.
    std::vector<std::string> path;
    eNodeType type;
    // -1: any number of children.
    int children = -1;
    // Animations an animated sprite's type must have.
    std::vector<std::string> animations = {};
};

// Buttons are told apart by their object name ("name"), not their node name.
struct sButtonLookup
{
    char const* user;
    char const* layout;
    char const* name;
};

// The manifests the game loads at start-up, in order. The voice-over manifest
// is the English one; the Spanish one is checked against it.
char const* const kManifests[] = {
    "resources", "GlobalConstants", "LevelProgression", "LevelProgressionPark", "AudioResources",
    "AudioResources_General", "LocalizedText", "LocalizedImageResources", "LocalizedImageResources_SP",
    "StickerBook", "TitleMainMenu", "ProfileSelect", "CreditsMode", "DifficultyOptionsQuit", "CutsceneMode",
    "FennInstructionMode", "FreePlaySelect", "GameSelect", "TrundelsDeliveryMode", "PileOfLeavesMode",
    "CountTheMaterialsMode", "HammerTheNailMode", "TollerStackerMode", "PlanAJobMode", "StreetSignsMode",
    "ToolShedMode", "ScarrowPuzzleMode", "HideAndSeekMode", "HereToThereMode", "PaintTheHouseMode"};

std::vector<std::string> Words(std::vector<Label> const& labels)
{
    std::vector<std::string> words;
    for (Label label : labels)
        words.push_back(label.GetString());
    return words;
}

template <size_t N>
std::vector<std::string> Words(Label const (&labels)[N])
{
    return Words(std::vector<Label>(labels, labels + N));
}

std::vector<std::string> NumberWords(int last)
{
    std::vector<std::string> words;
    for (int n = 0; n <= last; ++n)
        words.push_back(std::to_string(n));
    return words;
}

// The game labels the story and the free-play screens use, and the delivery
// game's other spelling, by which the audio manager asks for its description.
std::vector<std::string> GameDescriptionEvents()
{
    std::vector<std::string> events;
    for (int type = 0; type < kNumGameModeTypes; ++type)
        events.push_back(getGameModeLabel(static_cast<GameModeType>(type)).GetString());
    events.push_back("TrundelsDelivery");
    return events;
}

std::vector<sLookup> ResourceLookups()
{
    return {
        // The game shell: the audio manager's music, feedback, words, descriptions and hints.
        {"audio manager", kSound, "Music_GeneralUI", -1, {}},
        {"audio manager", kSound, "Music_TitleTheme", -1, {}},
        {"audio manager", kSound, "Music_Track1", -1, {}},
        {"audio manager", kSound, "Music_Track2", -1, {}},
        {"audio manager", kSound, "Music_Track3", -1, {}},
        {"audio manager", kSound, "Music_Track4", -1, {}},
        {"audio manager", kSound, "Ambient_Indoor", -1, {}},
        {"audio manager", kSound, "Ambient_Outdoor_1", -1, {}},
        {"audio manager", kSound, "Ambient_Outdoor_2", -1, {}},
        {"audio manager", kSound, "General_CorrectAnswer", -1, {}},
        {"audio manager", kSound, "General_IncorrectAnswer", -1, {}},
        {"audio manager", kSoundList, "General_ColorWords", -1, Words(kQuarrydaleColorLabels)},
        {"audio manager", kSoundList, "General_ShapeWords", -1, Words(kQuarrydaleShapeLabels)},
        {"audio manager", kSoundList, "General_ToolWords", -1, Words(kQuarrydaleToolLabels)},
        {"audio manager", kSoundList, "General_NumberWords", -1, NumberWords(20)},
        {"audio manager", kSoundList, "General_MaterialWords_Singular", -1, Words(kQuarrydaleMaterialLabels)},
        {"audio manager", kSoundList, "General_MaterialWords_Plural", -1, Words(kQuarrydaleMaterialLabels)},
        {"audio manager", kSoundList, "GameDescriptions", -1, GameDescriptionEvents()},
        {"audio manager", kSound, "InGameHint_CountTheMaterials", -1, {}},
        {"audio manager", kSound, "InGameHint_FixIt_1", -1, {}},
        {"audio manager", kSound, "InGameHint_FixIt_2", -1, {}},
        {"audio manager", kSound, "InGameHint_HereToThere_1", -1, {}},
        {"audio manager", kSound, "InGameHint_HereToThere_2", -1, {}},
        {"audio manager", kSound, "InGameHint_TollerStacker_1", -1, {}},
        {"audio manager", kSound, "InGameHint_TollerStacker_2", -1, {}},
        {"audio manager", kSound, "InGameHint_Delivery", -1, {}},
        {"audio manager", kSound, "InGameHint_PaintIt_1", -1, {}},
        {"audio manager", kSound, "InGameHint_PaintIt_2", -1, {}},
        {"audio manager", kSound, "InGameHint_Leaves_1", -1, {}},
        {"audio manager", kSound, "InGameHint_PlanAJob_1", -1, {}},
        {"audio manager", kSound, "InGameHint_PlanAJob_2", -1, {}},
        {"audio manager", kSound, "InGameHint_Puzzle_1", -1, {}},
        {"audio manager", kSound, "InGameHint_Puzzle_2", -1, {}},
        {"audio manager", kSound, "InGameHint_Signs_1", -1, {}},
        {"audio manager", kSound, "InGameHint_ToolShed_1", -1, {}},
        {"audio manager", kSound, "InGameHint_ToolShed_2", -1, {}},
        // The level and sticker managers.
        {"level manager", kProgression, "ParkStory", -1, {}},
        {"level manager", kIntArray, "RepeatedGameNumLoops", kNumGameModeDifficulties, {}},
        {"sticker manager", kImageList, "AllStickersList", -1, {}},
        // Every front-end screen: popups, cursors.
        {"front-end screens", kFloat, "UI_PopupWindow_MoveTime", -1, {}},
        {"front-end screens", kFloat, "UI_PopupWindow_BounceTime", -1, {}},
        {"front-end screens", kFloat, "UI_PopupWindow_OffscreenLoc", -1, {}},
        {"front-end screens", kImage, "cursor_default", -1, {}},
        {"front-end screens", kVector2i, "DefaultCursorRegPt", -1, {}},
        {"hand cursor", kImage, "cursor_hand", -1, {}},
        {"hand cursor", kVector2i, "HandCursorRegPt", -1, {}},
        // The title screen.
        {"title screen", kLayout, "Title_YarrowfeteLayout", -1, {}},
        {"title screen", kImageList, "Button_MainMenu_Play_EN", 4, {}},
        {"title screen", kImageList, "Button_MainMenu_Play_SP", 4, {}},
        {"title screen", kSpriteType, "PlayButtonAnimSpriteType_EN", -1, {"Play"}},
        {"title screen", kSpriteType, "PlayButtonAnimSpriteType_SP", -1, {"Play"}},
        {"title screen", kSound, "SFX_UI_WelcomePark", -1, {}},
        // The quit confirmation.
        {"quit confirmation", kLayout, "QuitLayout", -1, {}},
        {"quit confirmation", kString, "QuitConfirmText_EN", -1, {}},
        {"quit confirmation", kString, "QuitConfirmText_SP", -1, {}},
        {"quit confirmation", kImageList, "Button_UI_Yes_EN", 4, {}},
        {"quit confirmation", kImageList, "Button_UI_Yes_SP", 4, {}},
        {"quit confirmation", kSound, "SFX_UI_QuitConfirm", -1, {}},
        // The mini-game base, the instruction overlay and the sticker reward screen.
        {"instruction overlay", kLayout, "FennInstructionModeLayout", -1, {}},
        {"instruction overlay", kImageList, "Button_SkipCutscene_EN", 4, {}},
        {"instruction overlay", kImageList, "Button_SkipCutscene_SP", 4, {}},
        {"instruction overlay", kImageList, "FennPoses", 3, {}},
        {"mini-game layouts", kImageList, "Button_InGame_Help", 4, {}},
        {"mini-game layouts", kImageList, "Button_InGame_Quit", 4, {}},
        {"sticker unlock screen", kLayout, "StickerRewardLayout", -1, {}},
        {"sticker unlock screen", kFloat, "StickerScreenDropTime", -1, {}},
        {"sticker unlock screen", kFloat, "StickerScreenBounceTime", -1, {}},
        {"sticker unlock screen", kFloat, "StickerScreenDisplayTime", -1, {}},
        {"sticker unlock screen", kVector2f, "StickerScreenEndLocation", -1, {}},
        {"sticker unlock screen", kSound, "SFX_GameWin", -1, {}},
        {"sticker unlock screen", kSound, "VO_StickerBookDone", -1, {}},
    };
}

std::vector<sNodeLookup> NodeLookups()
{
    return {
        {"Title_YarrowfeteLayout", {"TitleMainMenu", "GameLogo_EN"}, kAnyNode},
        {"Title_YarrowfeteLayout", {"TitleMainMenu", "GameLogo_SP"}, kAnyNode},
        {"Title_YarrowfeteLayout", {"TitleMainMenu", "UI", "PlayButton"}, kButton},
        {"Title_YarrowfeteLayout", {"TitleMainMenu", "UI", "SignSwing"}, kAnimatedSprite},
        {"QuitLayout", {"Quit", "Text_QuitConfirm"}, kStyledText},
        {"QuitLayout", {"Quit", "Title_EN"}, kAnyNode},
        {"QuitLayout", {"Quit", "Title_SP"}, kAnyNode},
        {"QuitLayout", {"Quit", "YesButton"}, kButton},
        // The instruction overlay and the sticker reward screen.
        {"FennInstructionModeLayout", {"FennInstructionMode", "LevelIntroFenn"}, kAnimatedSprite},
        {"FennInstructionModeLayout", {"FennInstructionMode", "SkipButton"}, kButton},
        {"StickerRewardLayout", {"StickerReward", "LocalRoot"}, kAnyNode},
        {"StickerRewardLayout", {"StickerReward", "LocalRoot", "unlockedImage"}, kStaticSprite},
        {"StickerRewardLayout", {"StickerReward", "LocalRoot", "starburst"}, kAnyNode},
        {"StickerRewardLayout", {"StickerReward", "LocalRoot", "StickerRewardMessage_EN"}, kAnyNode},
        {"StickerRewardLayout", {"StickerReward", "LocalRoot", "StickerRewardMessage_SP"}, kAnyNode},
    };
}

std::vector<sButtonLookup> ButtonLookups()
{
    return {
        {"title screen", "Title_YarrowfeteLayout", "PlayButton"},
        {"title screen", "Title_YarrowfeteLayout", "OptionsButton"},
        {"title screen", "Title_YarrowfeteLayout", "CreditsButton"},
        {"title screen", "Title_YarrowfeteLayout", "QuitButton"},
        {"quit confirmation", "QuitLayout", "YesButton"},
        {"quit confirmation", "QuitLayout", "NoButton"},
        // The instruction overlay and the sticker reward screen.
        {"instruction overlay", "FennInstructionModeLayout", "OkButton"},
        {"sticker unlock screen", "StickerRewardLayout", "ResumeGame"},
    };
}

// Localized pictures come in pairs: every "_EN" name of the English manifest
// has its "_SP" twin in the Spanish one, and the other way round.
struct sLanguagePair
{
    char const* english;
    char const* spanish;
};

sLanguagePair const kLanguagePairs[] = {
    {"AudioResources", "AudioResources_SP"},
    {"LocalizedImageResources", "LocalizedImageResources_SP"},
};

// ---------------------------------------------------------------------------
// The content folder and its manifests read as plain XML.

std::string ContentFolder()
{
    if (char const* folder = std::getenv("CORVANE_CONTENT_DIR"))
        return folder;
    char path[4096];
    ssize_t const length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return "Resources";
    std::string executable(path, static_cast<size_t>(length));
    return executable.substr(0, executable.rfind('/')) + "/Resources";
}

struct sDeclaration
{
    std::string tag;
    std::string name;
    std::string src;
};

// The named elements directly inside the manifest's root, in file order.
std::vector<sDeclaration> ReadDeclarations(std::string const& manifest)
{
    std::vector<sDeclaration> declarations;
    MacOSX::FileStream stream(ConvertStringUTF8ToWide(ContentFolder() + "/" + manifest + ".xml"), kFileRead,
                      kFileOpenExisting);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
    int depth = 0;
    while (!reader->IsEOF())
    {
        XMLElement const* element = reader->ReadElement();
        if (element->kind == XMLElement::kStartElement)
        {
            if (depth == 1 && element->HasAttribute(L"name"))
                declarations.push_back({ConvertStringWideToUTF8String(element->name),
                                        ConvertStringWideToUTF8String(element->GetAttribute(L"name")),
                                        ConvertStringWideToUTF8String(element->GetAttribute(L"src"))});
            ++depth;
        }
        else if (element->kind == XMLElement::kEndElement)
        {
            --depth;
        }
    }
    return declarations;
}

// The sound file a "src" names, by the extensions the audio platform tries; empty when none.
std::string FindSoundFile(std::string const& src)
{
    for (char const* extension : {".ogg", ".mp3", ".wav", ".aif"})
    {
        std::string const path = ContentFolder() + "/" + src + extension;
        if (std::ifstream(path).good())
            return path;
    }
    return std::string();
}

// The frames of audio in the file, or 0 when it cannot be decoded.
long long DecodedFrames(std::string const& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return 0;
    std::vector<float> buffer(4096 * static_cast<size_t>(std::max(1, info.channels)));
    long long frames = 0;
    for (sf_count_t got; (got = sf_readf_float(file, buffer.data(), 4096)) > 0;)
        frames += got;
    sf_close(file);
    return frames;
}

// The table of spoken lines is copied beside the manifests it voices: the lint reads the
// one of the content it is pointed at.
std::string VoiceTablePath()
{
    return ContentFolder() + "/VoiceOver.tsv";
}

std::vector<std::vector<std::string> > ReadVoiceTable()
{
    std::vector<std::vector<std::string> > rows;
    std::ifstream table(VoiceTablePath());
    std::string line;
    while (std::getline(table, line))
    {
        if (line.empty() || line[0] == '#' || line.rfind("name\t", 0) == 0)
            continue;
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

// Deletes a tree of nodes that belongs to no object database.
void DeleteTree(SceneNode* node)
{
    if (!node)
        return;
    std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
    for (SceneNode* child : children)
        DeleteTree(child);
    node->DetachFromParent();
    delete node;
}

SceneNode* FindButtonNamed(SceneNode* node, Label name)
{
    if (dynamic_cast<ButtonNode*>(node) && node->GetName() == name)
        return node;
    for (SceneNode* child : node->GetChildren())
        if (SceneNode* found = FindButtonNamed(child, name))
            return found;
    return nullptr;
}

std::string PathText(std::vector<std::string> const& path)
{
    std::string text;
    for (std::string const& step : path)
        text += (text.empty() ? "" : "/") + step;
    return text;
}

// ---------------------------------------------------------------------------
// The checks every screen and game shares.

// The node at the path of names below `root`, or null.
SceneNode* NodeAt(SceneNode* root, std::vector<std::string> const& path)
{
    SceneNode* node = root;
    for (std::string const& step : path)
    {
        NodePathElement const element(step);
        node = node ? boost::apply_visitor(NodePathVisitor(node), element) : nullptr;
    }
    return node;
}

// Calls `visit` on the node and on every node below it.
void ForEachNode(SceneNode* node, std::function<void(SceneNode*)> const& visit)
{
    std::vector<SceneNode*> pending;
    if (node)
        pending.push_back(node);
    while (!pending.empty())
    {
        SceneNode* const next = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), next->GetChildren().begin(), next->GetChildren().end());
        visit(next);
    }
}

// The node's place among its parent's children: 0 is drawn first, under the
// others; -1 for no node.
long SiblingPlace(SceneNode const* node)
{
    if (!node || !node->GetParent())
        return -1;
    std::list<SceneNode*> const& siblings = node->GetParent()->GetChildren();
    return std::distance(siblings.begin(), std::find(siblings.begin(), siblings.end(), node));
}

// A layout built under a scene root of its own, as a screen builds it; deleted with this.
class BuiltLayout
{
public:
    explicit BuiltLayout(std::string const& name) : mScene(new SceneNode(Label())), mRoot(nullptr)
    {
        AutoResource<SceneLayout> const layout(name.c_str());
        if (layout)
            mRoot = layout->InstantiateLayout(mScene);
    }
    ~BuiltLayout() { DeleteTree(mScene); }
    BuiltLayout(BuiltLayout const&) = delete;
    BuiltLayout& operator=(BuiltLayout const&) = delete;

    // The scene root the layout is built under.
    SceneNode* Scene() const { return mScene; }
    // The layout's root node; null when there is no such layout.
    SceneNode* Root() const { return mRoot; }
    // The node at the path from the scene root, the layout's root node first.
    SceneNode* At(std::vector<std::string> const& path) const { return mRoot ? NodeAt(mScene, path) : nullptr; }

private:
    SceneNode* mScene;
    SceneNode* mRoot;
};

// The frames of the image list; -1 when there is no such list.
int ImageCountOf(std::string const& name)
{
    IImageList const* const list = AutoResource<IImageList>(name).Get();
    return list ? list->GetNumImages() : -1;
}

// The sprite type has every animation named, each frame in its image list;
// the loops repeat, and each one-shot plays once and ends.
void ExpectAnimations(std::string const& spriteType, std::vector<std::string> const& loops,
                      std::vector<std::string> const& oneShots)
{
    SCOPED_TRACE(spriteType);
    AutoResource<SpriteType> const type(spriteType.c_str());
    ASSERT_TRUE(type) << "not a sprite type";
    // Sprite nodes draw from an image list proper: a film strip shows nothing.
    AutoResource<ImageList> const images(type->GetImages());
    ASSERT_TRUE(images) << "its images " << type->GetImages().GetString() << " are not an image list";
    for (std::vector<std::string> const* names : {&loops, &oneShots})
        for (std::string const& name : *names)
        {
            SpriteAnimation const* const animation = type->GetAnimation(Label::GetUniqueString(name.c_str()));
            ASSERT_NE(nullptr, animation) << "no animation " << name;
            for (AnimFrame const& frame : animation->GetFrames())
                EXPECT_LT(frame.index, images->GetNumImages()) << name;
            if (names == &oneShots)
            {
                EXPECT_EQ(1, animation->GetNumPlays()) << name << " does not play once";
            }
            else
            {
                EXPECT_LT(animation->GetNumPlays(), 1) << name << " does not repeat";
            }
        }
}

// Each name is loaded, of its kind and of its shape.
void ExpectLookups(std::vector<sLookup> const& lookups)
{
    for (sLookup const& lookup : lookups)
    {
        SCOPED_TRACE(std::string(lookup.user) + " looks up \"" + lookup.name + "\"");
        Label const name = Label::GetUniqueString(lookup.name.c_str());
        ASSERT_NE(nullptr, GetResourceManager()->GetResource(name)) << "not loaded";
        switch (lookup.kind)
        {
        case kImage:
            EXPECT_TRUE(AutoResource<IImage>(name)) << "not an image";
            break;
        case kImageList:
        {
            AutoResource<ImageList> const list(name);
            ASSERT_TRUE(list) << "not an image list";
            if (lookup.count >= 0)
            {
                EXPECT_EQ(lookup.count, list->GetNumImages());
            }
            else
            {
                EXPECT_GT(list->GetNumImages(), 0);
            }
            break;
        }
        case kFont:
            EXPECT_TRUE(AutoResource<Font>(name)) << "not a font";
            break;
        case kSpriteType:
        {
            AutoResource<SpriteType> const type(name);
            ASSERT_TRUE(type) << "not a sprite type";
            AutoResource<ImageList> const images(type->GetImages());
            ASSERT_TRUE(images) << "its images " << type->GetImages().GetString() << " are not an image list";
            for (std::string const& animationName : lookup.keys)
            {
                SpriteAnimation const* animation = type->GetAnimation(Label::GetUniqueString(animationName.c_str()));
                ASSERT_NE(nullptr, animation) << "no animation " << animationName;
                for (AnimFrame const& frame : animation->GetFrames())
                    EXPECT_LT(frame.index, images->GetNumImages()) << "animation " << animationName;
            }
            break;
        }
        case kSound:
            EXPECT_TRUE(AutoResource<ISound>(name)) << "not a sound";
            break;
        case kSoundList:
        {
            AutoResource<SoundList> const list(name);
            ASSERT_TRUE(list) << "not a sound list";
            for (std::string const& event : lookup.keys)
                EXPECT_NE(nullptr, list->GetSound(Label::GetUniqueString(event.c_str()))) << "no sound for " << event;
            break;
        }
        case kLayout:
            EXPECT_TRUE(AutoResource<SceneLayout>(name)) << "not a scene layout";
            break;
        case kProgression:
        {
            AutoResource<LevelProgressionData> const story(name);
            ASSERT_TRUE(story) << "not a level progression";
            EXPECT_FALSE(story->entries.empty());
            break;
        }
        case kFloat:
            EXPECT_TRUE(Constant<float>(name).IsValid()) << "not a float";
            break;
        case kVector2i:
            EXPECT_TRUE(Constant<Vector2<int> >(name).IsValid()) << "not an int 2D vector";
            break;
        case kVector2f:
            EXPECT_TRUE(Constant<Vector2<float> >(name).IsValid()) << "not a float 2D vector";
            break;
        case kString:
        {
            Constant<std::wstring> const text(name);
            ASSERT_TRUE(text.IsValid()) << "not a string";
            EXPECT_FALSE(static_cast<std::wstring>(text).empty());
            break;
        }
        case kIntArray:
        {
            Constant<std::vector<int> > const list(name);
            ASSERT_TRUE(list.IsValid()) << "not an int list";
            if (lookup.count >= 0)
            {
                EXPECT_EQ(static_cast<size_t>(lookup.count), static_cast<std::vector<int> >(list).size());
            }
            break;
        }
        }
    }
}

// Each node is in its layout where the code looks, of its kind and shape.
void ExpectNodes(std::vector<sNodeLookup> const& lookups)
{
    for (sNodeLookup const& lookup : lookups)
    {
        SCOPED_TRACE(PathText(lookup.path) + " in " + lookup.layout);
        BuiltLayout const layout(lookup.layout);
        SceneNode* const node = layout.At(lookup.path);
        if (!node)
        {
            ADD_FAILURE() << (layout.Root() ? "no such node" : "no such layout");
            continue;
        }
        switch (lookup.type)
        {
        case kAnyNode:
            break;
        case kButton:
            EXPECT_NE(nullptr, dynamic_cast<ButtonNode*>(node)) << "not a button";
            break;
        case kAnimatedSprite:
        {
            AnimatedSpriteNode* const sprite = dynamic_cast<AnimatedSpriteNode*>(node);
            EXPECT_NE(nullptr, sprite) << "not an animated sprite";
            SpriteType const* const type = sprite ? sprite->GetSpriteType() : nullptr;
            for (std::string const& animation : lookup.animations)
                EXPECT_TRUE(type && type->GetAnimation(Label::GetUniqueString(animation.c_str())))
                    << "no animation " << animation;
            break;
        }
        case kStaticSprite:
            EXPECT_NE(nullptr, dynamic_cast<StaticSpriteNode*>(node)) << "not a static sprite";
            break;
        case kStyledText:
            EXPECT_NE(nullptr, dynamic_cast<StyledTextSpriteNode*>(node)) << "not a styled text sprite";
            break;
        }
        if (lookup.children >= 0)
        {
            EXPECT_EQ(static_cast<size_t>(lookup.children), node->GetChildCount());
        }
    }
}

// Each button the code dispatches on is in its layout under that object name.
void ExpectButtons(std::vector<sButtonLookup> const& lookups)
{
    for (sButtonLookup const& lookup : lookups)
    {
        BuiltLayout const layout(lookup.layout);
        ASSERT_TRUE(layout.Root()) << lookup.layout;
        EXPECT_NE(nullptr, FindButtonNamed(layout.Root(), Label::GetUniqueString(lookup.name)))
            << lookup.user << " dispatches on a button named " << lookup.name << " in " << lookup.layout;
    }
}

// The copy of an element under the pointer must never take a click meant for
// what lies below it: nothing in the element's layout is hit-testable, and the
// highlights named start hidden.
void ExpectElementTakesNoClicks(std::string const& element, std::set<std::string> const& hidden)
{
    BuiltLayout const layout(element);
    ASSERT_TRUE(layout.Root()) << element;
    ForEachNode(layout.Root(), [&](SceneNode* node) {
        std::string const name = node->GetNodeName().GetString();
        EXPECT_FALSE(node->GetHitTest()) << element << " node " << name;
        if (hidden.count(name))
        {
            EXPECT_FALSE(node->LocalIsVisible()) << element << " shows its " << name << " from the start";
        }
    });
}

// ---------------------------------------------------------------------------
// The engine as the game sets it up, without a window: files, the game's
// resource kinds, graphics, constants and an audio platform mixing offline.

class ContentLint : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        Internal::DeleteAllSingletons();
        Random::Engine_Setup();
        FileSystem* const fileSystem = new FileSystem();
        fileSystem->AddFileSystemPartition(kFileSystemPartition_Resources,
                                           new MacOSX::FileSystemPartition(ConvertStringUTF8ToWide(ContentFolder())));
        sUser = new FileTestSupport::ScratchFolder();
        fileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                           new MacOSX::FileSystemPartition(sUser->WidePath()));
        RegisterDefaultFileSource();

        Mixer_SetConfig(MIXER_CONFIG_OFFLINE, 1);
        SetBASSLibrary(nullptr);
        sAudio = CreateDefaultAudioPlatform();
        sAudio->Setup();

        ResourceManager* const manager = GetResourceManager();
        manager->AddResourceFactory(L"image", new ImageResourceFactory());
        manager->AddResourceFactory(L"imagelist", new ImageListResourceFactory());
        manager->AddResourceFactory(L"filmstrip", new FilmStripResourceFactory());
        manager->AddResourceFactory(L"font", CreateFontResourceFactory());
        CreateConstantResourceFactories();
        Application::registerResourceFactories();

        for (char const* manifest : kManifests)
            sLoadFailures[manifest] = Load(manifest);
    }

    static void TearDownTestSuite()
    {
        if (sAudio)
            sAudio->Cleanup();
        GetResourceManager()->Cleanup();
        if (IFileSystem* fileSystem = GetFileSystem())
            fileSystem->Cleanup();
        Internal::DeleteAllSingletons();
        sAudio = nullptr;
        SetBASSLibrary(nullptr);
        Mixer_SetConfig(MIXER_CONFIG_OFFLINE, 0);
        Random::Engine_Destroy();
        delete sUser;
        sUser = nullptr;
    }

    // Loads through the loader thread, as the loading screen does; empty when it loaded.
    static std::string Load(char const* manifest)
    {
        std::wstring const name = ConvertStringUTF8ToWide(manifest);
        LoadingJobRef const job = GetResourceManager()->LoadAsync(name.c_str());
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!job->IsComplete() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        switch (job->GetStatus())
        {
        case kLoadingJobStatus_Complete:
            return std::string();
        case kLoadingJobStatus_FileMissing:
            return "the file is missing";
        default:
            return "it did not load (status " + std::to_string(job->GetStatus()) + "; see the log)";
        }
    }

    static std::map<std::string, std::string> sLoadFailures;
    static IAudioPlatform* sAudio;
    static FileTestSupport::ScratchFolder* sUser;
};

std::map<std::string, std::string> ContentLint::sLoadFailures;
IAudioPlatform* ContentLint::sAudio = nullptr;
FileTestSupport::ScratchFolder* ContentLint::sUser = nullptr;

// ---------------------------------------------------------------------------

TEST_F(ContentLint, EveryManifestLoads)
{
    for (char const* manifest : kManifests)
        EXPECT_EQ("", sLoadFailures[manifest]) << "manifest " << manifest;
}

TEST_F(ContentLint, EveryDeclaredResourceIsMade)
{
    // A resource whose files are missing or broken is not made: its name stays unbound.
    for (char const* manifest : kManifests)
        for (sDeclaration const& declaration : ReadDeclarations(manifest))
            EXPECT_NE(nullptr, GetResourceManager()->GetResource(Label::GetUniqueString(declaration.name.c_str())))
                << declaration.tag << " \"" << declaration.name << "\" of " << manifest;
}

TEST_F(ContentLint, EverySoundFileDecodes)
{
    // A sound is made even without its file, and then plays nothing: look at the files.
    std::vector<std::string> manifests(std::begin(kManifests), std::end(kManifests));
    manifests.push_back("AudioResources_SP");
    for (std::string const& manifest : manifests)
        for (sDeclaration const& declaration : ReadDeclarations(manifest))
        {
            if (declaration.tag != "sound")
                continue;
            std::string const file = FindSoundFile(declaration.src);
            ASSERT_NE("", file) << "no file for sound " << declaration.name << " (" << declaration.src << ") of "
                                << manifest;
            EXPECT_GT(DecodedFrames(file), 441) << file << " is not a readable sound of 20 ms or more";
        }
}

TEST_F(ContentLint, EveryLookedUpNameHasItsKindAndShape)
{
    ExpectLookups(ResourceLookups());
}

TEST_F(ContentLint, LayoutNodesAreWhereTheScreensLook)
{
    ExpectNodes(NodeLookups());
}

TEST_F(ContentLint, ButtonsCarryTheNamesTheScreensDispatchOn)
{
    ExpectButtons(ButtonLookups());
}

TEST_F(ContentLint, LayoutsShowEveryPictureTheyName)
{
    // Every button of every layout has state images, every sprite a picture.
    for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<SceneLayout>())
    {
        BuiltLayout const layout(descriptor->GetName().GetString());
        ForEachNode(layout.Root(), [descriptor](SceneNode* node) {
            std::string const where =
                std::string(descriptor->GetName().GetString()) + " node " + node->GetNodeName().GetString();
            if (ButtonNode* button = dynamic_cast<ButtonNode*>(node))
            {
                EXPECT_GT(button->GetWidth(), 0.0f) << where << " has no images";
            }
            if (StaticSpriteNode* sprite = dynamic_cast<StaticSpriteNode*>(node))
            {
                EXPECT_GT(sprite->GetWidth(), 0.0f) << where << " has no picture";
            }
        });
    }
}

TEST_F(ContentLint, TheStoryNamesKnownGamesAndNarratedCutscenes)
{
    AutoResource<LevelProgressionData> const story("ParkStory");
    ASSERT_TRUE(story);
    std::set<std::string> narrations;
    for (sDeclaration const& declaration : ReadDeclarations("AudioResources"))
        narrations.insert(declaration.name);
    for (LevelProgressionEntry const& entry : story->entries)
    {
        if (entry.type == LevelProgressionEntry::kLevel)
        {
            EXPECT_GE(getGameModeTypeForLabel(entry.id), 0) << "unknown game " << entry.id.GetString();
        }
        if (entry.type == LevelProgressionEntry::kCutscene)
        {
            EXPECT_EQ(1u, narrations.count(std::string(entry.id.GetString()) + "_VO"))
                << "cutscene " << entry.id.GetString() << " has no narration";
        }
    }
    EXPECT_NE(LevelProgressionEntry::kVideo, story->entries.back().type) << "a video cannot end the story";
}

TEST_F(ContentLint, StickersFitTheSavedUnlockArray)
{
    AutoResource<IImageList> const stickers("AllStickersList");
    ASSERT_TRUE(stickers);
    EXPECT_GT(stickers->GetNumImages(), 0);
    EXPECT_LE(stickers->GetNumImages(), 150);
}

TEST_F(ContentLint, BothVoiceManifestsDeclareTheSameNames)
{
    std::vector<sDeclaration> const english = ReadDeclarations("AudioResources");
    std::vector<sDeclaration> const spanish = ReadDeclarations("AudioResources_SP");
    std::set<std::pair<std::string, std::string> > englishNames, spanishNames;
    for (sDeclaration const& declaration : english)
        englishNames.insert({declaration.tag, declaration.name});
    for (sDeclaration const& declaration : spanish)
        spanishNames.insert({declaration.tag, declaration.name});
    for (auto const& name : englishNames)
        EXPECT_EQ(1u, spanishNames.count(name)) << name.first << " " << name.second << " is only in English";
    for (auto const& name : spanishNames)
        EXPECT_EQ(1u, englishNames.count(name)) << name.first << " " << name.second << " is only in Spanish";
    EXPECT_EQ(english.size(), englishNames.size()) << "a name is declared twice";

    // Every spoken line of the table is a sound of both.
    std::vector<std::vector<std::string> > const table = ReadVoiceTable();
    EXPECT_FALSE(table.empty()) << "no lines read from " << VoiceTablePath();
    for (std::vector<std::string> const& row : table)
    {
        ASSERT_EQ(3u, row.size()) << "a line of VoiceOver.tsv lacks a field";
        EXPECT_EQ(1u, englishNames.count({"sound", row[0]})) << row[0] << " of VoiceOver.tsv";
    }
}

TEST_F(ContentLint, TheSpanishVoiceManifestLoadsInPlaceOfTheEnglishOne)
{
    GetResourceManager()->Unload(L"AudioResources");
    std::string const failure = Load("AudioResources_SP");
    EXPECT_EQ("", failure);
    // The word lists reach the Spanish words.
    for (sLookup const& lookup : ResourceLookups())
    {
        if (lookup.kind != kSoundList)
            continue;
        AutoResource<SoundList> const list(lookup.name.c_str());
        ASSERT_TRUE(list) << lookup.name;
        EXPECT_EQ(L"AudioResources_SP",
                  GetResourceManager()->GetResource(Label::GetUniqueString(lookup.name.c_str()))->GetManifest());
        for (std::string const& event : lookup.keys)
            EXPECT_NE(nullptr, list->GetSound(Label::GetUniqueString(event.c_str()))) << lookup.name << " " << event;
    }
    GetResourceManager()->Unload(L"AudioResources_SP");
    EXPECT_EQ("", Load("AudioResources"));
}

TEST_F(ContentLint, LocalizedNamesComeInEnglishAndSpanishPairs)
{
    for (sLanguagePair const& pair : kLanguagePairs)
    {
        std::set<std::string> english, spanish;
        for (sDeclaration const& declaration : ReadDeclarations(pair.english))
            english.insert(declaration.name);
        for (sDeclaration const& declaration : ReadDeclarations(pair.spanish))
            spanish.insert(declaration.name);
        auto twin = [](std::string name, char const* from, char const* to) {
            size_t const at = name.rfind(from);
            if (at != std::string::npos && at + 3 == name.size())
                name.replace(at, 3, to);
            return name;
        };
        for (std::string const& name : english)
            EXPECT_EQ(1u, spanish.count(twin(name, "_EN", "_SP"))) << name << " of " << pair.english;
        for (std::string const& name : spanish)
            EXPECT_EQ(1u, english.count(twin(name, "_SP", "_EN"))) << name << " of " << pair.spanish;
    }
}

// ---------------------------------------------------------------------------
// Damage the engine reads past with no more than a log line: numbers that no
// use can take, animations without frames, attributes given twice, names that
// no manifest declares, pictures, frames, sounds and spoken lines whose files
// are gone. The checks read the folder as plain files (ContentLintChecks).

TEST_F(ContentLint, ContentHoldsNoDamageTheGameWouldReadPast)
{
    struct sCheck
    {
        char const* what;
        ContentLintChecks::Findings (*check)(std::string const& folder);
    };
    sCheck const checks[] = {
        {"numbers", ContentLintChecks::NumberFindings},
        {"animations", ContentLintChecks::FramelessAnimationFindings},
        {"attributes given twice", ContentLintChecks::DuplicateAttributeFindings},
        {"undeclared names", ContentLintChecks::UndeclaredNameFindings},
        {"pictures", ContentLintChecks::MissingPictureFindings},
        {"sound files", ContentLintChecks::MissingSoundFileFindings},
    };
    for (sCheck const& check : checks)
        for (std::string const& finding : check.check(ContentFolder()))
            ADD_FAILURE() << check.what << ": " << finding;
}

// ---------------------------------------------------------------------------
// Widget layouts and the widget gallery: every element of a "layout" is one of
// the fourteen widget type keys (the loader skips any other tag without a
// word), and the gallery's resources have the shapes its controls read.

struct sWidgetElement
{
    std::string layout;
    std::string tag;
    std::map<std::string, std::string> attributes;
};

// The elements of every "layout" in the manifest file, in file order.
std::vector<sWidgetElement> ReadWidgetLayouts(std::string const& path)
{
    std::vector<sWidgetElement> elements;
    MacOSX::FileStream stream(ConvertStringUTF8ToWide(path), kFileRead, kFileOpenExisting);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
    int depth = 0;
    std::string layout;
    while (!reader->IsEOF())
    {
        XMLElement const* element = reader->ReadElement();
        if (element->kind == XMLElement::kStartElement)
        {
            std::string const tag = ConvertStringWideToUTF8String(element->name);
            if (depth == 1)
                layout = tag == "layout" ? ConvertStringWideToUTF8String(element->GetAttribute(L"name")) : "";
            else if (depth == 2 && !layout.empty())
            {
                sWidgetElement widget{layout, tag, {}};
                for (auto const& attribute : element->GetAttributes())
                    widget.attributes[ConvertStringWideToUTF8String(attribute.first)] =
                        ConvertStringWideToUTF8String(attribute.second);
                elements.push_back(widget);
            }
            ++depth;
        }
        else if (element->kind == XMLElement::kEndElement)
        {
            --depth;
        }
    }
    return elements;
}

char const* const kWidgetKeys[] = {"background",  "textedit",   "list",       "tree",      "scrollbar",
                                   "slider",      "checkbox",   "button",     "radiobutton", "textsprite",
                                   "imagesprite", "animsprite", "ninebrush",  "threebrush"};

// Whether an image list of that many images fits the attribute of the widget type.
bool FitsWidget(std::string const& tag, std::string const& attribute, int count)
{
    if (attribute == "channelImages")
        return count >= 3;
    if (attribute == "thumbImages")
        return tag == "scrollbar" || count == 4 || count == 5;
    if (attribute == "upArrowImages" || attribute == "downArrowImages")
        return count >= 1 && count <= 5;
    if (tag == "animsprite")
        return count >= 1;
    if (tag == "button")
        return (count >= 1 && count <= 5) || (count >= 6 && count % 3 == 0);
    if (tag == "checkbox")
        return count == 8 || count == 10 || (count > 10 && count % 6 == 0);
    if (tag == "radiobutton")
        return (count >= 4 && count <= 5) || (count > 10 && count % 3 == 0);
    if (tag == "threebrush")
        return count >= 3;
    return count >= 9;
}

TEST_F(ContentLint, EveryWidgetLayoutElementIsAWidgetTypeKey)
{
    std::set<std::string> const keys(std::begin(kWidgetKeys), std::end(kWidgetKeys));
    int layouts = 0;
    for (auto const& entry : std::filesystem::directory_iterator(ContentFolder()))
    {
        if (entry.path().extension() != ".xml")
            continue;
        for (sWidgetElement const& element : ReadWidgetLayouts(entry.path().string()))
        {
            ++layouts;
            EXPECT_EQ(1u, keys.count(element.tag)) << "<" << element.tag << "> in layout " << element.layout << " of "
                                                    << entry.path().filename().string();
        }
    }
    EXPECT_GT(layouts, 0);
}

TEST_F(ContentLint, TheWidgetGalleryHasItsResourcesAndEveryKey)
{
    ASSERT_EQ("", Load("WidgetGallery"));
    EXPECT_EQ(10, ImageCountOf("GenericCheckbox"));
    EXPECT_EQ(9, ImageCountOf("GenericTextEditField"));
    EXPECT_EQ(9, ImageCountOf("GenericList"));
    EXPECT_NE(nullptr, AutoResource<IImage>("GenericTextEditCursor").Get());
    Font const* const font = AutoResource<Font>("Verdana12").Get();
    ASSERT_NE(nullptr, font);
    EXPECT_GE(font->GetGlyphHeight(), 12);
    EXPECT_LE(font->GetGlyphHeight(), 16);
    // A field's left edge needs a height, or its text box never reaches the glyphs.
    IImageList const* const field = AutoResource<IImageList>("GenericTextEditField").Get();
    ASSERT_NE(nullptr, field);
    EXPECT_GT(field->GetImageHeight(3), 0);

    std::set<std::string> seen;
    for (sWidgetElement const& element : ReadWidgetLayouts(ContentFolder() + "/WidgetGallery.xml"))
    {
        seen.insert(element.tag);
        std::string const where = "<" + element.tag + " name=\"" + element.attributes.at("name") + "\">";
        for (auto const& attribute : element.attributes)
        {
            std::string const& name = attribute.first;
            std::string const& value = attribute.second;
            if (name == "font")
            {
                EXPECT_NE(nullptr, AutoResource<Font>(value).Get()) << where << " font " << value;
            }
            else if (name == "sounds")
            {
                EXPECT_NE(nullptr, AutoResource<SoundList>(value).Get()) << where << " sounds " << value;
            }
            else if (name == "cursorImage" || (name == "src" && element.tag == "imagesprite"))
            {
                EXPECT_NE(nullptr, AutoResource<IImage>(value).Get()) << where << " " << name << " " << value;
            }
            else if (name == "src" || name == "images" || name.find("Images") != std::string::npos)
            {
                EXPECT_TRUE(FitsWidget(element.tag, name, ImageCountOf(value)))
                    << where << " " << name << " " << value << " has " << ImageCountOf(value) << " images";
            }
        }
    }
    for (char const* key : kWidgetKeys)
        EXPECT_EQ(1u, seen.count(key)) << "the gallery has no <" << key << ">";
    GetResourceManager()->Unload(L"WidgetGallery");
}

// ---------------------------------------------------------------------------
// Profiles, main menu, difficulty, free play, game selection and cutscenes.

std::vector<sLookup> FrontEndScreenLookups()
{
    std::vector<sLookup> lookups = {
        {"profile selection", kLayout, "ProfilesLayout", -1, {}},
        {"profile selection", kImage, "Profiles_Text_Stickers_EN", -1, {}},
        {"profile selection", kImage, "Profiles_Text_Stickers_SP", -1, {}},
        {"profile selection", kString, "ProfileSelect_EN", -1, {}},
        {"profile selection", kString, "ProfileSelect_SP", -1, {}},
        {"profile selection", kString, "ProfileNotStored_EN", -1, {}},
        {"profile selection", kString, "ProfileNotStored_SP", -1, {}},
        {"profile selection", kSound, "SFX_UI_ChooseProfile", -1, {}},
        {"profile confirmation", kLayout, "ProfileConfirmLayout", -1, {}},
        {"profile confirmation", kImageList, "Button_Profile_NewGame_EN", 4, {}},
        {"profile confirmation", kImageList, "Button_Profile_NewGame_SP", 4, {}},
        {"profile confirmation", kImageList, "Button_Profile_Continue_EN", 4, {}},
        {"profile confirmation", kImageList, "Button_Profile_Continue_SP", 4, {}},
        {"profile confirmation", kString, "ProfileConfirm_EN", -1, {}},
        {"profile confirmation", kString, "ProfileConfirm_SP", -1, {}},
        {"profile confirmation", kSound, "SFX_UI_ContinueNewGame", -1, {}},
        {"main menu", kLayout, "MainMenu_YarrowfeteLayout", -1, {}},
        {"main menu", kImageList, "Button_MainMenu_Story_EN", 4, {}},
        {"main menu", kImageList, "Button_MainMenu_Story_SP", 4, {}},
        {"main menu", kImageList, "Button_MainMenu_StickerBook_EN", 4, {}},
        {"main menu", kImageList, "Button_MainMenu_StickerBook_SP", 4, {}},
        {"main menu", kImageList, "Button_MainMenu_FreePlay_EN", 4, {}},
        {"main menu", kImageList, "Button_MainMenu_FreePlay_SP", 4, {}},
        {"main menu", kSpriteType, "StoryButtonAnimSpriteType_EN", -1, {"Play"}},
        {"main menu", kSpriteType, "StoryButtonAnimSpriteType_SP", -1, {"Play"}},
        {"difficulty selection", kLayout, "DifficultySelectLayout", -1, {}},
        {"difficulty selection", kString, "DifficultySelect_EN", -1, {}},
        {"difficulty selection", kString, "DifficultySelect_SP", -1, {}},
        {"difficulty selection", kSound, "SFX_UI_ChooseDifficulty", -1, {}},
        {"free-play selection", kLayout, "FreePlaySelect_YarrowfeteLayout", -1, {}},
        {"free-play selection", kSound, "Instructions_Freeplay", -1, {}},
        {"game selection", kLayout, "GameSelectLayout", -1, {}},
        {"cutscene screen", kLayout, "CutsceneModeLayout", -1, {}},
        {"cutscene screen", kImageList, "Button_SkipCutscene_EN", 4, {}},
        {"cutscene screen", kImageList, "Button_SkipCutscene_SP", 4, {}},
    };
    // Radio buttons have a fifth image, checked.
    for (char const* list : {"Button_EasyDifficulty", "Button_MedDifficulty", "Button_HardDifficulty"})
        for (char const* language : {"_EN", "_SP"})
            lookups.push_back({"difficulty selection", kImageList, std::string(list) + language, 5, {}});
    return lookups;
}

std::vector<sNodeLookup> FrontEndScreenNodeLookups()
{
    std::vector<sNodeLookup> lookups = {
        {"ProfilesLayout", {"Profiles", "Profiles_Title"}, kAnyNode},
        {"ProfilesLayout", {"Profiles", "Profiles_Title_SP"}, kAnyNode},
        {"ProfilesLayout", {"Profiles", "ChooseProfile_text"}, kStyledText},
        {"ProfileConfirmLayout", {"ProfileConfirm", "ProfileConfirm_Title"}, kAnyNode},
        {"ProfileConfirmLayout", {"ProfileConfirm", "ProfileConfirm_Title_SP"}, kAnyNode},
        {"ProfileConfirmLayout", {"ProfileConfirm", "ProfileConfirmText"}, kStyledText},
        {"ProfileConfirmLayout", {"ProfileConfirm", "NewGame"}, kButton},
        {"ProfileConfirmLayout", {"ProfileConfirm", "Continue"}, kButton},
        {"MainMenu_YarrowfeteLayout", {"TitleMainMenu", "GameLogo_EN"}, kAnyNode},
        {"MainMenu_YarrowfeteLayout", {"TitleMainMenu", "GameLogo_SP"}, kAnyNode},
        {"MainMenu_YarrowfeteLayout", {"TitleMainMenu", "UI", "StoryButton"}, kButton},
        {"MainMenu_YarrowfeteLayout", {"TitleMainMenu", "UI", "StickerBookButton"}, kButton},
        {"MainMenu_YarrowfeteLayout", {"TitleMainMenu", "UI", "FreePlayButton"}, kButton},
        {"MainMenu_YarrowfeteLayout", {"TitleMainMenu", "UI", "SignSwing"}, kAnimatedSprite},
        {"DifficultySelectLayout", {"DifficultySelect", "Title_EN"}, kAnyNode},
        {"DifficultySelectLayout", {"DifficultySelect", "Title_SP"}, kAnyNode},
        {"DifficultySelectLayout", {"DifficultySelect", "ChooseDifficultyText"}, kStyledText},
        {"CutsceneModeLayout", {"CutsceneRoot", "CutsceneImage"}, kStaticSprite},
        {"CutsceneModeLayout", {"CutsceneRoot", "SkipButton"}, kButton},
    };
    for (char const* profile : {"Pondo", "Sloam", "Grubbin"})
    {
        lookups.push_back({"ProfilesLayout", {"Profiles", std::string(profile) + "StickerCount"}, kStyledText});
        lookups.push_back({"ProfilesLayout", {"Profiles", std::string(profile) + "StickerText"}, kStaticSprite});
    }
    return lookups;
}

std::vector<sButtonLookup> FrontEndScreenButtonLookups()
{
    std::vector<sButtonLookup> lookups = {
        {"profile selection", "ProfilesLayout", "OkButton"},
        {"profile confirmation", "ProfileConfirmLayout", "NewGame"},
        {"profile confirmation", "ProfileConfirmLayout", "Continue"},
        {"main menu", "MainMenu_YarrowfeteLayout", "StoryButton"},
        {"main menu", "MainMenu_YarrowfeteLayout", "FreePlayButton"},
        {"main menu", "MainMenu_YarrowfeteLayout", "OptionsButton"},
        {"main menu", "MainMenu_YarrowfeteLayout", "CreditsButton"},
        {"main menu", "MainMenu_YarrowfeteLayout", "StickerBookButton"},
        {"main menu", "MainMenu_YarrowfeteLayout", "QuitButton"},
        {"difficulty selection", "DifficultySelectLayout", "OkButton"},
        {"free-play selection", "FreePlaySelect_YarrowfeteLayout", "QuitButton"},
        {"free-play selection", "FreePlaySelect_YarrowfeteLayout", "HelpButton"},
        {"game selection", "GameSelectLayout", "Back"},
        {"cutscene screen", "CutsceneModeLayout", "OkButton"},
    };
    for (sFreePlayGame const& game : kFreePlayGames)
    {
        lookups.push_back({"free-play selection", "FreePlaySelect_YarrowfeteLayout", game.button});
        lookups.push_back({"game selection", "GameSelectLayout", game.button});
    }
    return lookups;
}

// The radio buttons of a layout by name, with their groups.
std::map<std::string, Label> RadioGroups(char const* layoutName)
{
    std::map<std::string, Label> groups;
    BuiltLayout const layout(layoutName);
    ForEachNode(layout.Root(), [&groups](SceneNode* node) {
        if (RadioButtonNode const* const radio = dynamic_cast<RadioButtonNode*>(node))
            groups[radio->GetName().GetString()] = radio->GetGroup();
    });
    return groups;
}

TEST_F(ContentLint, FrontEndScreensFindTheirContent)
{
    ExpectLookups(FrontEndScreenLookups());
}

TEST_F(ContentLint, FrontEndScreenNodesAndButtonsAreWhereTheScreensLook)
{
    ExpectNodes(FrontEndScreenNodeLookups());
    ExpectButtons(FrontEndScreenButtonLookups());
}

TEST_F(ContentLint, FrontEndRadioButtonsShareOneGroupPerChoice)
{
    std::map<std::string, Label> const profiles = RadioGroups("ProfilesLayout");
    ASSERT_EQ(3u, profiles.size());
    for (char const* profile : {"PondoButton", "SloamButton", "GrubbinButton"})
    {
        ASSERT_EQ(1u, profiles.count(profile)) << profile;
        EXPECT_FALSE(profiles.at(profile).IsNull()) << profile;
        EXPECT_EQ(profiles.at("PondoButton"), profiles.at(profile)) << profile;
        AutoResource<IImageList> const pictures(std::string("Button_Profile_") +
                                                std::string(profile).substr(0, std::string(profile).size() - 6));
        ASSERT_TRUE(pictures) << profile;
        EXPECT_EQ(5, pictures->GetNumImages()) << profile;
    }
    std::map<std::string, Label> const difficulties = RadioGroups("DifficultySelectLayout");
    ASSERT_EQ(3u, difficulties.size());
    for (char const* difficulty : {"EasyButton", "MediumButton", "HardButton"})
    {
        ASSERT_EQ(1u, difficulties.count(difficulty)) << difficulty;
        EXPECT_EQ(difficulties.at("EasyButton"), difficulties.at(difficulty)) << difficulty;
    }
    // OK can show that it is disabled.
    AutoResource<IImageList> const ok("Button_UI_Ok");
    ASSERT_TRUE(ok);
    EXPECT_EQ(4, ok->GetNumImages());
}

TEST_F(ContentLint, EveryCutsceneOfTheStoryHasItsPicture)
{
    AutoResource<LevelProgressionData> const story("ParkStory");
    ASSERT_TRUE(story);
    int cutscenes = 0;
    for (LevelProgressionEntry const& entry : story->entries)
    {
        if (entry.type != LevelProgressionEntry::kCutscene)
            continue;
        ++cutscenes;
        AutoResource<IImage> const picture(entry.id);
        ASSERT_TRUE(picture) << "cutscene " << entry.id.GetString() << " has no picture";
        EXPECT_EQ(800, picture->GetWidth()) << entry.id.GetString();
        EXPECT_EQ(600, picture->GetHeight()) << entry.id.GetString();
    }
    EXPECT_GT(cutscenes, 0);
}

// --- The mini-game base: Help and Quit in every mini-game's layout, and Fenn's poses.

// The manifests of the twelve mini-games; a game's screen layout is the one
// whose root node is "GameScreenRoot".
char const* const kMiniGameManifests[] = {
    "TrundelsDeliveryMode", "PileOfLeavesMode", "CountTheMaterialsMode", "HammerTheNailMode",
    "TollerStackerMode",    "PlanAJobMode",     "StreetSignsMode",       "ToolShedMode",
    "ScarrowPuzzleMode",    "HideAndSeekMode",  "HereToThereMode",       "PaintTheHouseMode"};

TEST_F(ContentLint, EveryMiniGameLayoutHasHelpAndQuitUnderItsUIAttachNode)
{
    for (char const* manifest : kMiniGameManifests)
    {
        int gameLayouts = 0;
        int layouts = 0;
        for (sDeclaration const& declaration : ReadDeclarations(manifest))
        {
            if (declaration.tag != "scenelayout")
                continue;
            ++layouts;
            BuiltLayout const layout(declaration.name);
            ASSERT_TRUE(layout.Root()) << declaration.name << " of " << manifest;
            if (!layout.At({"GameScreenRoot"}))
                continue;
            ++gameLayouts;
            SceneNode* const attach = layout.Scene()->GetDescendent(kUIAttachPath);
            ASSERT_NE(nullptr, attach) << declaration.name << " of " << manifest << " has no GameScreenRoot/UI_attach";
            for (char const* button : {"HelpButton", "QuitButton"})
            {
                SceneNode* const node = NodeAt(attach, {button});
                EXPECT_NE(nullptr, dynamic_cast<ButtonNode*>(node))
                    << declaration.name << " of " << manifest << ": no button node " << button << " under UI_attach";
                if (node)
                {
                    EXPECT_STREQ(button, node->GetName().GetString())
                        << declaration.name << " of " << manifest << ": the base dispatches on the object name";
                }
            }
        }
        // A game that has landed has its screen; one not built yet declares no layout.
        if (layouts > 0)
        {
            EXPECT_GE(gameLayouts, 1) << manifest << " has layouts but none rooted at GameScreenRoot";
        }
    }
}

TEST_F(ContentLint, FennHasAPoseForEveryIntroState)
{
    BuiltLayout const layout("FennInstructionModeLayout");
    ASSERT_TRUE(layout.Root());
    AnimatedSpriteNode* const fenn = dynamic_cast<AnimatedSpriteNode*>(NodeAt(layout.Root(), {"LevelIntroFenn"}));
    ASSERT_NE(nullptr, fenn) << "LevelIntroFenn must be a direct child of the layout's root";
    ASSERT_NE(nullptr, fenn->GetImageList());
    EXPECT_GT(fenn->GetImageList()->GetNumImages(), static_cast<int>(kIntroFennState_Waving));
}

// ---------------------------------------------------------------------------
// CountTheMaterials: the pictures, sounds and tuning values its pieces look up,
// the nodes of its five layouts, and every level it can draw.

int CountTheMaterialsPileFrames()
{
    int frames = -1;
    for (char const* list : kBuildingMaterialImages)
    {
        AutoResource<IImageList> const images(list);
        frames = images ? (frames < 0 ? images->GetNumImages() : std::min(frames, images->GetNumImages())) : 0;
    }
    return frames;
}

TEST_F(ContentLint, CountTheMaterialsFindsItsPicturesSoundsAndTuning)
{
    int const frames = CountTheMaterialsPileFrames();
    EXPECT_GT(frames, 0);
    for (int material = 0; material < kNumBuildingMaterials; ++material)
    {
        AutoResource<IImageList> const piles(kBuildingMaterialImages[material]);
        AutoResource<IImageList> const rollovers(kBuildingMaterialRolloverImages[material]);
        ASSERT_TRUE(piles) << kBuildingMaterialImages[material];
        ASSERT_TRUE(rollovers) << kBuildingMaterialRolloverImages[material];
        EXPECT_EQ(piles->GetNumImages(), rollovers->GetNumImages()) << kBuildingMaterialRolloverImages[material];
    }
    AutoResource<IImageList> const clumps(kMaterialClumpsImageList);
    ASSERT_TRUE(clumps);
    EXPECT_EQ(static_cast<int>(kNumBuildingMaterials), clumps->GetNumImages());

    for (char const* sound : {"SFX_ObjectRollover", "SFX_SelectItem", "SFX_SloamMove", "SFX_GrubbinMove",
                              "SFX_BrickDrop", "CTM_SloamFinished", "CTM_IncorrectAnswer", "CTM_NotEnough",
                              "CTM_TooMuch", "CTM_GrubbinNoProb", "VO_Grubbin_Heavohoy"})
        EXPECT_TRUE(AutoResource<ISound>(sound)) << sound;

    for (char const* point : {"SloamStartPosition", "SloamBGStartPos", "GrubbinOffScreenPosition_Left",
                              "GrubbinIdlePosition", "GrubbinOffScreenPosition_Right",
                              "GrubbinDeliveryRoadEnterPosition", "MaterialPickupOffset"})
        EXPECT_TRUE(Constant<Vector2<float> >(point).IsValid()) << point << " is not a float 2D vector";
    for (char const* path : {"SloamForegroundDriveOnPath", "SloamForegroundDriveOffPath", "SloamBackgroundDrivePath",
                             "GrubbinForegroundDriveOnPath", "GrubbinForegroundDriveOffPath"})
    {
        Constant<std::vector<Vector2<float> > > const points(path);
        ASSERT_TRUE(points.IsValid()) << path << " is not a list of float 2D vectors";
        EXPECT_FALSE(static_cast<std::vector<Vector2<float> > >(points).empty()) << path;
    }
    for (char const* speed : {"SloamForegroundDrivingSpeed", "SloamBackgroundDrivingSpeed"})
    {
        Constant<float> const value(speed);
        ASSERT_TRUE(value.IsValid()) << speed;
        EXPECT_GT(static_cast<float>(value), 0.0f) << speed;
    }
}

TEST_F(ContentLint, CountTheMaterialsLayoutsHaveTheNodesItsPiecesResolve)
{
    std::vector<std::string> const diggerAnimations{"Idle-Right", "Drive-Right-Down", "Drive-Right-Up", "Drive-Left-Up",
                                                    "Drive-Right-Down-Reverse"};
    std::vector<sNodeLookup> nodes = {
        {"CountTheMaterialModeLayout", {"GameScreenRoot", "Playfield", "Material_ClickMask"}, kAnyNode},
        {"CountTheMaterialModeLayout", {"GameScreenRoot", "Playfield", "YSortedLayer"}, kAnyNode},
        {"CountTheMaterialModeLayout", {"GameScreenRoot", "FX_Layer"}, kAnyNode},
        {"MaterialSourceLayout", {"MaterialSource", "imageNode"}, kStaticSprite},
        {"MaterialSourceLayout", {"MaterialSource", "imageNode", "highlightNode"}, kStaticSprite},
        {"MaterialTargetLayout", {"MaterialTarget", "sloamImage"}, kAnimatedSprite, -1, {"Idle-Left", "Drive-Left"}},
        {"MaterialTargetLayout", {"MaterialTarget", "sloamImage", "HighlightBox"}, kStaticSprite},
        {"MaterialTargetLayout", {"MaterialTarget", "sloamImage", "HighlightBox", "imageNode"}, kStaticSprite},
        {"MaterialTargetLayout", {"MaterialTarget", "sloamImage", "HighlightBox", "MaterialCount"}, kAnyNode},
        {"MaterialTargetLayout", {"MaterialTarget", "MaterialsInCart"}, kAnyNode},
        {"MaterialLoaderLayout", {"MaterialLoader", "truckImage"}, kAnimatedSprite, -1, diggerAnimations},
        {"MaterialLoaderLayout", {"MaterialLoader", "truckImage", "ShovelNode"}, kAnimatedSprite, -1,
         {"Drive-Right-Up", "Drive-Left-Up"}},
        {"MaterialLoaderLayout", {"MaterialLoader", "truckImage", "materialAttach"}, kAnyNode},
        {"MaterialLoaderLayout", {"MaterialLoader", "truckImage", "materialAttach_flip"}, kAnyNode},
        {"SloamBGLayout", {"SloamBG"}, kAnyNode},
    };
    for (int source = 0; source < 5; ++source)
        nodes.push_back({"CountTheMaterialModeLayout",
                         {"GameScreenRoot", "Playfield", "YSortedLayer", "MaterialSources_" + std::to_string(source)},
                         kAnyNode});
    ExpectNodes(nodes);

    // The count is a text in a large font; the mask is shown at the start; the
    // sorted layer stands at the screen's origin, where the drives aim.
    BuiltLayout const target("MaterialTargetLayout");
    TextSpriteNode* const count = dynamic_cast<TextSpriteNode*>(
        target.At({"MaterialTarget", "sloamImage", "HighlightBox", "MaterialCount"}));
    ASSERT_NE(nullptr, count) << "MaterialCount is not a text sprite";
    ASSERT_NE(nullptr, count->GetFont());
    EXPECT_EQ(AutoResource<Font>("UIFontLarge").Get(), count->GetFont());

    BuiltLayout const game("CountTheMaterialModeLayout");
    SceneNode* const mask = game.At({"GameScreenRoot", "Playfield", "Material_ClickMask"});
    ASSERT_NE(nullptr, mask);
    EXPECT_TRUE(mask->GlobalIsVisible());
    EXPECT_GE(mask->GetWidth(), 800.0f);
    EXPECT_GE(mask->GetHeight(), 600.0f);
    SceneNode* const layer = game.At({"GameScreenRoot", "Playfield", "YSortedLayer"});
    ASSERT_NE(nullptr, layer);
    EXPECT_EQ(Vector2<float>(0.0f, 0.0f), layer->GlobalGetLocation());
}

TEST_F(ContentLint, EveryCountTheMaterialsLevelCanBeWon)
{
    int const frames = CountTheMaterialsPileFrames();
    AutoResource<SoundList> const numbers("General_NumberWords");
    ASSERT_TRUE(numbers);
    std::map<int, int> perDifficulty;
    for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<CountTheMaterialsLevel>())
    {
        std::string const name = descriptor->GetName().GetString();
        SCOPED_TRACE("CountTheMaterials level " + name);
        CountTheMaterialsLevel const* const level = dynamic_cast<CountTheMaterialsLevel const*>(descriptor);
        ASSERT_NE(nullptr, level);
        int difficulty = -1;
        for (int d = 0; d < kNumGameModeDifficulties; ++d)
        {
            std::vector<Label> const& levels =
                GetLevelManager()->getLevels(kGameModeType_CountTheMaterials, static_cast<GameModeDifficulty>(d));
            if (std::find(levels.begin(), levels.end(), descriptor->GetName()) != levels.end())
                difficulty = d;
        }
        EXPECT_GE(difficulty, 0) << "not offered at any difficulty";
        ++perDifficulty[difficulty];

        EXPECT_TRUE(level->hasRequest);
        EXPECT_TRUE(isBuildingMaterial(level->requestedMaterial));
        EXPECT_GE(level->requestedNumber, 1);
        EXPECT_LE(level->requestedNumber, frames);
        EXPECT_NE(nullptr, numbers->GetSound(Label::GetUniqueString(std::to_string(level->requestedNumber).c_str())))
            << "no number word for " << level->requestedNumber;
        EXPECT_LE(level->pilesInFile, CountTheMaterialsLevel::kMaxPiles);
        int equal = 0;
        for (MaterialData const& pile : level->materials)
        {
            EXPECT_TRUE(isBuildingMaterial(pile.type));
            EXPECT_GE(pile.number, 1);
            EXPECT_LE(pile.number, frames);
            if (pile.type == level->requestedMaterial && pile.number == level->requestedNumber)
                ++equal;
        }
        EXPECT_EQ(1, equal) << "one pile, and only one, is the one asked for";
    }
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
        EXPECT_GE(perDifficulty[d], 2) << "CountTheMaterials levels at difficulty " << d;
}

// ---------------------------------------------------------------------------
// HereToThere: every name the game looks up, its layouts' nodes, the truck's
// road constants and the limits of every level.

TEST_F(ContentLint, HereToThereFindsEverythingItLooksUp)
{
    EXPECT_EQ("", HereToThereMode::findMissingLayoutNode());
    for (char const* layout : {"HereToThereModeLayout", "HereToThereObjectLayout", "HereToThereTargetLayout",
                               "HereToThereCartLayout", "HereToThereDummyHouse"})
        EXPECT_TRUE(AutoResource<SceneLayout>(layout)) << layout;
    EXPECT_LE(3, AutoResource<IImageList>("HereToThere_Animal")->GetNumImages());
    EXPECT_LE(2, AutoResource<IImageList>("HereToThere_DeliveryHouses")->GetNumImages());
    for (int shape = 0; shape < kNumHereToThereObjectShapes; ++shape)
    {
        AutoResource<IImageList> const flags(getHereToThereFlagImageList(shape));
        ASSERT_TRUE(flags) << getHereToThereFlagImageList(shape).GetString();
        EXPECT_EQ(kNumHereToThereObjectColors, flags->GetNumImages()) << getHereToThereFlagImageList(shape).GetString();
    }
    AutoResource<SpriteType> const truck("HereToThere_TruckSpriteType");
    ASSERT_TRUE(truck);
    for (char const* animation : {"Drive-Left", "Idle-Left"})
        EXPECT_NE(nullptr, truck->GetAnimation(Label::GetUniqueString(animation))) << animation;
    for (char const* sound : {"SFX_TrundelMoveShort", "SFX_TrundelMoveLong", "SFX_TrundelHorn", "SFX_ObjectRollover",
                              "SFX_SelectItem", "HereToThere_IncorrectAnswer", "HereToThere_GameComplete",
                              "InGameHint_HereToThere_1", "InGameHint_HereToThere_2"})
        EXPECT_TRUE(AutoResource<ISound>(sound)) << sound;
    for (char const* speed : {"TrundelForegroundDrivingSpeed", "TrundelBackgroundDrivingSpeed"})
    {
        ASSERT_TRUE(Constant<float>(speed).IsValid()) << speed;
        EXPECT_GT(static_cast<float>(Constant<float>(speed)), 0.0f) << speed;
    }
    EXPECT_TRUE(Constant<float>("RoadEndX_Left").IsValid());
    EXPECT_TRUE(Constant<float>("RoadEndX_Right").IsValid());
    EXPECT_TRUE(Constant<Vector2<float> >("LoadingRowEnd_Left").IsValid());
    EXPECT_TRUE(Constant<Vector2<float> >("TrundelIdleLocation").IsValid());
    Constant<std::vector<Vector2<float> > > const left("RoadEnd_Left");
    Constant<std::vector<Vector2<float> > > const right("RoadEnd_Right");
    ASSERT_TRUE(left.IsValid() && right.IsValid());
    std::vector<Vector2<float> > const lefts = left;
    std::vector<Vector2<float> > const rights = right;
    ASSERT_EQ(3u, lefts.size());
    ASSERT_EQ(3u, rights.size());
    // One y per road at both ends, so that a truck standing on a road may take the direct way.
    for (size_t road = 0; road < 3; ++road)
        EXPECT_EQ(lefts[road].y, rights[road].y) << "road " << road;
}

TEST_F(ContentLint, HereToThereLevelsKeepTheGamesLimits)
{
    int perDifficulty[kNumGameModeDifficulties] = {0, 0, 0};
    for (IResourceDescriptor* descriptor : GetResourceManager()->GetResources<HereToThereLevel>())
    {
        HereToThereLevel const* const level = dynamic_cast<HereToThereLevel const*>(descriptor);
        std::string const name = descriptor->GetName().GetString();
        ASSERT_NE(nullptr, level) << name;
        int const animals = static_cast<int>(level->animals.size());
        EXPECT_GE(animals, 1) << name;
        EXPECT_LE(animals, kNumHereToThereAnimalSlots) << name;
        EXPECT_LE(level->numBuildings, kNumHereToThereHouseSlots) << name;
        std::set<std::pair<int, int> > taken;
        std::set<int> colours;
        for (HereToThereAnimalData const& animal : level->animals)
        {
            EXPECT_GE(animal.type, 0) << name << ": an animal of no known shape";
            EXPECT_GE(animal.color, 0) << name << ": an animal of no known colour";
            taken.insert(std::make_pair(static_cast<int>(animal.type), static_cast<int>(animal.color)));
            colours.insert(animal.color);
        }
        int const freePairs = level->matchColor ? kNumHereToThereObjectShapes * (kNumHereToThereObjectColors -
                                                                                 static_cast<int>(colours.size()))
                                                : kNumHereToThereObjectShapes * kNumHereToThereObjectColors -
                                                      static_cast<int>(taken.size());
        EXPECT_LE(level->numBuildings - animals, freePairs) << name << ": not enough free pairs for its decoys";
        for (int d = 0; d < kNumGameModeDifficulties; ++d)
        {
            std::vector<Label> const& list =
                GetLevelManager()->getLevels(kGameModeType_HereToThere, static_cast<GameModeDifficulty>(d));
            perDifficulty[d] += std::count(list.begin(), list.end(), descriptor->GetName()) > 0 ? 1 : 0;
        }
    }
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
        EXPECT_GE(perDifficulty[d], 1) << "no level at difficulty " << d;
}

} // namespace

// ---------------------------------------------------------------------------
// HammerTheNail: every picture, sprite type and constant its pieces compose
// names for, the layouts' nodes, and every level against the tool box and the
// picture and offset lists.

#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"

namespace
{

TEST_F(ContentLint, HammerTheNailFindsEveryNameItComposes)
{
    EXPECT_EQ(kNumFixItToolTypes, ImageCountOf("FixIt_Tool_InBox_rollover"));
    EXPECT_EQ(kNumFixItToolColors, ImageCountOf("FixIt_Tool_InHand_Wrench"));
    int nailFrames = -1;
    for (int type = 0; type < kNumFixItToolTypes; ++type)
    {
        EXPECT_EQ(kNumFixItToolColors, ImageCountOf(fixItToolInBoxImageName(FixItToolType(type))));
        for (int color = 0; color < kNumFixItToolColors; ++color)
        {
            std::string const nail = fixItNailImageName(FixItToolType(type), FixItToolColor(color));
            EXPECT_GT(ImageCountOf(nail), 1) << nail;
            nailFrames = nailFrames < 0 ? ImageCountOf(nail) : std::min(nailFrames, ImageCountOf(nail));
            if (type == kFixItToolType_Wrench)
                continue;
            // "Normal" loops while the tool is held; the tool's follow-up waits for the turn to end.
            ExpectAnimations(fixItDriverSpriteTypeName(FixItToolType(type), FixItToolColor(color)), {"Normal"},
                             {"Rotate"});
        }
    }
    for (char const* name : {"FixIt_GameComplete", "FixIt_WrongTool", "FixIt_ClickAgain", "FixIt_NailComplete",
                             "SFX_ObjectRollover", "SFX_ObjectStick", "SFX_Screw", "SFX_Toolbox"})
        EXPECT_TRUE(AutoResource<ISound>(name)) << name;
    EXPECT_TRUE(Constant<float>("FixIt_ToolSpinTime").IsValid());
    EXPECT_TRUE(Constant<Vector2<int> >("HandCursorRegPt").IsValid());
    std::vector<Vector2<float> > const screw = Constant<std::vector<Vector2<float> > >("ScrewToolAttachOffset");
    std::vector<Vector2<float> > const wrench = Constant<std::vector<Vector2<float> > >("WrenchToolAttachOffset");
    EXPECT_FALSE(Constant<std::vector<Vector2<float> > >("WrenchCounterRotationPath").operator std::vector<Vector2<float> >().empty());

    // The nodes the mode, the tools and the nails resolve.
    ExpectNodes({
        {"HammerTheNailModeLayout", {"GameScreenRoot", "Playfield", "DropItem_ClickMask"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "Playfield", "MaskInput_ClickMask"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "Playfield", "InGameFenn", "mouth"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "Playfield", "MaterialTargets"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "Playfield", "MaterialSources", "Source_1"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "Playfield", "MaterialSources", "Source_4"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "FX_Layer"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "UI_attach", "HelpButton"}, kAnyNode},
        {"HammerTheNailModeLayout", {"GameScreenRoot", "UI_attach", "QuitButton"}, kAnyNode},
        {"ToolLayout", {"Tool", "shapeNode", "rolloverNode"}, kAnyNode},
        {"FloatingToolLayout", {"FloatingTool", "WrenchAnimNode"}, kAnyNode},
        {"FloatingToolLayout", {"FloatingTool", "DriverAnimNode"}, kAnyNode},
        {"NailLayout", {"Nail", "shapeNode"}, kAnyNode},
    });

    // Every level: known names (the reader leaves unknown ones out), a tool box
    // that fits, nails with clicks to give within their pictures and the offset lists.
    std::vector<sDeclaration> levels;
    for (sDeclaration const& declaration : ReadDeclarations("HammerTheNailMode"))
        if (declaration.tag == "HammerTheNailLevel")
            levels.push_back(declaration);
    EXPECT_EQ(12u, levels.size());
    for (sDeclaration const& declaration : levels)
    {
        SCOPED_TRACE("level " + declaration.name);
        AutoResource<HammerTheNailLevel> const level(declaration.name.c_str());
        ASSERT_TRUE(level);
        EXPECT_LE(level->tools.size(), static_cast<size_t>(kNumFixItToolSlots));
        EXPECT_FALSE(level->nails.empty());
        std::set<FixItTool> kinds;
        for (NailData const& nail : level->nails)
        {
            EXPECT_GT(nail.clickCount, 0);
            EXPECT_LT(nail.clickCount, nailFrames);
            EXPECT_LT(static_cast<size_t>(nail.clickCount), screw.size());
            EXPECT_LT(static_cast<size_t>(nail.clickCount), wrench.size());
            kinds.insert(FixItTool(nail.type, nail.color));
        }
        for (FixItTool const& kind : kinds)
            EXPECT_NE(level->tools.end(), std::find(level->tools.begin(), level->tools.end(), kind));
        bool registered = false;
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
        {
            std::vector<Label> const& drawn =
                GetLevelManager()->getLevels(kGameModeType_HammerTheNail, GameModeDifficulty(difficulty));
            registered = registered || std::find(drawn.begin(), drawn.end(), level.GetDescriptor()->GetName()) !=
                                           drawn.end();
        }
        EXPECT_TRUE(registered) << "not drawn at any difficulty";
    }
    // The reader counts the elements it understood: compare with the file's own count.
    std::ifstream file(ContentFolder() + "/HammerTheNailMode.xml");
    std::string const text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    size_t nailElements = 0;
    for (size_t at = text.find("<Nail "); at != std::string::npos; at = text.find("<Nail ", at + 1))
        ++nailElements;
    size_t nailsRead = 0;
    for (sDeclaration const& declaration : levels)
        nailsRead += AutoResource<HammerTheNailLevel>(declaration.name.c_str())->nails.size();
    EXPECT_EQ(nailElements, nailsRead) << "a nail of an unknown type or colour was left out";
}
} // namespace

// --- ToolShed and StreetSigns ------------------------------------------------

#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevel.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"

namespace
{

// The length of a one-shot animation in seconds; -1 for one that repeats.
float OneShotLength(SpriteAnimation const& animation)
{
    if (animation.GetNumPlays() != 1)
        return -1.0f;
    float length = 0.0f;
    for (AnimFrame const& frame : animation.GetFrames())
        length += frame.duration;
    return length;
}

TEST_F(ContentLint, ToolShedAndStreetSignsFindTheirResources)
{
    std::vector<sLookup> lookups = {
        {"ToolShed", kLayout, "ToolShedModeLayout", -1, {}},
        {"ToolShed", kLayout, "ToolShedItemLayout", -1, {}},
        {"ToolShed", kLayout, "ToolShedToolBoxLayout", -1, {}},
        {"ToolShed", kImageList, "ToolShedTool_rollover", kNumToolShedToolTypes, {}},
        {"ToolShed", kSpriteType, "ToolBox_Left_SpriteType", -1, {"Closed", "Shaking"}},
        {"ToolShed", kSpriteType, "ToolBox_Middle_SpriteType", -1, {"Closed", "Shaking"}},
        {"ToolShed", kSpriteType, "ToolBox_Right_SpriteType", -1, {"Closed", "Shaking"}},
        {"ToolShed", kSpriteType, "ToolShed_Scarrow_SpriteType", -1, {"StartJump", "ArmShake"}},
        {"ToolShed", kImage, "ToolShed_Fenn", -1, {}},
        {"ToolShed", kImage, "ToolShed_Fenn_happy", -1, {}},
        {"StreetSigns", kLayout, "StreetSignsModeLayout", -1, {}},
        {"StreetSigns", kLayout, "StreetSignLayout", -1, {}},
        {"StreetSigns", kLayout, "StreetSignTruckLayout", -1, {}},
        {"StreetSigns", kImageList, "StreetSigns_SignRollover", kNumStreetSignShapes, {}},
        {"StreetSigns", kSpriteType, "StreetSigns_Truck_SpriteType", -1, {"Idle-Left", "Drive-Left"}},
        {"StreetSigns", kSpriteType, "StreetSigns_Toller_SpriteType", -1, {"Happy", "Sad"}},
        {"StreetSigns", kIntArray, "RepeatedGameNumLoops", kNumGameModeDifficulties, {}},
    };
    for (int type = 0; type < kNumToolShedToolTypes; ++type)
    {
        lookups.push_back({"ToolShed", kImageList, kToolShedToolSprites[type].GetString(), kNumToolShedToolColors, {}});
        lookups.push_back(
            {"ToolShed", kImageList, kToolShedToolLabelSprites[type].GetString(), kNumToolShedToolColors, {}});
    }
    for (int shape = 0; shape < kNumStreetSignShapes; ++shape)
        lookups.push_back(
            {"StreetSigns", kImageList, kStreetSignShapeSprites[shape].GetString(), kNumStreetSignColors, {}});
    for (char const* sound : {"SFX_ObjectRollover", "SFX_ObjectStick", "SFX_Toolbox", "SFX_DropGirder",
                              "SFX_GirderFall", "SFX_ScarrowTools", "SFX_SloamMove", "SFX_TollerArm",
                              "SFX_GeneralClick", "ToolShed_WrongTool", "ToolShed_WrongColor",
                              "ToolShed_GameComplete", "StreetSigns_WrongShape", "StreetSigns_WrongColor",
                              "StreetSigns_WrongSign", "StreetSigns_GameComplete", "VO_Toller_IThinkSo",
                              "VO_TollerTada"})
        lookups.push_back({"ToolShed and StreetSigns", kSound, sound, -1, {}});
    for (char const* time : {"ToolThrowUpTime", "ToolFallDownTime", "ScarrowToolShedPeekMoveTime", "ArmShakePauseTime"})
        lookups.push_back({"ToolShed", kFloat, time, -1, {}});
    ExpectLookups(lookups);
    // Every one-shot animation lasts 0.3 to 0.6 s.
    for (sLookup const& lookup : lookups)
    {
        if (lookup.kind != kSpriteType)
            continue;
        AutoResource<SpriteType> const type(lookup.name.c_str());
        for (auto const& entry : type->GetAnimations())
        {
            float const length = OneShotLength(entry.second);
            if (length >= 0.0f)
            {
                EXPECT_GE(length, 0.3f - 1e-4f) << lookup.name << " " << entry.first.GetString();
                EXPECT_LE(length, 0.6f + 1e-4f) << lookup.name << " " << entry.first.GetString();
            }
        }
    }
    typedef std::vector<Vector2<float> > Points;
    EXPECT_GE(static_cast<Points>(Constant<Points>("ScarrowArmShakeLocations")).size(), 3u);
    for (char const* path : {"ToolShed_ScarrowJumpingPath_1", "ToolShed_ScarrowJumpingPath_2",
                             "SloamForegroundDriveOnPath", "SloamForegroundDriveOffPath"})
        EXPECT_FALSE(static_cast<Points>(Constant<Points>(path)).empty()) << path;
    for (char const* point : {"LeftScarrowFinalLoc", "RightScarrowFinalLoc", "TopScarrowFinalLoc", "SloamStartPosition"})
        EXPECT_TRUE(Constant<Vector2<float> >(point).IsValid()) << point;
    EXPECT_GT(static_cast<float>(Constant<float>("SloamForegroundDrivingSpeed")), 0.0f);
}

TEST_F(ContentLint, ToolShedAndStreetSignsLayoutsHaveTheirNodes)
{
    ExpectNodes({
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "ToolsLayer"}, kAnyNode},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "DropItem_ClickMask"}, kAnyNode},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "MouseInput_ClickMask"}, kAnyNode},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "ToolBoxesLayer"}, kAnyNode, 6},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "ScarrowDisplayLayer", "scarrowTop"}, kAnyNode},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "ScarrowDisplayLayer", "scarrowLeft"}, kAnyNode},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "ScarrowDisplayLayer", "scarrowRight"}, kAnyNode},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "ScarrowDisplayLayer", "ScarrowAnimNode"},
         kAnimatedSprite},
        {"ToolShedModeLayout", {"GameScreenRoot", "Playfield", "Fenn_InGame"}, kStaticSprite},
        {"ToolShedModeLayout", {"GameScreenRoot", "FX_Layer"}, kAnyNode},
        {"ToolShedModeLayout", {"GameScreenRoot", "UI_attach", "HelpButton"}, kButton},
        {"ToolShedModeLayout", {"GameScreenRoot", "UI_attach", "QuitButton"}, kButton},
        {"ToolShedItemLayout", {"ToolShedItem", "imageNode"}, kStaticSprite},
        {"ToolShedItemLayout", {"ToolShedItem", "imageNode", "rolloverNode"}, kStaticSprite},
        {"ToolShedToolBoxLayout", {"ToolShedToolBox", "animNode"}, kAnimatedSprite},
        {"ToolShedToolBoxLayout", {"ToolShedToolBox", "animNode", "clickRect"}, kAnyNode},
        {"ToolShedToolBoxLayout", {"ToolShedToolBox", "animNode", "signNode"}, kStaticSprite},
        {"StreetSignsModeLayout", {"GameScreenRoot", "Playfield", "SignsLayout_12"}, kAnyNode, 12},
        {"StreetSignsModeLayout", {"GameScreenRoot", "Playfield", "SignsLayout_9"}, kAnyNode, 9},
        {"StreetSignsModeLayout", {"GameScreenRoot", "Playfield", "SignsLayout_6"}, kAnyNode, 6},
        {"StreetSignsModeLayout", {"GameScreenRoot", "Playfield", "TollerAnimNode"}, kAnimatedSprite},
        {"StreetSignsModeLayout", {"GameScreenRoot", "Playfield", "MouseInput_ClickMask"}, kAnyNode},
        {"StreetSignsModeLayout", {"GameScreenRoot", "Playfield", "YSortedLayer"}, kAnyNode},
        {"StreetSignsModeLayout", {"GameScreenRoot", "FX_Layer"}, kAnyNode},
        {"StreetSignsModeLayout", {"GameScreenRoot", "UI_attach", "HelpButton"}, kButton},
        {"StreetSignsModeLayout", {"GameScreenRoot", "UI_attach", "QuitButton"}, kButton},
        {"StreetSignLayout", {"StreetSign", "imageNode"}, kStaticSprite},
        {"StreetSignLayout", {"StreetSign", "imageNode", "rollover"}, kStaticSprite},
        {"StreetSignLayout", {"StreetSign", "HookAssembly"}, kAnyNode},
        {"StreetSignTruckLayout", {"StreetSignTruck", "sloamImage"}, kAnimatedSprite},
        {"StreetSignTruckLayout", {"StreetSignTruck", "MaterialsInCart"}, kAnyNode},
    });

    for (char const* element : {"ToolShedItemLayout", "ToolShedToolBoxLayout", "StreetSignLayout",
                                "StreetSignTruckLayout"})
        ExpectElementTakesNoClicks(element, {"rollover", "rolloverNode"});
}

TEST_F(ContentLint, ToolShedLevelsFollowTheRules)
{
    // Tools and boxes by difficulty, and the boxes' limit of six places.
    size_t const tools[kNumGameModeDifficulties] = {3, 5, 8};
    size_t const boxes[kNumGameModeDifficulties] = {3, 4, 6};
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        std::vector<Label> const& levels =
            GetLevelManager()->getLevels(kGameModeType_ToolShed, static_cast<GameModeDifficulty>(difficulty));
        EXPECT_GE(levels.size(), 3u) << "difficulty " << difficulty;
        for (Label const name : levels)
        {
            SCOPED_TRACE(name.GetString());
            AutoResource<ToolShedLevel> const level(name);
            ASSERT_TRUE(level);
            EXPECT_EQ(tools[difficulty], level->toolEntries.size());
            EXPECT_EQ(boxes[difficulty], level->toolBoxes.size());
            bool wrongColorBox = false;
            bool wrongToolBox = false;
            for (ToolShedToolData const& tool : level->toolEntries)
            {
                bool hasBox = false;
                for (ToolShedToolData const& box : level->toolBoxes)
                {
                    hasBox |= box.toolType == tool.toolType && box.color == tool.color;
                    wrongColorBox |= box.toolType == tool.toolType && box.color != tool.color;
                    wrongToolBox |= box.toolType != tool.toolType && box.color == tool.color;
                }
                EXPECT_TRUE(hasBox) << kToolShedToolColorNames[tool.color] << " " << kToolShedToolTypeNames[tool.toolType]
                                    << " has no box";
            }
            // Medium levels let both wrong answers be heard.
            if (difficulty == kGameModeDifficulty_Medium)
            {
                EXPECT_TRUE(wrongColorBox && wrongToolBox);
            }
        }
    }
}

TEST_F(ContentLint, StreetSignsLevelsFollowTheRules)
{
    size_t const fewest[kNumGameModeDifficulties] = {1, 7, 10};
    size_t const most[kNumGameModeDifficulties] = {6, 9, 12};
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        std::vector<Label> const& levels =
            GetLevelManager()->getLevels(kGameModeType_StreetSigns, static_cast<GameModeDifficulty>(difficulty));
        EXPECT_GE(levels.size(), 3u) << "difficulty " << difficulty;
        for (Label const name : levels)
        {
            SCOPED_TRACE(name.GetString());
            AutoResource<StreetSignLevel> const level(name);
            ASSERT_TRUE(level);
            EXPECT_GE(level->signEntries.size(), fewest[difficulty]);
            EXPECT_LE(level->signEntries.size(), most[difficulty]);
            ASSERT_FALSE(level->attRequests.empty());
            Label const request = level->attRequests.front();
            EXPECT_TRUE(StreetSignsMode::requestColorIndex(request) >= 0 ||
                        StreetSignsMode::requestShapeIndex(request) >= 0)
                << "the request " << request.GetString() << " is no sign colour or shape";
            int right = 0;
            for (StreetSignData const& sign : level->signEntries)
                right += StreetSignsMode::isRightSign(request, sign.color, sign.shape);
            EXPECT_GT(right, 0) << "no right sign";
            EXPECT_LT(right, static_cast<int>(level->signEntries.size())) << "no wrong sign";
        }
    }
}

// ---------------------------------------------------------------------------
// HideAndSeek: every name the game looks up, the nodes of its three layouts
// where the game and the cat expect them, and every level's limits (Fenn's
// pose 2 on the overlay is checked with the other poses above).

TEST_F(ContentLint, HideAndSeekFindsEveryNameItLooksUp)
{
    AutoResource<IImageList> const pictures("HideAndSeekObstacle");
    AutoResource<IImageList> const highlights("HideAndSeekObstacle_Rollover");
    AutoResource<IImageList> const animals("HideAndSeek_WrongAnimals");
    ASSERT_TRUE(pictures && highlights && animals);
    EXPECT_GE(pictures->GetNumImages(), 6);
    EXPECT_EQ(pictures->GetNumImages(), highlights->GetNumImages());
    EXPECT_GE(animals->GetNumImages(), 2);
    for (char const* constant : {"MistleStartLocation", "MistleEndLocation"})
        EXPECT_TRUE(Constant<Vector2<float> >(constant).IsValid()) << constant;
    for (char const* sound : {"SFX_ObjectRollover", "SFX_SelectItem", "HideAndSeek_IncorrectAnswer",
                              "HideAndSeek_GameComplete", "Music_Track1"})
        EXPECT_TRUE(AutoResource<ISound>(sound)) << sound;
    for (char const* effect : {"SFX_ObjectRollover", "SFX_SelectItem"})
        EXPECT_EQ(L"AudioResources_General",
                  GetResourceManager()->GetResource(Label::GetUniqueString(effect))->GetManifest())
            << effect;

    // The game screen: layers at the screen's origin, the mask over them and
    // covering every slot's obstacle, Help and Quit over everything.
    BuiltLayout const screen("HideAndSeekModeLayout");
    SceneNode* const root = screen.Scene();
    SceneNode* const playfield = NodeAt(root, {"GameScreenRoot", "Playfield"});
    SceneNode* const mask = NodeAt(playfield, {"ClickMask"});
    SceneNode* const layers = NodeAt(playfield, {"PlayfieldLayers"});
    ASSERT_TRUE(playfield && mask && layers);
    EXPECT_EQ(playfield->GetChildren().back(), mask) << "the mask is not over the layers";
    EXPECT_EQ(NodeAt(root, {"GameScreenRoot"})->GetChildren().back(), NodeAt(root, {"GameScreenRoot", "UI_attach"}));
    for (char const* button : {"HelpButton", "QuitButton"})
        EXPECT_NE(nullptr, dynamic_cast<ButtonNode*>(NodeAt(root, {"GameScreenRoot", "UI_attach", button})))
            << button;
    Vector2<float> const pictureSize(static_cast<float>(pictures->GetImageWidth(0)),
                                     static_cast<float>(pictures->GetImageHeight(0)));
    size_t const slotCounts[] = {3, 5, 6};
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        std::string const name = std::string("YSortedLayer_") + kGameModeDifficultyNames[difficulty];
        SceneNode* const layer = NodeAt(layers, {name});
        ASSERT_NE(nullptr, layer) << name;
        EXPECT_EQ(0.0f, layer->GlobalGetLocation().x) << name;
        EXPECT_EQ(0.0f, layer->GlobalGetLocation().y) << name;
        EXPECT_EQ(slotCounts[difficulty], layer->GetChildCount()) << name;
        Rect<float> const cover = mask->GlobalGetBounds();
        for (SceneNode* slot : layer->GetChildren())
        {
            Vector2<float> const at = slot->GlobalGetLocation();
            EXPECT_TRUE(cover.x <= at.x && cover.y <= at.y && at.x + pictureSize.x <= cover.x + cover.width &&
                        at.y + pictureSize.y <= cover.y + cover.height)
                << name << " slot " << slot->GetNodeName().GetString() << " lies outside the mask";
        }
    }

    // The cat: a picture that runs and sits. An obstacle: the picture at its
    // corner, drawn over the animal; the rest hidden.
    ExpectNodes({
        {"HideAndSeekCharacterLayout", {"Mistle", "imageNode"}, kAnimatedSprite, -1, {"Run", "Idle"}},
        {"HideAndSeekObstacleLayout", {"HideAndSeekObstacle", "imageNode"}, kStaticSprite},
        {"HideAndSeekObstacleLayout", {"HideAndSeekObstacle", "wrongAnimal"}, kStaticSprite},
        {"HideAndSeekObstacleLayout", {"HideAndSeekObstacle", "rolloverNode"}, kStaticSprite},
        {"HideAndSeekObstacleLayout", {"HideAndSeekObstacle", "MistleTail"}, kAnimatedSprite, -1, {"TimedShow"}},
    });
    BuiltLayout const obstacle("HideAndSeekObstacleLayout");
    SceneNode* const picture = NodeAt(obstacle.Root(), {"imageNode"});
    SceneNode* const animal = NodeAt(obstacle.Root(), {"wrongAnimal"});
    ASSERT_TRUE(picture && animal);
    EXPECT_EQ(0.0f, picture->LocalGetLocation().x);
    EXPECT_EQ(0.0f, picture->LocalGetLocation().y);
    EXPECT_LT(SiblingPlace(animal), SiblingPlace(picture)) << "the picture is not drawn over the animal";
    for (char const* hidden : {"rolloverNode", "MistleTail", "wrongAnimal"})
        EXPECT_FALSE(NodeAt(obstacle.Root(), {hidden})->LocalIsVisible()) << hidden;
}

TEST_F(ContentLint, HideAndSeekLevelsArePlayable)
{
    AutoResource<IImageList> const pictures("HideAndSeekObstacle");
    BuiltLayout const screen("HideAndSeekModeLayout");
    SceneNode* const root = screen.Root();
    ASSERT_TRUE(pictures && root);
    // The levels as the file gives them: attributes, then each "Obstacle" inside.
    struct sLevel
    {
        std::string name;
        int difficulty;
        int numHides;
        int numPreviewHides;
        float runSpeed;
        std::vector<int> pictures;
    };
    std::vector<sLevel> levels;
    MacOSX::FileStream stream(ConvertStringUTF8ToWide(ContentFolder() + "/HideAndSeekMode.xml"), kFileRead,
                              kFileOpenExisting);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
    while (!reader->IsEOF())
    {
        XMLElement const* const element = reader->ReadElement();
        if (element->kind != XMLElement::kStartElement)
            continue;
        if (element->name == L"HideAndSeekLevel")
            levels.push_back({ConvertStringWideToUTF8String(element->GetAttribute(L"name")),
                              lookUpName(element->GetAttribute(L"difficulty"), kGameModeDifficultyNames),
                              element->GetAttribute(L"numHides", 0), element->GetAttribute(L"numPreviewHides", 0),
                              element->GetAttribute(L"runSpeed", 0.0f), {}});
        else if (element->name == L"Obstacle" && !levels.empty())
            levels.back().pictures.push_back(element->GetAttribute(L"imageID", 0));
    }
    int levelsByDifficulty[kNumGameModeDifficulties] = {};
    for (sLevel const& level : levels)
    {
        ASSERT_GE(level.difficulty, 0) << level.name << " names no difficulty";
        ++levelsByDifficulty[level.difficulty];
        SceneNode* const layer = NodeAt(
            root, {"Playfield", "PlayfieldLayers", std::string("YSortedLayer_") + kGameModeDifficultyNames[level.difficulty]});
        ASSERT_NE(nullptr, layer);
        // The cat needs two places to change between and at least one run to hide.
        EXPECT_GE(std::min(level.pictures.size(), layer->GetChildCount()), 2u) << level.name;
        EXPECT_GE(level.numPreviewHides, 1) << level.name;
        EXPECT_GE(level.numHides, 1) << level.name;
        EXPECT_TRUE(level.runSpeed > 0.0f && std::isfinite(level.runSpeed)) << level.name;
        for (int picture : level.pictures)
            EXPECT_TRUE(picture >= 0 && picture < pictures->GetNumImages()) << level.name << " picture " << picture;
    }
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
        EXPECT_EQ(4, levelsByDifficulty[difficulty]) << kGameModeDifficultyNames[difficulty];
}

} // namespace

// --- PaintTheHouse and PileOfLeaves -------------------------------------------

#include "qdl/Source/Game/PaintTheHouse/PaintItLevel.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseConstants.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"
// --- PlanAJob ---------------------------------------------------------------

#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"
// --- The options and credits screens -------------------------------------------

#include "qdl/Source/Game/FrontEnd/MyCreditsMode.h"

namespace
{

TEST_F(ContentLint, PaintTheHouseAndPileOfLeavesFindTheirResources)
{
    for (char const* layout : {"PaintTheHouseModeLayout", "HouseStripeLayout", "HousePaintBucketLayout",
                               "PileOfLeavesModeLayout", "LeafLayout", "LeafCoveredToolLayout", "AnimatedLeafLayout"})
        EXPECT_TRUE(AutoResource<SceneLayout>(layout)) << layout;
    for (int color = 0; color < kNumHousePaintColors; ++color)
    {
        ExpectAnimations(kHousePaintFenceSpriteTypes[color].GetString(), {"Painted", "Unpainted"},
                         {"AddPaint", "RemovePaint"});
        EXPECT_TRUE(AutoResource<IImage>(kHousePaintBrushCursors[color])) << color;
    }
    // The bare fence gives nothing away: the same wood in every colour.
    AutoResource<SpriteType> const red(kHousePaintFenceSpriteTypes[0]);
    for (int color = 1; red && color < kNumHousePaintColors; ++color)
    {
        AutoResource<SpriteType> const other(kHousePaintFenceSpriteTypes[color]);
        AutoResource<ImageList> const redImages(red->GetImages());
        AutoResource<ImageList> const otherImages(other->GetImages());
        ASSERT_TRUE(redImages && otherImages);
        for (int x = 5; x < redImages->GetImageWidth(0); x += 9)
            for (int y = 5; y < redImages->GetImageHeight(0); y += 17)
                EXPECT_EQ(redImages->GetImagePixelAlpha(0, x, y), otherImages->GetImagePixelAlpha(0, x, y));
    }
    EXPECT_TRUE(AutoResource<IImage>("cursor_brush_clean"));
    ExpectAnimations("PaintIt_LiftSpriteType", {"FennPaint", "Drive", "Idle"}, {"Raise", "Lower"});
    ExpectAnimations("PileOfLeaves_DogSpriteType", {"Correct", "Wrong"}, {});
    AutoResource<ImageList> const buckets("PaintIt_PaintBucket");
    ASSERT_TRUE(buckets);
    EXPECT_EQ(kNumHousePaintColors, buckets->GetNumImages());
    for (int tool = 0; tool < kNumQuarrydaleTools; ++tool)
    {
        AutoResource<ImageList> const images(std::string("GeneralTool_") + kQuarrydaleToolNames[tool]);
        ASSERT_TRUE(images) << kQuarrydaleToolNames[tool];
        EXPECT_EQ(kNumLeafToolColors + 1, images->GetNumImages()) << kQuarrydaleToolNames[tool];
    }
    AutoResource<ImageList> const leaves("Leaves");
    ASSERT_TRUE(leaves);
    EXPECT_GE(leaves->GetNumImages(), 3);
    for (char const* sound : {"SFX_GeneralClick", "SFX_ObjectRollover", "SFX_ZeddoArm", "SFX_ZeddoMove", "SFX_Paint",
                              "SFX_BlowLeaves", "SFX_SelectItem", "InGameHint_PaintIt_1", "PaintIt_WrongColor",
                              "VO_KeepGoing", "PaintIt_GameComplete", "PileOfLeaves_IncorrectAnswer",
                              "PileOfLeaves_GameComplete"})
        EXPECT_TRUE(AutoResource<ISound>(sound)) << sound;
    // The brush's tip, and every leaf landed before the search starts.
    EXPECT_EQ(Vector2<int>(20, 15), static_cast<Vector2<int> >(Constant<Vector2<int> >("BrushCursorRegPt")));
    float const speed = Constant<float>("LeafFlightSpeed");
    ASSERT_GT(speed, 0.0f);
    EXPECT_GE(static_cast<float>(Constant<float>("PreIntroLeafFlightTime")),
              static_cast<float>(Constant<float>("PreFlightLeafDelayMax")) + 1150.0f / speed);
    EXPECT_GT(static_cast<float>(Constant<float>("ToolCorrectFlySpeed")), 0.0f);
}

TEST_F(ContentLint, PaintTheHouseAndPileOfLeavesLayoutsHaveTheirNodes)
{
    ExpectNodes({
        {"PaintTheHouseModeLayout", {"GameScreenRoot", "Playfield", "HouseRoot"}, kAnyNode},
        {"PaintTheHouseModeLayout", {"GameScreenRoot", "Playfield", "Bucket1"}, kAnyNode},
        {"PaintTheHouseModeLayout", {"GameScreenRoot", "Playfield", "Bucket2"}, kAnyNode},
        {"PaintTheHouseModeLayout", {"GameScreenRoot", "Playfield", "Bucket3"}, kAnyNode},
        {"PaintTheHouseModeLayout", {"GameScreenRoot", "Playfield", "AnimNodeRoot", "ZeddoAnimNode"}, kAnyNode},
        {"PaintTheHouseModeLayout", {"GameScreenRoot", "Playfield", "FenceClickRect"}, kAnyNode},
        {"PaintTheHouseModeLayout", {"GameScreenRoot", "Playfield", "MouseInput_ClickMask"}, kAnyNode},
        {"HouseStripeLayout", {"HouseStripe", "imageNode", "rollover"}, kAnyNode},
        {"HousePaintBucketLayout", {"HousePaintBucket", "imageNode", "rollover"}, kAnyNode},
        {"PileOfLeavesModeLayout", {"GameScreenRoot", "Playfield", "LeafLayer"}, kAnyNode},
        {"PileOfLeavesModeLayout", {"GameScreenRoot", "Playfield", "ToolLayer"}, kAnyNode},
        {"PileOfLeavesModeLayout", {"GameScreenRoot", "Playfield", "ClickMask"}, kAnyNode},
        {"PileOfLeavesModeLayout", {"GameScreenRoot", "Playfield", "DogAnimationNode"}, kAnyNode},
        {"PileOfLeavesModeLayout", {"GameScreenRoot", "UI_attach", "ToolToPick"}, kAnyNode},
        {"PileOfLeavesModeLayout", {"GameScreenRoot", "UI_attach", "HighlightBox"}, kAnyNode},
        {"LeafLayout", {"Leaf", "imageNode"}, kAnyNode},
        {"LeafCoveredToolLayout", {"LeafCoveredTool", "imageNode", "highlightNode"}, kAnyNode},
    });
    // The leaves lie above the tools and take no clicks, so clicks reach the tools.
    BuiltLayout const leaf("LeafLayout");
    ASSERT_NE(nullptr, NodeAt(leaf.Root(), {"imageNode"}));
    EXPECT_FALSE(NodeAt(leaf.Root(), {"imageNode"})->GetHitTest());
}

TEST_F(ContentLint, PaintTheHouseAndPileOfLeavesLevelsFollowTheRules)
{
    std::vector<int> const loops = Constant<std::vector<int> >("RepeatedGameNumLoops");
    int const tools[kNumGameModeDifficulties] = {3, 5, 8};
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        GameModeDifficulty const d = static_cast<GameModeDifficulty>(difficulty);
        EXPECT_GE(GetLevelManager()->getLevels(kGameModeType_PaintIt, d).size(), 3u) << difficulty;
        for (Label const name : GetLevelManager()->getLevels(kGameModeType_PaintIt, d))
        {
            AutoResource<PaintItLevel> const level(name);
            ASSERT_TRUE(level) << name.GetString();
            EXPECT_FALSE(level->patterns.empty()) << name.GetString();
            // Six painted stripes show a period of at most four.
            for (std::vector<int> const& pattern : level->patterns)
                EXPECT_TRUE(!pattern.empty() && pattern.size() <= 4u) << name.GetString();
        }
        EXPECT_GE(GetLevelManager()->getLevels(kGameModeType_PileOfLeaves, d).size(), 3u) << difficulty;
        for (Label const name : GetLevelManager()->getLevels(kGameModeType_PileOfLeaves, d))
        {
            AutoResource<PileOfLeavesLevel> const level(name);
            ASSERT_TRUE(level) << name.GetString();
            EXPECT_GE(level->numTools, std::max(tools[difficulty], loops.at(static_cast<size_t>(difficulty)) + 1))
                << name.GetString();
            EXPECT_LE(level->numTools, kMaxLeafCoveredTools) << name.GetString();
            EXPECT_GE(level->cursorRadius, 80) << name.GetString();
            EXPECT_LE(level->cursorRadius, 120) << name.GetString();
            EXPECT_GT(level->areaCover, 0) << name.GetString();
            EXPECT_GT(level->toolCover, 0) << name.GetString();
        }
    }
}

TEST_F(ContentLint, PlanAJobLevelsNameTheirPicturesAndTheLayoutHasItsPlaces)
{
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        std::vector<Label> const& levels =
            GetLevelManager()->getLevels(kGameModeType_PlanAJob, static_cast<GameModeDifficulty>(difficulty));
        EXPECT_GE(levels.size(), 3u) << "difficulty " << difficulty;
        // The story's job at every difficulty.
        std::string const story = std::string("BuildShed_") + kGameModeDifficultyNames[difficulty];
        EXPECT_TRUE(AutoResource<PlanAJobLevel>(Label::FromString(story))) << "the story has no " << story;
        for (Label const name : levels)
        {
            SCOPED_TRACE(name.GetString());
            AutoResource<PlanAJobLevel> const level(name);
            ASSERT_TRUE(level);
            EXPECT_GE(level->numEmpty, 1);
            EXPECT_LE(level->numEmpty, PlanAJobLevel::kNumSteps);
            AutoResource<ImageList> const cards(level->objects);
            AutoResource<ImageList> const targets(level->targets);
            ASSERT_TRUE(cards && targets);
            EXPECT_EQ(PlanAJobLevel::kNumSteps, cards->GetNumImages());
            EXPECT_EQ(PlanAJobLevel::kNumSteps, targets->GetNumImages());
            // BuildAnim plays once, so that the outro ends.
            ExpectAnimations(level->spriteType.GetString(), {"WaitAnim"}, {"BuildAnim"});
        }
    }
    AutoResource<ImageList> const empty("BluePrintTargetImages");
    ASSERT_TRUE(empty);
    EXPECT_EQ(PlanAJobLevel::kNumSteps, empty->GetNumImages());
    for (char const* sound : {"SFX_Construction", "SFX_ObjectStick", "SFX_ObjectRollover", "PlanAJob_IncorrectAnswer",
                              "PlanAJob_GameComplete", "General_CorrectAnswer", "InGameHint_PlanAJob_1",
                              "InGameHint_PlanAJob_2"})
        EXPECT_TRUE(AutoResource<ISound>(sound)) << sound;
    for (char const* point : {"BluePrintsFinalPosition", "BluePrintsOffScreenPosition"})
        EXPECT_TRUE(Constant<Vector2<float> >(point).IsValid()) << point;
    EXPECT_GT(static_cast<float>(Constant<float>("BlueprintsMoveTime")), 0.0f);

    BuiltLayout const layout("PlanAJobModeLayout");
    auto at = [&layout](std::vector<std::string> path) {
        path.insert(path.begin(), {"GameScreenRoot", "Playfield"});
        return layout.At(path);
    };
    ASSERT_NE(nullptr, at({"Blueprint", "MaterialTargets"}));
    EXPECT_EQ(5u, at({"Blueprint", "MaterialTargets"})->GetChildCount());
    EXPECT_NE(nullptr, at({"Blueprint", "FennHands"}));
    for (int k = 1; k <= PlanAJobLevel::kNumSteps; ++k)
    {
        SceneNode* const group = at({"MaterialSources", "Sources_" + std::to_string(k)});
        ASSERT_NE(nullptr, group) << k;
        EXPECT_EQ(static_cast<size_t>(k), group->GetChildCount());
    }
    EXPECT_NE(nullptr, dynamic_cast<AnimatedSpriteNode*>(at({"BuildingAnimationNode"})));
    SceneNode* const mask = at({"Material_ClickMask"});
    SceneNode* const intro = at({"IntroClickMask"});
    ASSERT_TRUE(mask && intro);
    EXPECT_TRUE(intro->LocalIsVisible());
    // The cancel mask lies under the cards and the blueprint; the intro's mask above everything.
    EXPECT_LT(SiblingPlace(mask), SiblingPlace(at({"MaterialSources"})));
    EXPECT_LT(SiblingPlace(mask), SiblingPlace(at({"Blueprint"})));
    EXPECT_EQ(static_cast<long>(at({})->GetChildCount()) - 1, SiblingPlace(intro));

    ExpectNodes({{"JobSequenceItemLayout", {"JobSequenceItem", "imageNode"}, kStaticSprite},
                 {"JobSequenceSlotLayout", {"JobSequenceSlot", "imageNode"}, kStaticSprite}});
    for (char const* element : {"JobSequenceItemLayout", "JobSequenceSlotLayout"})
        ExpectElementTakesNoClicks(element, {"rollover"});
}

} // namespace

// --- ScarrowPuzzle ------------------------------------------------------------

#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"

namespace
{

TEST_F(ContentLint, ScarrowPuzzleLevelsHaveOneToFiveDistinctPiecesWithTheirPictures)
{
    AutoResource<ImageList> const boards("PuzzleBG");
    ASSERT_TRUE(boards);
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        std::vector<Label> const& levels =
            GetLevelManager()->getLevels(kGameModeType_ScarrowPuzzle, static_cast<GameModeDifficulty>(difficulty));
        EXPECT_GE(levels.size(), 3u) << "difficulty " << difficulty;
        for (Label const name : levels)
        {
            SCOPED_TRACE(name.GetString());
            AutoResource<ScarrowPuzzleLevel> const level(name);
            ASSERT_TRUE(level);
            EXPECT_GE(level->puzzleID, 1);
            EXPECT_LE(level->puzzleID, boards->GetNumImages()) << "no board picture";
            ASSERT_GE(level->puzzlePieces.size(), 1u);
            ASSERT_LE(level->puzzlePieces.size(), static_cast<size_t>(ScarrowPuzzleMode::kMaxPieces));
            std::set<int> numbers;
            for (ScarrowPuzzlePieceSlotData const& piece : level->puzzlePieces)
            {
                numbers.insert(piece.pieceNum);
                AutoResource<ImageList> const pictures(piece.image);
                AutoResource<ImageList> const outlines(piece.rollover);
                ASSERT_TRUE(pictures && outlines);
                EXPECT_GE(piece.pieceNum, 0);
                EXPECT_LT(piece.pieceNum, pictures->GetNumImages());
                EXPECT_LT(piece.pieceNum, outlines->GetNumImages());
            }
            EXPECT_EQ(level->puzzlePieces.size(), numbers.size()) << "two pieces share a number";
        }
    }
    for (char const* sound : {"SFX_ScarrowBricks", "SFX_BrickDrop", "ScarrowPuzzle_IncorrectAnswer",
                              "ScarrowPuzzle_GameComplete", "InGameHint_Puzzle_1", "InGameHint_Puzzle_2"})
        EXPECT_TRUE(AutoResource<ISound>(sound)) << sound;
    for (char const* time : {"ScarrowPeekMoveUpTime", "ScarrowPeekMoveDownTime", "ScarrowPeekWaitTime",
                             "JumpAnimAirTime", "PieceSlotMaxClickDist"})
        EXPECT_GT(static_cast<float>(Constant<float>(time)), 0.0f) << time;
    typedef std::vector<Vector2<float> > Points;
    for (char const* path : {"ScarrowJumpingPath_1", "ScarrowJumpingPath_2", "ScarrowJumpingPath_3"})
        EXPECT_GE(static_cast<Points>(Constant<Points>(path)).size(), 2u) << path;

    BuiltLayout const layout("ScarrowPuzzleModeLayout");
    SceneNode* const playfield = layout.At({"GameScreenRoot", "Playfield"});
    ASSERT_NE(nullptr, playfield);
    EXPECT_NE(nullptr, dynamic_cast<StaticSpriteNode*>(NodeAt(playfield, {"PuzzleBackground"})));
    EXPECT_EQ(5u, NodeAt(playfield, {"PuzzlePieces"})->GetChildCount());
    EXPECT_NE(nullptr, NodeAt(playfield, {"ScarrowPeeking"}));
    EXPECT_NE(nullptr, dynamic_cast<AnimatedSpriteNode*>(NodeAt(playfield, {"ScarrowAnimNode"})));
    EXPECT_NE(nullptr, NodeAt(playfield, {"PuzzlePieceSlots"}));
    SceneNode* const drop = NodeAt(playfield, {"DropItem_ClickMask"});
    SceneNode* const input = NodeAt(playfield, {"MouseInput_ClickMask"});
    ASSERT_TRUE(drop && input);
    EXPECT_LT(SiblingPlace(drop), SiblingPlace(NodeAt(playfield, {"PuzzlePieceSlots"})));
    EXPECT_LT(SiblingPlace(drop), SiblingPlace(NodeAt(playfield, {"PuzzlePieces"})));
    EXPECT_EQ(static_cast<long>(playfield->GetChildCount()) - 1, SiblingPlace(input));
    EXPECT_TRUE(input->LocalIsVisible());

    for (char const* element : {"ScarrowPuzzlePieceLayout", "ScarrowPuzzlePieceSlotLayout"})
        ExpectElementTakesNoClicks(element, {"rolloverNode"});
    // An empty slot shows nothing until its piece is put in.
    BuiltLayout const slot("ScarrowPuzzlePieceSlotLayout");
    ForEachNode(slot.Root(), [](SceneNode* node) {
        if (node->GetNodeName() == Label::GetUniqueString("imageNode"))
        {
            EXPECT_EQ(0.0f, node->LocalGetAlpha());
        }
    });
}

TEST_F(ContentLint, OptionsAndCreditsFindTheirContent)
{
    std::vector<sLookup> lookups = {
        {"options", kLayout, "OptionsLayout", -1, {}},
        {"credits", kLayout, "CreditsLayout", -1, {}},
        // The pages are always five.
        {"credits", kImageList, "Credits_TextPages", 5, {}},
    };
    for (char const* text : {"Options_Sound_EN", "Options_Sound_SP", "Options_Language_EN", "Options_Language_SP"})
        lookups.push_back({"options", kString, text, -1, {}});
    // Radio buttons have a fifth image, checked.
    for (char const* radio : {"Button_Sound_On_EN", "Button_Sound_On_SP", "Button_Sound_Off_EN", "Button_Sound_Off_SP",
                              "Button_Language_English", "Button_Language_Espanol"})
        lookups.push_back({"options", kImageList, radio, 5, {}});
    for (char const* button : {"Button_UI_Cancel_EN", "Button_UI_Cancel_SP", "Button_ChangeProfile_EN",
                               "Button_ChangeProfile_SP"})
        lookups.push_back({"options", kImageList, button, 4, {}});
    for (char const* button : {"Button_Credits_Left", "Button_Credits_Right", "Button_Credits_Back"})
        lookups.push_back({"credits", kImageList, button, 4, {}});
    ExpectLookups(lookups);
    // The screen turns up to its fixed last page: each page can be reached, no page is blank.
    EXPECT_EQ(ImageCountOf("Credits_TextPages") - 1, static_cast<int>(MyCreditsMode::kLastPage));
}

TEST_F(ContentLint, OptionsAndCreditsLayoutsHaveTheirNodesButtonsAndGroups)
{
    ExpectNodes({
        {"OptionsLayout", {"Options", "Text_Sound"}, kStyledText},
        {"OptionsLayout", {"Options", "Text_Language"}, kStyledText},
        {"OptionsLayout", {"Options", "Title_EN"}, kAnyNode},
        {"OptionsLayout", {"Options", "Title_SP"}, kAnyNode},
        {"CreditsLayout", {"Credits", "TextPages"}, kStaticSprite},
    });
    ExpectButtons({
        {"options", "OptionsLayout", "OkButton"},
        {"credits", "CreditsLayout", "BackButton"},
        {"credits", "CreditsLayout", "buttonLeft"},
        {"credits", "CreditsLayout", "buttonRight"},
    });
    // Reached both by path and by name, so both names are the same.
    BuiltLayout const options("OptionsLayout");
    for (char const* button : {"SoundOnButton", "SoundOffButton", "CancelButton", "ProfileButton"})
    {
        SceneNode* const node = options.At({"Options", button});
        ASSERT_TRUE(node) << button;
        EXPECT_TRUE(std::string(button).rfind("Sound", 0) == 0 ? dynamic_cast<RadioButtonNode*>(node) != nullptr
                                                                : dynamic_cast<ButtonNode*>(node) != nullptr)
            << button << " is not of its kind";
        EXPECT_EQ(std::string(button), node->GetName().GetString());
    }

    std::map<std::string, Label> const groups = RadioGroups("OptionsLayout");
    ASSERT_EQ(4u, groups.size());
    for (char const* radio : {"SoundOnButton", "SoundOffButton", "EnglishButton", "EspanolButton"})
        ASSERT_EQ(1u, groups.count(radio)) << radio;
    EXPECT_EQ(groups.at("SoundOnButton"), groups.at("SoundOffButton"));
    EXPECT_EQ(groups.at("EnglishButton"), groups.at("EspanolButton"));
    EXPECT_NE(groups.at("SoundOnButton"), groups.at("EnglishButton"));
}

} // namespace

// --- TollerStacker and TrundelsDelivery ---------------------------------------

#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryConstants.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevel.h"

namespace
{

TEST_F(ContentLint, TollerStackerAndTrundelsDeliveryFindTheirResources)
{
    for (char const* layout : {"TollerStackerModeLayout", "StackableObjectLayout", "StackTargetLayout",
                               "TrundelsDeliveryModeLayout", "DeliveryCartLayout", "DeliveryObjectLayout"})
        EXPECT_TRUE(AutoResource<SceneLayout>(layout)) << layout;
    for (char const* list : {"RedLogs", "BlueLogs", "RedGirders", "BlueGirders", "LogRollover", "GirderRollover"})
    {
        AutoResource<ImageList> const images(list);
        ASSERT_TRUE(images) << list;
        EXPECT_EQ(5, images->GetNumImages()) << list;
    }
    for (char const* list : {"TrundelDeliveryItems_Small", "TrundelDeliveryItems_Small_rollover",
                             "TrundelDeliveryItems_Large", "TrundelDeliveryItems_Large_rollover"})
    {
        AutoResource<ImageList> const images(list);
        ASSERT_TRUE(images) << list;
        EXPECT_EQ(kNumTrundelsDeliveryTypes, images->GetNumImages()) << list;
    }
    for (char const* image : {"Platform_Red", "Platform_Blue", "cursor_default"})
        EXPECT_TRUE(AutoResource<IImage>(image)) << image;
    for (char const* sound : {"SFX_ObjectRollover", "SFX_ObjectStick", "SFX_DropGirder", "SFX_GirderFall",
                              "VO_Toller_IThinkSo", "VO_TollerTada", "SFX_TrundelHorn", "SFX_TrundelMoveLong",
                              "SFX_GeneralClick", "SFX_Toolbox", "SFX_BrickDrop", "SFX_TollerArm",
                              "TrundelsDelivery_WrongColor", "TrundelsDelivery_WrongType", "TrundelsDelivery_Wrong",
                              "TrundelsDelivery_GameComplete", "General_CorrectAnswer", "General_IncorrectAnswer"})
        EXPECT_TRUE(AutoResource<ISound>(sound)) << sound;
    // The stacking game shows the arrow at the hand's hot spot: both tips are on one pixel.
    EXPECT_EQ(static_cast<Vector2<int> >(Constant<Vector2<int> >("DefaultCursorRegPt")),
              static_cast<Vector2<int> >(Constant<Vector2<int> >("HandCursorRegPt")));

    ExpectAnimations("Toller_SpriteType", {"Idle"}, {"Sad", "Happy"});
    ExpectAnimations("Trundel_SpriteType", {"Idle-Left", "Drive-Left"}, {});
    ExpectAnimations("DeliveryCart_SpriteType", {"Idle-Left", "Drive-Left"}, {});
    // The crane's moods are short, so that the tasks waiting for them go on soon.
    AutoResource<SpriteType> const crane("Toller_SpriteType");
    for (char const* mood : {"Sad", "Happy"})
    {
        SpriteAnimation const* const animation = crane->GetAnimation(Label::GetUniqueString(mood));
        ASSERT_NE(nullptr, animation);
        EXPECT_GT(OneShotLength(*animation), 0.3f) << mood;
        EXPECT_LT(OneShotLength(*animation), 2.0f) << mood;
    }
}

TEST_F(ContentLint, TollerStackerAndTrundelsDeliveryLayoutsHaveTheirNodes)
{
    std::vector<sNodeLookup> nodes = {
        {"TollerStackerModeLayout", {"GameScreenRoot", "Playfield", "DropItem_Mask"}, kAnyNode},
        {"TollerStackerModeLayout", {"GameScreenRoot", "Playfield", "TollerAnimNode"}, kAnyNode},
        {"TollerStackerModeLayout", {"GameScreenRoot", "Playfield", "MaterialTargets", "Target_Left"}, kAnyNode},
        {"TollerStackerModeLayout", {"GameScreenRoot", "Playfield", "MaterialTargets", "Target_Right"}, kAnyNode},
        {"TollerStackerModeLayout", {"GameScreenRoot", "FX_Layer"}, kAnyNode},
        {"StackableObjectLayout", {"StackableObject", "imageNode"}, kAnyNode},
        {"StackableObjectLayout", {"StackableObject", "imageNode", "rollover"}, kAnyNode},
        {"StackTargetLayout", {"StackTarget", "clickNode"}, kAnyNode},
        {"StackTargetLayout", {"StackTarget", "Platform"}, kAnyNode},
        {"TrundelsDeliveryModeLayout", {"GameScreenRoot", "Playfield", "CargoRoot"}, kAnyNode},
        {"TrundelsDeliveryModeLayout", {"GameScreenRoot", "Playfield", "TollerAnimNode"}, kAnyNode},
        {"TrundelsDeliveryModeLayout", {"GameScreenRoot", "Playfield", "MouseInput_ClickMask"}, kAnyNode},
        {"DeliveryObjectLayout", {"DeliveryObject", "imageNode"}, kAnyNode},
        {"DeliveryObjectLayout", {"DeliveryObject", "imageNode", "rolloverNode"}, kAnyNode},
        {"DeliveryObjectLayout", {"DeliveryObject", "HookAssembly"}, kAnyNode},
    };
    for (char const* node : {"cargoImage", "cargoImage_front", "rolloverNode", "rolloverNode_front", "cart",
                             "cargoTarget"})
        nodes.push_back({"DeliveryCartLayout", {"DeliveryCart", node}, kAnyNode});
    for (int i = 1; i <= 10; ++i)
        nodes.push_back({"TollerStackerModeLayout",
                         {"GameScreenRoot", "Playfield", "MaterialSources", "Source_" + std::to_string(i)}, kAnyNode});
    for (int i = 1; i <= 5; ++i)
        nodes.push_back(
            {"StackTargetLayout", {"StackTarget", "Platform", "StackPoint_" + std::to_string(i)}, kAnyNode});
    for (int i = 1; i <= 6; ++i)
        nodes.push_back({"TrundelsDeliveryModeLayout",
                         {"GameScreenRoot", "Playfield", "CargoRoot", "Cart_" + std::to_string(i)}, kAnyNode});
    for (int i = 1; i <= 5; ++i)
        nodes.push_back(
            {"TrundelsDeliveryModeLayout", {"GameScreenRoot", "Playfield", "Pattern" + std::to_string(i)}, kAnyNode});
    ExpectNodes(nodes);
    // The copy of an element's picture that may be made takes no click of its own.
    for (char const* element : {"StackableObjectLayout", "DeliveryObjectLayout"})
    {
        BuiltLayout const layout(element);
        SceneNode const* const picture = NodeAt(layout.Root(), {"imageNode"});
        EXPECT_TRUE(picture && !picture->GetHitTest()) << element;
    }

    // The drop mask lies under everything on the playfield and covers it.
    BuiltLayout const stacker("TollerStackerModeLayout");
    SceneNode* const mask = stacker.At({"GameScreenRoot", "Playfield", "DropItem_Mask"});
    ASSERT_NE(nullptr, mask);
    EXPECT_EQ(0, SiblingPlace(mask));
    EXPECT_GE(mask->GetWidth(), 800.0f);
    EXPECT_GE(mask->GetHeight(), 600.0f);

    // The stack points rise from the first.
    BuiltLayout const target("StackTargetLayout");
    for (int i = 1; i < 5; ++i)
        EXPECT_LT(NodeAt(target.Root(), {"Platform", "StackPoint_" + std::to_string(i + 1)})->LocalGetLocation().y,
                  NodeAt(target.Root(), {"Platform", "StackPoint_" + std::to_string(i)})->LocalGetLocation().y);

    // The delivery game's mask comes after the choices, the crane and the train: it covers them.
    BuiltLayout const delivery("TrundelsDeliveryModeLayout");
    SceneNode* const field = delivery.At({"GameScreenRoot", "Playfield"});
    ASSERT_NE(nullptr, field);
    EXPECT_EQ(Label::GetUniqueString("MouseInput_ClickMask"), field->GetChildren().back()->GetNodeName());

    BuiltLayout const choice("DeliveryObjectLayout");
    EXPECT_EQ(Vector2<float>(0.0f, -600.0f), NodeAt(choice.Root(), {"HookAssembly"})->LocalGetLocation());
}

TEST_F(ContentLint, TollerStackerAndTrundelsDeliveryClickablePicturesAreSolidInTheMiddleAndClearAtTheCorners)
{
    struct sPictures
    {
        char const* list;
        // The alpha a click must exceed.
        int sensitivity;
    };
    for (sPictures const& pictures :
         {sPictures{"RedLogs", 100}, sPictures{"BlueLogs", 100}, sPictures{"RedGirders", 100},
          sPictures{"BlueGirders", 100}, sPictures{"TrundelDeliveryItems_Large", 128}})
    {
        AutoResource<ImageList> const list(pictures.list);
        ASSERT_TRUE(list) << pictures.list;
        for (int frame = 0; frame < list->GetNumImages(); ++frame)
        {
            int const w = list->GetImageWidth(frame);
            int const h = list->GetImageHeight(frame);
            EXPECT_GT(list->GetImagePixelAlpha(frame, w / 2, h / 2), pictures.sensitivity)
                << pictures.list << " " << frame;
            for (int x : {0, w - 1})
                for (int y : {0, h - 1})
                    EXPECT_LE(list->GetImagePixelAlpha(frame, x, y), pictures.sensitivity)
                        << pictures.list << " " << frame << " at " << x << "," << y;
        }
    }
}

TEST_F(ContentLint, TollerStackerAndTrundelsDeliveryLevelsFitTheirGames)
{
    // Objects per level by difficulty, and whether logs and girders are mixed.
    int const fewest[] = {3, 6, 8};
    int const most[] = {4, 6, 10};
    int const frames = AutoResource<ImageList>("RedLogs")->GetNumImages();
    bool blueOnly = false;
    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        std::vector<Label> const levels =
            GetLevelManager()->getLevels(kGameModeType_TollerStacker, static_cast<GameModeDifficulty>(difficulty));
        EXPECT_GE(levels.size(), 3u) << difficulty;
        for (Label const name : levels)
        {
            AutoResource<TollerStackerLevel> const level(name);
            ASSERT_TRUE(level) << name.GetString();
            std::vector<StackableObjectData> const& objects = level->objects;
            SCOPED_TRACE(name.GetString());
            EXPECT_GE(static_cast<int>(objects.size()), fewest[difficulty]);
            EXPECT_LE(static_cast<int>(objects.size()), most[difficulty]);
            std::set<std::pair<int, int> > sizes;
            std::set<int> colors;
            std::set<int> types;
            for (StackableObjectData const& object : objects)
            {
                EXPECT_GE(object.size, 1);
                EXPECT_LE(object.size, frames);
                EXPECT_TRUE(sizes.insert(std::make_pair(object.color, object.size)).second)
                    << "two objects of one colour and size " << object.size;
                colors.insert(object.color);
                types.insert(object.type);
            }
            blueOnly = blueOnly || (colors.size() == 1 && *colors.begin() == kStackObjectColor_Blue);
            if (difficulty == kGameModeDifficulty_Medium)
            {
                EXPECT_EQ(2u, colors.size());
            }
            if (difficulty == kGameModeDifficulty_Hard)
            {
                EXPECT_EQ(2u, types.size());
            }
        }
    }
    EXPECT_TRUE(blueOnly) << "an easy level of Blue only puts its platform on the left";

    for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
    {
        std::vector<Label> const levels = GetLevelManager()->getLevels(kGameModeType_TrundelsDelivery,
                                                                       static_cast<GameModeDifficulty>(difficulty));
        EXPECT_GE(levels.size(), 3u) << difficulty;
        for (Label const name : levels)
        {
            AutoResource<TrundelsDeliveryLevel> const level(name);
            ASSERT_TRUE(level) << name.GetString();
            EXPECT_FALSE(level->patterns.empty()) << name.GetString();
            // Five carts show a pattern of at most four letters at least once whole.
            for (std::vector<int> const& pattern : level->patterns)
            {
                EXPECT_GE(pattern.size(), 1u) << name.GetString();
                EXPECT_LE(pattern.size(), 4u) << name.GetString();
            }
        }
    }
}

} // namespace

// --- The sticker book -------------------------------------------------------------

#include "CorvaneExtensions/Source/NodeGridNode.h"

namespace
{

char const* const kStickerBookButtons[] = {"QuitButton",    "HelpButton",         "BGLeftButton",
                                           "BGRightButton", "StickersLeftButton", "StickersRightButton"};

TEST_F(ContentLint, StickerBookFindsItsContent)
{
    std::vector<sLookup> lookups = {
        {"sticker book", kLayout, "StickerModeLayout", -1, {}},
        {"sticker book", kLayout, "StickerLayout", -1, {}},
        {"sticker book", kLayout, "StickerBookSurfaceLayout", -1, {}},
        {"sticker book", kLayout, "StickerListLayout", -1, {}},
        {"sticker book", kImageList, "StickerBGs", -1, {}},
        {"sticker book", kImage, "StickerMode_Eraser_Image", -1, {}},
        {"sticker book", kSound, "SFX_StickerStick", -1, {}},
        {"sticker book", kSound, "Instructions_StickerBook_Yarrowfete", -1, {}},
        {"sticker book", kSound, "Music_GeneralUI", -1, {}},
    };
    for (char const* button : {"Button_StickerBook_Quit", "Button_StickerBook_Help", "Button_StickerBook_BGLeft",
                               "Button_StickerBook_BGRight", "Button_StickerBook_ListLeft",
                               "Button_StickerBook_ListRight"})
        lookups.push_back({"sticker book", kImageList, button, 4, {}});
    ExpectLookups(lookups);
    EXPECT_GE(ImageCountOf("StickerBGs"), 3);
    // The eraser cursor's hot spot (5, 9) lies on its picture.
    AutoResource<IImage> const eraser("StickerMode_Eraser_Image");
    ASSERT_TRUE(eraser);
    EXPECT_GT(eraser->GetWidth(), 5);
    EXPECT_GT(eraser->GetHeight(), 9);
    // The spoken help is in both languages.
    for (char const* manifest : {"AudioResources", "AudioResources_SP"})
    {
        std::vector<sDeclaration> const sounds = ReadDeclarations(manifest);
        EXPECT_TRUE(std::any_of(sounds.begin(), sounds.end(), [](sDeclaration const& declaration) {
            return declaration.tag == "sound" && declaration.name == "Instructions_StickerBook_Yarrowfete";
        })) << manifest;
    }
    // At most 150 stickers fit the saved unlock array; some are shown scaled
    // down in the list (taller than 110), some are wider than tall.
    AutoResource<ImageList> const stickers("AllStickersList");
    ASSERT_TRUE(stickers);
    EXPECT_LE(stickers->GetNumImages(), 150);
    bool tall = false;
    bool wide = false;
    for (int sticker = 0; sticker < stickers->GetNumImages(); ++sticker)
    {
        tall |= stickers->GetImageHeight(sticker) > 110;
        wide |= stickers->GetImageWidth(sticker) > stickers->GetImageHeight(sticker);
    }
    EXPECT_TRUE(tall && wide);
}

TEST_F(ContentLint, StickerBookLayoutsLayTheirNodesAsTheBookNeeds)
{
    std::vector<sNodeLookup> nodes = {
        {"StickerModeLayout", {"StickerMode", "BG_Image"}, kStaticSprite},
        {"StickerModeLayout", {"StickerMode", "Material_ClickMask"}, kAnyNode},
        {"StickerModeLayout", {"StickerMode", "Surface"}, kAnyNode},
        {"StickerModeLayout", {"StickerMode", "StickerList"}, kAnyNode},
        {"StickerModeLayout", {"StickerMode", "eraser"}, kStaticSprite},
        {"StickerModeLayout", {"StickerMode", "FX_Layer"}, kAnyNode},
        {"StickerLayout", {"Sticker", "StickerImage"}, kStaticSprite},
        {"StickerBookSurfaceLayout", {"StickerSurface", "stickerHolderNode"}, kAnyNode},
        {"StickerBookSurfaceLayout", {"StickerSurface", "clickNode"}, kAnyNode},
        {"StickerListLayout", {"StickerListRoot", "ListBG", "ListField"}, kAnyNode},
    };
    std::vector<sButtonLookup> buttons;
    for (char const* button : kStickerBookButtons)
    {
        nodes.push_back({"StickerModeLayout", {"StickerMode", button}, kButton});
        buttons.push_back({"sticker book", "StickerModeLayout", button});
    }
    ExpectNodes(nodes);
    ExpectButtons(buttons);

    // The click mask covers the screen just above the background and under
    // everything else; the drag image's layer lies above the page and the list.
    BuiltLayout const book("StickerModeLayout");
    SceneNode* const mask = book.At({"StickerMode", "Material_ClickMask"});
    SceneNode* const layer = book.At({"StickerMode", "FX_Layer"});
    ASSERT_TRUE(mask && layer);
    EXPECT_EQ(0, SiblingPlace(book.At({"StickerMode", "BG_Image"})));
    EXPECT_EQ(1, SiblingPlace(mask));
    EXPECT_EQ(Vector2<float>(0.0f, 0.0f), mask->GlobalGetLocation());
    EXPECT_GE(mask->GetWidth(), 800.0f);
    EXPECT_GE(mask->GetHeight(), 600.0f);
    for (char const* below : {"Surface", "StickerList"})
        EXPECT_LT(SiblingPlace(book.At({"StickerMode", below})), SiblingPlace(layer)) << below;
    // Every button can show that it is disabled.
    for (char const* name : kStickerBookButtons)
    {
        ButtonNode const* const button = dynamic_cast<ButtonNode*>(book.At({"StickerMode", name}));
        ASSERT_TRUE(button && button->GetImages()) << name;
        EXPECT_GE(button->GetImages()->GetNumImages(), 4) << name;
    }

    // Only the wired entries and stuck stickers take presses; the page's click
    // area is drawn above the stuck stickers.
    ExpectElementTakesNoClicks("StickerLayout", {});
    BuiltLayout const page("StickerBookSurfaceLayout");
    ASSERT_TRUE(page.Root());
    EXPECT_LT(SiblingPlace(NodeAt(page.Root(), {"stickerHolderNode"})),
              SiblingPlace(NodeAt(page.Root(), {"clickNode"})));

    // The list lays its entries out in a row 4 pixels apart, about 550 wide.
    BuiltLayout const list("StickerListLayout");
    NodeGridNode const* const field = dynamic_cast<NodeGridNode*>(NodeAt(list.Root(), {"ListBG", "ListField"}));
    ASSERT_NE(nullptr, field) << "ListField is not a node grid";
    EXPECT_EQ(4.0f, field->GetHSpacing());
    EXPECT_NEAR(550.0f, field->GetMaxWidth(), 20.0f);
}

} // namespace

// --- Levels: none that a child could not finish ships --------------------------
// Every level element of the twelve games' manifests, read again by its own
// game's reader as the game loads it: the reader must refuse nothing in it (no
// number out of what the game can use, nothing left out) and offer the level at
// its difficulty. Reading again leaves the level manager as it was.

#include <memory>

#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevelResourceFactory.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevelResourceFactory.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevelResourceFactory.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevelResourceFactory.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevelResourceFactory.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevelResourceFactory.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevelResourceFactory.h"

namespace
{

struct sLevelReader
{
    GameModeType type;
    std::shared_ptr<IResourceFactory> reader;
};

std::map<std::wstring, sLevelReader> LevelReaders()
{
    return {{L"CountTheMaterialsLevel",
             {kGameModeType_CountTheMaterials, std::make_shared<CountTheMaterialsLevelResourceFactory>()}},
            {L"HammerTheNailLevel", {kGameModeType_HammerTheNail, std::make_shared<HammerTheNailLevelResourceFactory>()}},
            {L"HereToThereLevel", {kGameModeType_HereToThere, std::make_shared<HereToThereLevelResourceFactory>()}},
            {L"HideAndSeekLevel", {kGameModeType_HideAndSeek, std::make_shared<HideAndSeekLevelResourceFactory>()}},
            {L"PaintItLevel", {kGameModeType_PaintIt, std::make_shared<PaintItLevelResourceFactory>()}},
            {L"PileOfLeavesLevel", {kGameModeType_PileOfLeaves, std::make_shared<PileOfLeavesLevelResourceFactory>()}},
            {L"PlanAJobLevel", {kGameModeType_PlanAJob, std::make_shared<PlanAJobLevelResourceFactory>()}},
            {L"ScarrowPuzzleLevel", {kGameModeType_ScarrowPuzzle, std::make_shared<ScarrowPuzzleLevelResourceFactory>()}},
            {L"StreetSignLevel", {kGameModeType_StreetSigns, std::make_shared<StreetSignLevelResourceFactory>()}},
            {L"TollerStackerLevel", {kGameModeType_TollerStacker, std::make_shared<TollerStackerLevelResourceFactory>()}},
            {L"ToolShedLevel", {kGameModeType_ToolShed, std::make_shared<ToolShedLevelResourceFactory>()}},
            {L"TrundelsDeliveryLevel",
             {kGameModeType_TrundelsDelivery, std::make_shared<TrundelsDeliveryLevelResourceFactory>()}}};
}

bool IsOffered(GameModeType type, Label level)
{
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(type, static_cast<GameModeDifficulty>(d));
        if (std::find(levels.begin(), levels.end(), level) != levels.end())
            return true;
    }
    return false;
}

TEST_F(ContentLint, EveryLevelIsOfferedAndItsReaderRefusesNothingInIt)
{
    std::map<std::wstring, sLevelReader> const readers = LevelReaders();
    int levels = 0;
    for (char const* manifest : kMiniGameManifests)
    {
        MacOSX::FileStream stream(ConvertStringUTF8ToWide(ContentFolder() + "/" + manifest + ".xml"), kFileRead,
                                  kFileOpenExisting);
        std::unique_ptr<IXMLReader> file(CreateXMLReader(&stream));
        while (!file->IsEOF())
        {
            XMLElement const* const element = file->ReadElement();
            auto const kind = element && element->kind == XMLElement::kStartElement ? readers.find(element->name)
                                                                                      : readers.end();
            if (kind == readers.end())
                continue;
            Label const name = Label::FromString(element->GetAttribute(L"name"));
            SCOPED_TRACE(std::string(manifest) + ", level " + name.GetString());
            ++levels;
            AttributeContainer const attributes(element->GetAttributes());
            XMLElementReader level(file.get());
            testing::internal::CaptureStderr();
            std::unique_ptr<IResourceDescriptor> const read(kind->second.reader->CreateResource(
                ConvertStringUTF8ToWide(manifest), name, attributes, level));
            std::string const log = testing::internal::GetCapturedStderr();
            EXPECT_EQ("", log);
            EXPECT_TRUE(IsOffered(kind->second.type, name));
            while (!level.IsEOF())
                level.ReadElement();
        }
    }
    EXPECT_GE(levels, 12 * 3);
}

} // namespace
