#ifndef CORVANE_EXTENSIONS_BUTTONNODE_H
#define CORVANE_EXTENSIONS_BUTTONNODE_H

// The push button of the scene graph: state images (one per state, or a
// three-slice frame per state), an optional centred caption, the sounds "Hot",
// "Down" and "Release", and on a click the object message "ButtonClick" and its
// click signal. Made from the "buttonnode" layout tag.

#include "CorvaneExtensions/Source/ControlNodeSupport.h"
#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/TextComponent.h"

#include "2DEngine/Source/Framework/Roles.h"

#include <boost/signals2/signal.hpp>

#include <cstdint>
#include <string>

namespace Corvane
{
class Font;
class IImageList;
class SoundList;
}

class ButtonNode : public SceneNode,
                   public TextComponent,
                   public Corvane::EnableComponent,
                   public Corvane::FontComponent
{
public:
    typedef boost::signals2::signal<void(ButtonNode*)> ClickSignal;

    // A null text is the empty caption. The button takes part in hit tests.
    ButtonNode(Corvane::Label name, Corvane::IImageList const* images, float width, wchar_t const* text,
               Corvane::Font const* font, Corvane::ColorF const& color);

    Corvane::MessageResult OnKeyDown(int key) override;
    bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const override;
    void DrawAt(Corvane::Vector2<float> const& offset) override;

    // Both resize the button at once.
    void SetText(std::wstring const& text) override;
    void SetFont(Corvane::Font const* font) override;
    // Screens swap a button's images at run time; the width is the frame's for
    // lists of six images or more.
    void SetImages(Corvane::IImageList const* images, float width);
    Corvane::IImageList const* GetImages() const { return mImages; }
    float GetFrameWidth() const { return mWidth; }

    // Sends "ButtonClick", then fires the click signal. Code may click a button itself.
    void Click();

    // The extra activation key, with or without the focus; 0 for none.
    void SetKeyCode(std::uint16_t keyCode) { mKeyCode = keyCode; }
    std::uint16_t GetKeyCode() const { return mKeyCode; }
    // 0 makes the whole rectangle clickable.
    void SetAlphaSensitivity(int sensitivity) { mAlphaSensitivity = sensitivity; }
    int GetAlphaSensitivity() const { return mAlphaSensitivity; }
    // Not owned; null plays nothing.
    void SetSoundList(Corvane::SoundList const* sounds) { mSounds = sounds; }
    Corvane::SoundList const* GetSoundList() const { return mSounds; }
    bool IsHot() const { return mHot; }

    // The state image: 0 normal, 1 hot, 2 pressed, 3 disabled, 4 focused; the first
    // image of the state's frame is three times it.
    int GetImageIndex() const;
    bool HasFocusImages() const;
    bool IsThreeSlice() const;

    ClickSignal clickSignal;

private:
    void UpdateBounds();
    void HandleMouseDown();
    void HandleMouseUp();
    void HandleCapturedMouseUp();
    void HandleMouseEnter();
    void HandleMouseExit();

    std::uint16_t mKeyCode;
    Corvane::IImageList const* mImages;
    int mAlphaSensitivity;
    Corvane::SoundList const* mSounds;
    float mWidth;
    bool mHot;
};

class ButtonNodeDescriptor : public ControlNodes::ControlNodeDescriptor
{
public:
    ButtonNodeDescriptor() : keyCode(0) {}

    std::uint16_t keyCode;
};

// "buttonnode": "images", "width" (0), "text", "textResource", "font", "keyCode"
// (a key name or one character), "alphaSensitivity" (25), "sounds".
class ButtonNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
