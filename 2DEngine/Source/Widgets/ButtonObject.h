#ifndef CORVANE_WIDGETS_BUTTONOBJECT_H
#define CORVANE_WIDGETS_BUTTONOBJECT_H

// The push button of widget layouts ("button"): up to five state images, or a
// three-slice frame per state, an optional centred caption, sounds, a pixel hit
// test and a key of its own that clicks it without the focus. A click
// broadcasts "ButtonClick".

#include <string>

#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Source/Widgets/PressableObject.h"

namespace Corvane
{

class IImageList;

class ButtonObject : public PressableObject, public ScaleComponent
{
public:
    explicit ButtonObject(Label name);
    ButtonObject(Label name, float layer);

    // Both size the button again (see UpdateSize).
    void SetText(std::wstring const& text) override;
    void SetImages(IImageList const* images) override;

    bool AlphaContains(int x, int y) const override;
    MessageResult OnKeyDown(int key) override;
    void Draw() override;

    // Broadcasts "ButtonClick"; no sound, whatever the enabled flag.
    void Click() override;

    bool HasFocusImages() const;
    // Six images or more: a three-slice frame per state.
    bool IsThreeSlice() const;
    // 3 disabled, 2 pressed, 1 hot, 4 focused with focus images, 1 focused without, 0.
    int GetImageIndex() const;

    bool IsScalable() const { return mScalable; }
    void SetScalable(bool scalable) { mScalable = scalable; }
    // 0 for none.
    int GetKeyCode() const { return mKeyCode; }
    void SetKeyCode(int keyCode) { mKeyCode = keyCode; }

private:
    // A frame keeps its width and takes image 0's height; single images give
    // their size; without images a font gives the caption's size.
    void UpdateSize();

    bool mScalable;
    int mKeyCode;
};

// "images", "sounds", "alphaSensitivity" (25), "keyCode" (a key name), "scalable".
class ButtonObjectFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const& attributes) const override;
};

} // namespace Corvane

#endif
