#ifndef CORVANE_FRAMEWORK_MAINLOOP_H
#define CORVANE_FRAMEWORK_MAINLOOP_H

// The engine's spine: Execute sets the engine up, runs the frame loop over the
// stack of application modes until a quit, and tears the engine down. Changes
// to the stack are queued and applied between frames, so that no mode is
// destroyed while one of its own callbacks runs. Main thread only.

#include <cstdint>
#include <utility>

// GetTimeUS, GetTimeMS, GetDoubleClickTime and GetCommandLine.
#include "2DEngine/Source/Framework/SystemServices.h"

namespace Corvane
{

class ApplicationMode;
class IInputEventSink;

// Asked before the program quits; false cancels the quit.
class IQuitHandler
{
public:
    virtual ~IQuitHandler() {}
    virtual bool AllowQuit() = 0;
};

enum ApplicationModeTransition : int32_t
{
    kApplicationModeTransition_Change = 0,
    kApplicationModeTransition_Push = 1,
    kApplicationModeTransition_UnwindTo = 2,
    kApplicationModeTransition_Pop = 3
};

struct ApplicationModeChange
{
    // Null for Pop.
    ApplicationMode* mode;
    ApplicationModeTransition transition;
};

namespace MainLoop
{

// Saves the context mode at construction and writes it back at destruction.
class AutoContext
{
public:
    AutoContext();
    ~AutoContext();
    AutoContext(AutoContext const&) = delete;
    AutoContext& operator=(AutoContext const&) = delete;

private:
    ApplicationMode* mSaved;
};

void Execute();

// Queue a change of the mode stack; it is applied between frames. The mode is a
// non-null heap object that the stack owns once the change is applied.
void ChangeMode(ApplicationMode* mode);
void PushMode(ApplicationMode* mode);
void PopMode();
void UnwindToMode(ApplicationMode* mode);
// Whether changes are queued that the loop has not applied yet.
bool IsModeChangePending();

// The mode that many places below the top (0 is the top); null past the bottom
// and for a negative depth.
ApplicationMode* GetTopMostMode(int depth = 0);
// The context mode if one is set, else the top mode, else null.
ApplicationMode* GetContextMode();
// Makes mode the context mode; the AutoContext restores the previous one.
void WithinContext(ApplicationMode* mode, AutoContext const& saver);

// Ends the loop at its next pass without asking anyone.
void Exit();
// Asks the quit handlers in order; one refusal cancels the quit.
void RequestQuit();
void AddQuitHandler(IQuitHandler* handler);
// Removes every occurrence of the handler.
void RemoveQuitHandler(IQuitHandler* handler);

// (-50, -50) when no position is known.
std::pair<int, int> GetLastMousePos();

namespace Internal
{
// The loop as the receiver of platform input.
IInputEventSink* GetInputEventSink();
// Draws the mode stack again as the loop draws a frame, with no update: a
// test draws one state twice to compare two ways of drawing it.
void DrawFrame();
} // namespace Internal

} // namespace MainLoop
} // namespace Corvane

#endif
