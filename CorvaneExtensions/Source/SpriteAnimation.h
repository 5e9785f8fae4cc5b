#ifndef CORVANE_EXTENSIONS_SPRITEANIMATION_H
#define CORVANE_EXTENSIONS_SPRITEANIMATION_H

// Named sprite animations: frames of an image list with their durations, a play
// count, ping-pong and a linked animation that follows. Read from "animation"
// elements inside a sprite type or a shared "spriteanimationlist" resource.

#include "2DEngine/Source/Framework/Resource.h"
#include "Core/Source/Label.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace Corvane
{
class IXMLReader;
}

struct AnimFrame
{
    AnimFrame() : index(0), duration(1.0f) {}
    AnimFrame(int index_, float duration_) : index(index_), duration(duration_) {}

    // Image index in the sprite's image list.
    int index;
    // Seconds.
    float duration;
};

typedef std::vector<AnimFrame> AnimFrameList;

// A content error in an animation; its text names the sprite type or animation list
// and the animation once the readers above have added them.
class AnimationParseError : public std::runtime_error
{
public:
    explicit AnimationParseError(std::string const& message);

    void setSpriteTypeName(std::string const& name);
    void setSpriteAnimationListName(std::string const& name);
    void setAnimName(std::string const& name);

    std::string const& getSpriteTypeName() const { return mSpriteTypeName; }
    std::string const& getSpriteAnimationListName() const { return mSpriteAnimationListName; }
    std::string const& getAnimName() const { return mAnimName; }
    std::string const& getMessage() const { return mMessage; }

    char const* what() const noexcept override { return mText.c_str(); }

private:
    void rebuild();

    std::string mSpriteTypeName;
    std::string mSpriteAnimationListName;
    std::string mAnimName;
    std::string mMessage;
    std::string mText;
};

// The frame indices of a frame-list text: comma-separated integers and ranges A-B
// (inclusive, stepping down when A > B); blanks and tabs are skipped and a line feed
// starts a new line. Throws AnimationParseError naming the offending token, and
// boost::bad_lexical_cast for a number beyond the int range.
std::vector<int> ParseFrameList(std::string const& text);

// The most frames one frame list may produce; a longer list is a content error
// rather than a request for gigabytes of frames.
const std::size_t kMaxFrameListFrames = 65536;

class SpriteAnimation
{
public:
    // No name, the single frame {0, 1 s}, one play.
    SpriteAnimation();
    SpriteAnimation(Corvane::Label name, int numPlays, bool pingPong, Corvane::Label linkedAnimation);
    // Reads one "animation" element: the attributes are the element's, and the reader is
    // confined to it (its first read yields the element itself). Parse errors carry the
    // animation's name.
    SpriteAnimation(Corvane::IAttributeContainer const& attributes, Corvane::IXMLReader& reader);

    // The resolved link is not copied: it points into the container of the original and
    // is resolved again by whoever holds the copy.
    SpriteAnimation(SpriteAnimation const& other);
    SpriteAnimation& operator=(SpriteAnimation const& other);

    // An empty list becomes the single frame {0, 1 s}; a duration that is not greater
    // than 0 counts as 1 s, so that time always moves the animation on.
    void SetFrameList(AnimFrameList const& frames);
    // Frames from a frame-list text, all of one duration: value divided by the number of
    // frames when it is the total duration, else one over value (frames per second).
    void SetFrameListString(std::string const& text, float value, bool valueIsDuration);

    Corvane::Label GetName() const { return mName; }
    AnimFrameList const& GetFrames() const { return mFrames; }
    int GetNumFrames() const { return static_cast<int>(mFrames.size()); }
    AnimFrame const& GetFrame(int position) const { return mFrames[position]; }
    // -1 plays for ever.
    int GetNumPlays() const { return mNumPlays; }
    bool IsPingPong() const { return mPingPong; }
    Corvane::Label GetLinkedAnimationName() const { return mLinkedAnimation; }
    SpriteAnimation const* GetLinkedAnimation() const { return mResolvedLink; }
    void SetLinkedAnimation(SpriteAnimation const* animation) { mResolvedLink = animation; }

private:
    Corvane::Label mName;
    AnimFrameList mFrames;
    int mNumPlays;
    bool mPingPong;
    Corvane::Label mLinkedAnimation;
    SpriteAnimation const* mResolvedLink;
};

typedef std::map<Corvane::Label, SpriteAnimation> SpriteAnimationMap;

// The "spriteanimationlist" resource: animations shared by several sprite types.
class SpriteAnimationList
{
public:
    // Replaces an animation of the same name.
    void AddAnimation(SpriteAnimation const& animation);
    SpriteAnimation const* GetAnimation(Corvane::Label name) const;
    SpriteAnimationMap const& GetAnimations() const { return mAnimations; }

private:
    SpriteAnimationMap mAnimations;
};

// Reads a "spriteanimationlist" manifest element and its "animation" elements.
class SpriteAnimationListResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
};

namespace SpriteAnimationReading
{
// Reads every "animation" element of a manifest element's reader (whose first read
// yields the manifest element itself) and hands each to add, in document order; other
// elements are skipped with their content.
void ReadAnimations(Corvane::IXMLReader& reader, std::function<void(SpriteAnimation const&)> const& add);
// The attribute as a label; absent or empty gives the null label.
Corvane::Label ReadLabel(Corvane::IAttributeContainer const& attributes, wchar_t const* name);
} // namespace SpriteAnimationReading

#endif
