#pragma once

// What the plays of the front-end screens share: the top screen by class,
// waiting for a popup to come to rest, the image list or text a node shows,
// clicks sent several times within one frame, a stand-in for a mini-game
// installed through the game makers, and pictures kept when
// QDL_FRONTEND_SCREENSHOTS names a folder.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/RadioButtonNode.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

namespace FrontEndPlay
{

typedef std::vector<std::string> Screens;
using GameDriver::Child;

using GameDriver::Top;
// Until the popup on top has slid in and bounced, when its buttons start to act.
inline bool WaitForPopup(Child& child, std::string const& screen)
{
    return GameDriver::WaitForPopupToRest(child, screen);
}

inline std::string ImageListOf(Child& child, std::string const& node)
{
    return child.Look([&node] {
        SceneNode* const found = Child::FindNode(node);
        Corvane::IImageList const* images = nullptr;
        if (ButtonNode const* const button = dynamic_cast<ButtonNode*>(found))
            images = button->GetImages();
        if (RadioButtonNode const* const radio = dynamic_cast<RadioButtonNode*>(found))
            images = radio->GetImages();
        Corvane::IResourceDescriptor const* const list = dynamic_cast<Corvane::IResourceDescriptor const*>(images);
        return std::string(list ? list->GetName().GetString() : "");
    });
}

inline std::wstring TextOf(Child& child, std::string const& node)
{
    return child.Look([&node] {
        StyledTextSpriteNode const* const text = dynamic_cast<StyledTextSpriteNode*>(Child::FindNode(node));
        return text ? text->GetText() : std::wstring(L"(no text node)");
    });
}

inline bool IsChecked(Child& child, std::string const& radio)
{
    return child.Look([&radio] {
        RadioButtonNode const* const node = dynamic_cast<RadioButtonNode*>(Child::FindNode(radio));
        return node && node->IsChecked();
    });
}

inline bool Contains(std::vector<std::string> const& names, std::string const& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The node's click as the node sends it, several times within one frame.
inline void ClickInOneFrame(Child& child, std::string const& target, int times)
{
    child.RunOnLoop([&target, times] {
        SceneNode* const node = Child::FindNode(target);
        ButtonNode* const button = dynamic_cast<ButtonNode*>(node);
        RadioButtonNode* const radio = dynamic_cast<RadioButtonNode*>(node);
        ASSERT_TRUE(button || radio) << target;
        for (int i = 0; i < times; ++i)
        {
            if (button)
                button->Click();
            else
                radio->Click();
        }
    });
}

// Keeps a picture of the screen as <folder>/<name>.png when the folder is named.
inline void Screenshot(Child& child, std::string const& name)
{
    if (char const* const folder = std::getenv("QDL_FRONTEND_SCREENSHOTS"))
    {
        EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/" + name + ".png"));
    }
}

// Stands for a mini-game: the game and difficulty it was made for.
class GameStandIn : public SceneApplicationMode
{
public:
    GameStandIn(GameModeType type, Corvane::Label level)
        : type(type), level(level), difficulty(GetLevelManager()->getDifficulty())
    {
    }
    GameModeType type;
    Corvane::Label level;
    GameModeDifficulty difficulty;
};

// The games asked of the makers, as "<type>"; the game itself is made only
// while `start` is set, else the maker answers as a game not built yet.
struct GameRequests
{
    std::vector<int> asked;
    bool start = false;

    void install()
    {
        GetGameScreenHooks().createGameMode = [this](GameModeType type,
                                                     Corvane::Label level) -> Corvane::ApplicationMode* {
            asked.push_back(type);
            return start ? new GameStandIn(type, level) : nullptr;
        };
    }
};

typedef GameDriver::PlayTest FrontEndPlayTest;

} // namespace FrontEndPlay
