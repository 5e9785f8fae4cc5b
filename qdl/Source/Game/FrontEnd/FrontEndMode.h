#pragma once

// What every front-end screen shares: one scene layout built in Setup, images
// chosen by the player's language, "ButtonClick" answered by the sender's name,
// and the moves to other screens through the main loop's queue.
//
// A screen acts once: after it has queued a push, pop or unwind it ignores
// every further button until it is entered again, so that a second click that
// arrives before the queued change is applied cannot push a second screen or
// skip a step. A quit request is not queued, so it leaves the buttons active:
// when a quit handler refuses, the player can go on.
//
// Content looked up here: the image "cursor_default", the constant
// "DefaultCursorRegPt" and the account value "EnglishLanguage".

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"

class ButtonNode;
class SceneNode;
class StyledTextSpriteNode;

// The account's language: true for English (also when nothing is stored).
bool isEnglishLanguage();

// Shows the node of the chosen language and hides the other; either may be null.
void showLanguageNode(SceneNode* english, SceneNode* spanish, bool isEnglish);

// The software cursor: "cursor_default" with its hot spot "DefaultCursorRegPt".
void setDefaultCursor();

// A path as text for messages: "TitleMainMenu/UI/PlayButton".
std::string describeNodePath(NodePathElement const* path);

// The box in which every content load failure is told: the title "There was an
// error loading <manifest>.xml. Fix the problem and press F5 to reload" over
// the error as the message.
void notifyLoadError(std::wstring const& manifest, std::wstring const& error);

// Whether the manifest was read to its end (one that was never asked for
// counts as read). If not, `asker` logs it and the child is told in the load
// failure box that `what` cannot be opened.
bool isManifestLoaded(std::wstring const& manifest, std::wstring const& what, char const* asker);

class FrontEndMode : public SceneApplicationMode
{
public:
    // The screen's class name, for the messages about missing content.
    explicit FrontEndMode(char const* screenName);
    ~FrontEndMode() override;

    // The button dispatch; screens answer in handleButtonClick.
    void ReceiveMessage(Corvane::ObjectMessage const& message) override;
    // Runs each time the screen becomes the top mode again: its buttons act again.
    void Enter() override;

    char const* getScreenName() const { return screenName; }
    // Whether the screen has queued a change of screens and waits for it.
    bool isModeChangeQueued() const { return modeChangeQueued; }

protected:
    // The sender's name of a "ButtonClick" that the screen may act on.
    virtual void handleButtonClick(Corvane::Label button) = 0;
    // Messages other than "ButtonClick" (radio buttons, sliders); none by default.
    virtual void handleOtherMessage(Corvane::ObjectMessage const&) {}
    // Whether the screen takes no button at all at the moment (a popup sliding in).
    virtual bool isBlockingClicks() const { return false; }
    // A message that arrived while clicks were blocked; ignored by default.
    virtual void handleBlockedMessage(Corvane::ObjectMessage const&) {}

    // Builds the named scene layout under the scene root, its nodes in this
    // mode's database. Null, with a message, when the layout is missing or broken.
    SceneNode* instantiateLayout(char const* layoutName);

    // The node at the path from the scene root as a T; null, with a message,
    // when a step is missing or the node is of another kind.
    template <class T>
    T* findNode(NodePathElement const* path) const
    {
        SceneNode* const node = findSceneNode(path);
        T* const typed = dynamic_cast<T*>(node);
        if (node && !typed)
            reportWrongNodeKind(path);
        return typed;
    }
    SceneNode* findSceneNode(NodePathElement const* path) const;

    // Gives the button the image list of that name (width 0.0); a missing list
    // leaves the images it has.
    void setButtonImages(ButtonNode* button, Corvane::Label imageList) const;
    // Gives the text node the wide-text constant of that name; a missing
    // constant leaves the text it has.
    void setTextFromConstant(StyledTextSpriteNode* node, Corvane::Label text) const;

    // The object of that name in this mode's database as a T; null, with a
    // message, when there is none of that kind.
    template <class T>
    T* findNamedObject(Corvane::Label name) const
    {
        T* const typed = dynamic_cast<T*>(GetNamedObject(name));
        if (!typed)
            reportMissingObject(name);
        return typed;
    }

    // Moves to another screen. A null screen is one not built yet: the screen
    // stays where it is and a message names what was asked for.
    void pushScreen(Corvane::ApplicationMode* screen, char const* what);
    void unwindToScreen(Corvane::ApplicationMode* screen, char const* what);
    void popScreen();
    // Asks the level manager for the next story step; the screen waits for
    // it only when a change of screens was queued, else it stays usable.
    void startNextStoryStep();
    // Asks the quit handlers; the buttons stay active.
    void requestQuit();
    // Whether the manifest a screen is built from was read to its end (one that
    // was never asked for counts as read). If not, the child is told in the load
    // failure box that `what` cannot be opened, and should stay where it is:
    // half a manifest could show half a sticker book or cut the story short.
    bool isScreenContentLoaded(wchar_t const* manifest, wchar_t const* what) const;

private:
    void reportWrongNodeKind(NodePathElement const* path) const;
    void reportMissingObject(Corvane::Label name) const;

    char const* screenName;
    bool modeChangeQueued;
};

// A popup: an overlay whose window slides in from above and bounces once;
// until it has arrived it acts on no button.
class PopupMode : public FrontEndMode
{
public:
    explicit PopupMode(char const* screenName);

    bool IsOpaque() const override { return false; }

    // Only stores the flag.
    void ignoreMouseClicks(bool ignore) { blockingClicks = ignore; }
    bool isIgnoringMouseClicks() const { return blockingClicks; }

protected:
    bool isBlockingClicks() const override { return blockingClicks; }

    // Builds the layout, moves its root to "UI_PopupWindow_OffscreenLoc" and
    // queues the slide to 10 below its home ("UI_PopupWindow_MoveTime"), the
    // bounce back home ("UI_PopupWindow_BounceTime") and the end of the
    // blocking. Returns the layout's root; without its layout the popup
    // closes at once and null is returned.
    SceneNode* instantiatePopupLayout(char const* layoutName);

private:
    bool blockingClicks;
};

// The buttons of a screen in the order they are tested, their names interned
// once: a screen keeps its table in a function-local static.
template <class Screen>
class ButtonTable
{
public:
    typedef void (Screen::*Action)();

    ButtonTable(std::initializer_list<std::pair<char const*, Action> > rows)
    {
        for (auto const& row : rows)
            entries.push_back(std::make_pair(Corvane::Label::GetUniqueString(row.first), row.second));
    }

    // The first row of that name acts; false when no row has it.
    bool dispatch(Screen* screen, Corvane::Label button) const
    {
        for (auto const& entry : entries)
            if (entry.first == button)
            {
                (screen->*entry.second)();
                return true;
            }
        return false;
    }

private:
    std::vector<std::pair<Corvane::Label, Action> > entries;
};
