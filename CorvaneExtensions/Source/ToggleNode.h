#ifndef CORVANE_EXTENSIONS_TOGGLENODE_H
#define CORVANE_EXTENSIONS_TOGGLENODE_H

// What the check box and the radio button of the scene graph share: the
// checked state, the images (more than ten: a three-slice frame per state)
// that size the node, the sounds, and the pointer and key handling that lights
// the toggle up, captures a press and clicks on the release.

#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/TextComponent.h"

#include "2DEngine/Source/Framework/Roles.h"

#include <string>

namespace Corvane
{
class Font;
class IImageList;
class SoundList;
}

class ToggleNode : public SceneNode,
                   public TextComponent,
                   public Corvane::FontComponent,
                   public Corvane::EnableComponent
{
public:
    // A null text is the empty caption.
    ToggleNode(Corvane::Label name, Corvane::IImageList const* images, float width, wchar_t const* text,
               Corvane::Font const* font);

    // Enter, Space or the game pad's A click the focused toggle.
    Corvane::MessageResult OnKeyDown(int key) override;
    // The box by its pixels.
    bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const override;

    void SetText(std::wstring const& text) override;
    void SetFont(Corvane::Font const* font) override;

    // What a click, a key or code does to the toggle.
    virtual void Click() = 0;
    bool IsChecked() const { return mChecked; }

    Corvane::IImageList const* GetImages() const { return mImages; }
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    // Not owned; null plays nothing.
    void SetSoundList(Corvane::SoundList const* sounds) { mSounds = sounds; }
    Corvane::SoundList const* GetSoundList() const { return mSounds; }
    bool IsHot() const { return mHot; }
    bool IsThreeSlice() const;

protected:
    // Sizes the node to its images; without images it is 0 x 0, so a layout
    // naming a missing list shows nothing.
    virtual void UpdateBounds();

    bool mChecked;
    bool mHot;
    Corvane::IImageList const* mImages;
    float mWidth;
    int mAlphaSensitivity;
    Corvane::SoundList const* mSounds;

private:
    void HandleMouseDown();
    void HandleMouseUp();
    void HandleMouseEnter();
    void HandleMouseExit();
};

#endif
