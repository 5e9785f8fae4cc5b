#ifndef CORVANE_FRAMEWORK_APPLICATIONMODE_H
#define CORVANE_FRAMEWORK_APPLICATIONMODE_H

// One screen or overlay on the main loop's mode stack. A mode is an object
// database: by default its input, update and draw go to the objects it owns.

#include <string>

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Platform.h"

namespace Corvane
{

class ApplicationMode : protected ObjectDatabase
{
public:
    ApplicationMode();
    ~ApplicationMode() override;

    void ReceiveMessage(ObjectMessage const& message) override;
    MessageResult OnKeyDown(int key) override;
    MessageResult OnKeyUp(int key) override;
    MessageResult OnMouseMove(int x, int y) override;
    MessageResult OnMouseDown(MouseButton button, int x, int y) override;
    MessageResult OnMouseUp(MouseButton button, int x, int y) override;
    MessageResult OnMouseWheel(float delta, int x, int y) override;
    MessageResult OnMouseLeave() override;
    MessageResult OnTextInput(std::wstring const& text) override;

    virtual void Update(float dt);
    virtual void Draw();
    // Once per mode lifetime, when the push that adds it is applied.
    virtual void Setup() {}
    // Once, when the pop that removes it is applied; the mode is deleted after.
    virtual void Destroy() {}
    // Enter and Exit bracket every applied batch of changes while the mode is the top.
    virtual void Enter() {}
    virtual void Exit() {}
    // An opaque mode hides every mode below it.
    virtual bool IsOpaque() const { return true; }
    // Drawn over the modes below, just before this mode draws: dims them to half
    // brightness when the graphics platform is hardware-accelerated.
    virtual void DrawBackground();
    virtual ObjectDatabase* GetObjectDatabase();

    // The mode whose object database is the given one, found on the mode stack;
    // null when no mode on the stack owns it.
    static ApplicationMode* FindModeOfDatabase(ObjectDatabase const* database);
};

namespace Internal
{
// Fills the screen with black at half alpha over what is drawn so far. Installed
// by the graphics subsystem; DrawBackground draws nothing while it is unset.
typedef void (*DimScreenHook)();
void SetDimScreenHook(DimScreenHook hook);
DimScreenHook GetDimScreenHook();
} // namespace Internal

} // namespace Corvane

#endif
