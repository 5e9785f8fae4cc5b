#pragma once

// The base of every mini-game mode: the in-game Help and Quit buttons, the
// instruction overlay, the spoken hint that repeats while the child makes no
// progress, the object that carries the game's intro and outro chains, the
// once-only outro flag, the node that swallows the mouse, the cursors, and
// endLevel, which hands out a sticker and goes on with the story or free play.
//
// What a mini-game provides:
// - refreshMode(): starts the next loop of the same game: a new instance of its
//   own mode (the intro as a rule off, the loops left handed on, see
//   loopsLeftAfterThisOne) made the only mode with Corvane::MainLoop::UnwindToMode.
//   A game's outro calls refreshMode() while loops are left, else endLevel().
// - setupCursor(): its cursor, as a rule "cursor_hand" at "HandCursorRegPt"
//   (setGameCursor does that).
//
// What a mini-game calls:
// - In Setup(): QuarrydaleGameMode::Setup() first, then its layout
//   (instantiateGameLayout); it may hand a covering node to
//   setupMouseInputEatingNode and show or hide that node to block clicks
//   during animations (left shown once outroStarted). UI_attach is drawn above
//   that node, so that Help and Quit still work while it is shown.
// - A game that overrides ReceiveMessage, Enter, Exit or Destroy calls the
//   base's too.
// - setupInstructionMode(game label, pose, play intro) once, while it sets up or
//   as the last step of its intro (through a task bound to the virtual). Until
//   then the game has no label for hints and Help, and the Help and Quit
//   buttons stay as the layout made them. A game whose level cannot be set up
//   still calls it (or showUIButtons), so that the child can leave.
// - levelNotFound(...) when the level it drew cannot be played: no record of
//   that name is loaded, or the record holds nothing the game can play (its
//   reader refuses such levels, so this is the record of a damaged or missing
//   manifest). A game whose win test counts what is left to place, and so
//   finds nothing left, then ends the level as its win test says.
// - resetHintTimer(1) after a finished step or a cancelled drag,
//   resetHintTimer(2) while a step is under way or after a wrong move.
// - Its intro and outro chains on getSequenceObject(). The outro starts with
//   `if (outroStarted) return; outroStarted = true;` and ends by calling
//   endLevel(), as a rule through a SimpleFunctionTask behind a TimedTask.
//
// What the base does by itself: Enter() restarts the hint timer at level 1 and
// calls setupCursor(); Exit() puts back the default cursor; Destroy() silences
// effects and voice-over; "ButtonClick" from "HelpButton" opens the overlay,
// from "QuitButton" the in-game quit question, each once until the game is
// entered again (and not at all once endLevel has queued its change of
// screens); key presses go through the object database's routing (its
// focused object first, then its input handlers), not the scene's.
//
// Content: "GameScreenRoot"/"UI_attach" with the buttons "HelpButton" and
// "QuitButton" (node and object names) in the game's layout, which may use the
// shared image lists "Button_InGame_Help" and "Button_InGame_Quit"; the image
// "cursor_default" and the constant "DefaultCursorRegPt"; the hint voice-overs
// of the game label; the constant "RepeatedGameNumLoops".

#include <string>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"

class SceneNode;

// The title character's pose on the instruction overlay: the frame index of
// its sprite. The mini-games use 0 or 2.
enum IntroFennState
{
    kIntroFennState_Standing = 0,
    kIntroFennState_Pointing = 1,
    kIntroFennState_Waving = 2,
};

// What the child is told when the game's level cannot be played: "Difficulty
// Level Not Found for <modeClass>. Fix the problem and press F5 to reload".
std::wstring levelNotFoundMessage(char const* modeClass);

class QuarrydaleGameMode : public SceneApplicationMode
{
public:
    // The hint delays in seconds: level 1, and any higher level.
    static constexpr float kFirstHintDelay = 30.0f;
    static constexpr float kLaterHintDelay = 25.0f;

    QuarrydaleGameMode();
    ~QuarrydaleGameMode() override;

    void ReceiveMessage(Corvane::ObjectMessage const& message) override;
    Corvane::MessageResult OnKeyDown(int key) override;
    void Destroy() override;
    void Enter() override;
    void Exit() override;

    // Starts another loop of the same mini-game.
    virtual void refreshMode() = 0;
    // Sets the mini-game's mouse cursor.
    virtual void setupCursor() = 0;
    // Keeps the label and pose for hints and Help; pushes the overlay when
    // showInstructions is set; shows the Help and Quit buttons in every case.
    virtual void setupInstructionMode(Corvane::Label game, IntroFennState pose, bool showInstructions);

    void showUIButtons();
    // Tells the child that the level cannot be played (levelNotFoundMessage),
    // logs the level asked for (or the difficulty) and the manifest that should
    // hold it, and shows Help and Quit, with the game label and pose for them,
    // so that the child can always leave.
    void levelNotFound(char const* modeClass, Corvane::Label level, Corvane::Label game, IntroFennState pose);
    // Makes the node swallow mouse presses, releases and hovering over it and
    // over its hit-testable descendants while it is visible.
    void setupMouseInputEatingNode(SceneNode* node);
    void eatMouseInput() {}

    // Plays hint `level` of the game after 30 s (level 1) or 25 s (above),
    // then again at the same interval, until the next call.
    void resetHintTimer(int level);
    void playHint();

    // The level is won: a sticker, then the story's next step or free play.
    // Acts once per mode.
    void endLevel();

    // Where the game queues its intro and outro chains.
    Corvane::Object* getSequenceObject() const;
    Corvane::Object* getHintTimerObject() const;
    Corvane::ObjectID getSequenceObjectID() const { return sequenceObjectID; }
    Corvane::ObjectID getHintTimerObjectID() const { return hintTimerObjectID; }
    int getHintLevel() const { return hintLevel; }
    Corvane::Label getGameName() const { return gameName; }
    IntroFennState getIntroState() const { return introState; }
    bool isOutroStarted() const { return outroStarted; }

    // The loops still to play after this one for a game constructed with
    // `loops`: -1 (started from a menu or the story) takes
    // "RepeatedGameNumLoops" at the level manager's difficulty, a missing or
    // negative entry counting as 0; any other value is the previous loop's
    // count, so one fewer is left.
    static int loopsLeftAfterThisOne(int loops);
    // "cursor_hand" at "HandCursorRegPt", the cursor of most mini-games.
    static void setGameCursor();
    // Builds the game's layout under the scene root in this mode's database;
    // null, logged, when it is missing or broken.
    SceneNode* instantiateGameLayout(char const* layoutName);
    // The same for a game that cannot be played without its layout: where it
    // cannot be built the child is told "The <screen> screen could not be built
    // from its layout "<layout>". Fix the problem and press F5 to reload" and
    // taken to the main menu (or this screen is left without one); false then.
    bool instantiateGameLayoutOrLeave(char const* layoutName, char const* screen);

protected:
    // Once set, the outro and endLevel have started; never cleared.
    bool outroStarted;

private:
    int hintLevel;
    Corvane::ObjectID sequenceObjectID;
    Corvane::ObjectID hintTimerObjectID;
    Corvane::Label gameName;
    IntroFennState introState;
    // Help, Quit or the level's end has queued a change of screens; Help and
    // Quit do nothing until the game is entered again.
    bool overlayQueued;
    bool levelEnded;
};
