#include "CorvaneExtensions/Source/SpriteAnimation.h"

#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/ContentNumbers.h"

#include <boost/lexical_cast.hpp>

#include <climits>
#include <cstdlib>
#include <memory>

using namespace Corvane;

AnimationParseError::AnimationParseError(std::string const& message) : std::runtime_error(message), mMessage(message)
{
    rebuild();
}

void AnimationParseError::setSpriteTypeName(std::string const& name)
{
    mSpriteTypeName = name;
    rebuild();
}

void AnimationParseError::setSpriteAnimationListName(std::string const& name)
{
    mSpriteAnimationListName = name;
    rebuild();
}

void AnimationParseError::setAnimName(std::string const& name)
{
    mAnimName = name;
    rebuild();
}

void AnimationParseError::rebuild()
{
    mText.clear();
    if (!mSpriteTypeName.empty())
        mText += "in SpriteType \"" + mSpriteTypeName + "\": ";
    else if (!mSpriteAnimationListName.empty())
        mText += "in SpriteAnimationList \"" + mSpriteAnimationListName + "\": ";
    if (!mAnimName.empty())
        mText += "in animation \"" + mAnimName + "\": ";
    mText += mMessage.empty() ? std::string("(unspecified error)") : mMessage;
}

namespace
{

struct sFrameToken
{
    enum Kind
    {
        kNumber,
        kComma,
        kDash,
        kEnd
    };

    Kind kind;
    std::string text;
    int line;
    int pos;
};

std::string Position(int line, int pos)
{
    return "(line " + std::to_string(line) + ", pos " + std::to_string(pos) + ")";
}

std::vector<sFrameToken> TokenizeFrameList(std::string const& text)
{
    std::vector<sFrameToken> tokens;
    int line = 1;
    int column = 1;
    std::size_t i = 0;
    while (i < text.size())
    {
        char const c = text[i];
        if (c == ',' || c == '-')
        {
            tokens.push_back(sFrameToken{c == ',' ? sFrameToken::kComma : sFrameToken::kDash, std::string(1, c),
                                         line, column});
            ++column;
            ++i;
        }
        else if (c >= '0' && c <= '9')
        {
            std::size_t const start = i;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            {
                ++i;
                ++column;
            }
            // A number is placed at the column just after its last digit.
            tokens.push_back(sFrameToken{sFrameToken::kNumber, text.substr(start, i - start), line, column});
        }
        else if (c == ' ' || c == '\t')
        {
            ++column;
            ++i;
        }
        else if (c == '\n')
        {
            ++line;
            column = 1;
            ++i;
        }
        else
        {
            throw AnimationParseError("unrecognized token '" + std::string(1, c) + "' " + Position(line, column));
        }
    }
    tokens.push_back(sFrameToken{sFrameToken::kEnd, "<end of list>", line, column});
    return tokens;
}

std::string IllegalToken(sFrameToken const& token)
{
    return "illegal token '" + token.text + "' " + Position(token.line, token.pos) + ". ";
}

int ToInteger(sFrameToken const& token)
{
    return boost::lexical_cast<int>(token.text);
}

void AppendFrames(std::vector<int>* frames, int first, int last, sFrameToken const& at)
{
    long long const count = std::llabs(static_cast<long long>(last) - static_cast<long long>(first)) + 1;
    if (static_cast<long long>(frames->size()) + count > static_cast<long long>(kMaxFrameListFrames))
    {
        throw AnimationParseError("frame list longer than " + std::to_string(kMaxFrameListFrames) + " frames " +
                                  Position(at.line, at.pos));
    }
    int const step = first <= last ? 1 : -1;
    for (int frame = first;; frame += step)
    {
        frames->push_back(frame);
        if (frame == last)
            break;
    }
}

} // namespace

std::vector<int> ParseFrameList(std::string const& text)
{
    std::vector<sFrameToken> const tokens = TokenizeFrameList(text);
    std::vector<int> frames;
    std::size_t at = 0;
    if (tokens[at].kind == sFrameToken::kEnd)
        return frames;
    if (tokens[at].kind != sFrameToken::kNumber)
        throw AnimationParseError(IllegalToken(tokens[at]));
    for (;;)
    {
        if (tokens[at].kind != sFrameToken::kNumber)
            throw AnimationParseError(IllegalToken(tokens[at]) + "(Expected an integer).");
        int const first = ToInteger(tokens[at]);
        sFrameToken const& firstToken = tokens[at];
        ++at;
        if (tokens[at].kind == sFrameToken::kDash)
        {
            ++at;
            if (tokens[at].kind != sFrameToken::kNumber)
                throw AnimationParseError(IllegalToken(tokens[at]) + "(Expected an integer).");
            int const last = ToInteger(tokens[at]);
            AppendFrames(&frames, first, last, tokens[at]);
            ++at;
        }
        else
        {
            AppendFrames(&frames, first, first, firstToken);
        }
        if (tokens[at].kind == sFrameToken::kEnd)
            break;
        if (tokens[at].kind != sFrameToken::kComma)
            throw AnimationParseError(IllegalToken(tokens[at]) + "(Expected ',').");
        ++at;
    }
    return frames;
}

namespace SpriteAnimationReading
{

Label ReadLabel(IAttributeContainer const& attributes, wchar_t const* name)
{
    std::wstring const text = attributes.GetAttribute(std::wstring(name));
    if (text.empty())
        return Label();
    return Label::FromString(TruncateStringWideToASCII(text));
}

void ReadAnimations(IXMLReader& reader, std::function<void(SpriteAnimation const&)> const& add)
{
    // The manifest element itself.
    reader.ReadElement();
    while (!reader.IsEOF())
    {
        XMLElement* element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        XMLElementReader content(&reader);
        if (element->name == L"animation")
        {
            SpriteAnimation const animation(*element, content);
            add(animation);
        }
        else
        {
            // The first read yields the element itself; the rest is its content.
            content.ReadElement();
            while (!content.IsEOF())
                content.ReadElement();
        }
    }
}

} // namespace SpriteAnimationReading

SpriteAnimation::SpriteAnimation()
    : mFrames(1, AnimFrame(0, 1.0f)), mNumPlays(1), mPingPong(false), mResolvedLink(nullptr)
{
}

SpriteAnimation::SpriteAnimation(Label name, int numPlays, bool pingPong, Label linkedAnimation)
    : mName(name),
      mFrames(1, AnimFrame(0, 1.0f)),
      mNumPlays(numPlays),
      mPingPong(pingPong),
      mLinkedAnimation(linkedAnimation),
      mResolvedLink(nullptr)
{
}

SpriteAnimation::SpriteAnimation(IAttributeContainer const& attributes, IXMLReader& reader)
    : mFrames(1, AnimFrame(0, 1.0f)), mNumPlays(1), mPingPong(false), mResolvedLink(nullptr)
{
    using SpriteAnimationReading::ReadLabel;

    // Every attribute is taken before the reader moves on: the attributes may be the
    // reader's own current element.
    mName = ReadLabel(attributes, L"name");
    mLinkedAnimation = ReadLabel(attributes, L"linkedAnimation");
    if (attributes.HasAttribute(L"numPlays"))
    {
        int const plays = attributes.GetAttribute(L"numPlays", 1);
        mNumPlays = plays == 0 ? -1 : plays;
    }
    else
    {
        int const loops = attributes.GetAttribute(L"numLoops", 0);
        mNumPlays = loops < 0 ? 1 : (loops == INT_MAX ? INT_MAX : loops + 1);
    }
    mPingPong = attributes.GetAttribute(L"pingPong", false);

    bool const hasDuration = attributes.HasAttribute(L"duration");
    bool const hasFPS = attributes.HasAttribute(L"fps");
    bool const fromText = hasDuration || hasFPS || attributes.HasAttribute(L"frameList");
    std::string const frameList = TruncateStringWideToASCII(attributes.GetAttribute(std::wstring(L"frameList")));
    // A frame that lasts forever stops a sprite that something waits on; one that lasts next to
    // nothing makes a looping sprite step through millions of frames per update.
    ContentReadScope const place(reader.GetFileName(), L"animation " + ConvertStringUTF8ToWide(mName.GetString()));
    float const duration = ReadNumber(attributes, L"duration", 1.0f, NumberRanges::kTime);
    float const fps = ReadNumber(attributes, L"fps", 1.0f, NumberRanges::kFrameRate);

    AnimFrameList frames;
    // The animation element itself, then its content.
    reader.ReadElement();
    while (!reader.IsEOF())
    {
        XMLElement* element = reader.ReadElement();
        if (fromText || !element || element->kind != XMLElement::kStartElement || element->name != L"frame")
            continue;
        float const frameDuration = ReadNumber(*element, L"duration", 1.0f, NumberRanges::kTime);
        frames.push_back(AnimFrame(element->GetAttribute(L"index", 0), frameDuration));
    }

    // Blank frame-list text, like no "frame" element, leaves the sprite standing on frame 0.
    bool const noFrames =
        fromText ? frameList.find_first_not_of(" \t\n") == std::string::npos : frames.empty();
    try
    {
        if (!fromText)
            SetFrameList(frames);
        else if (hasDuration)
            SetFrameListString(frameList, duration, true);
        else
            SetFrameListString(frameList, fps, false);
    }
    catch (AnimationParseError& error)
    {
        if (!mName.IsNull())
            error.setAnimName(mName.GetString());
        throw;
    }
    if (noFrames)
        ReportContentFault("it has no frames, so its sprite stands still on frame 0.");
}

SpriteAnimation::SpriteAnimation(SpriteAnimation const& other)
    : mName(other.mName),
      mFrames(other.mFrames),
      mNumPlays(other.mNumPlays),
      mPingPong(other.mPingPong),
      mLinkedAnimation(other.mLinkedAnimation),
      mResolvedLink(nullptr)
{
}

SpriteAnimation& SpriteAnimation::operator=(SpriteAnimation const& other)
{
    if (this != &other)
    {
        mName = other.mName;
        mFrames = other.mFrames;
        mNumPlays = other.mNumPlays;
        mPingPong = other.mPingPong;
        mLinkedAnimation = other.mLinkedAnimation;
        mResolvedLink = nullptr;
    }
    return *this;
}

void SpriteAnimation::SetFrameList(AnimFrameList const& frames)
{
    if (frames.empty())
    {
        mFrames.assign(1, AnimFrame(0, 1.0f));
        return;
    }
    mFrames = frames;
    for (AnimFrame& frame : mFrames)
    {
        if (!(frame.duration > 0.0f))
            frame.duration = 1.0f;
    }
}

void SpriteAnimation::SetFrameListString(std::string const& text, float value, bool valueIsDuration)
{
    std::vector<int> const indices = ParseFrameList(text);
    if (!(value > 0.0f))
        value = 1.0f;
    float const duration =
        valueIsDuration ? value / static_cast<float>(indices.empty() ? 1 : indices.size()) : 1.0f / value;
    AnimFrameList frames;
    frames.reserve(indices.size());
    for (int index : indices)
        frames.push_back(AnimFrame(index, duration));
    SetFrameList(frames);
}

void SpriteAnimationList::AddAnimation(SpriteAnimation const& animation)
{
    mAnimations[animation.GetName()] = animation;
}

SpriteAnimation const* SpriteAnimationList::GetAnimation(Label name) const
{
    SpriteAnimationMap::const_iterator found = mAnimations.find(name);
    return found == mAnimations.end() ? nullptr : &found->second;
}

IResourceDescriptor* SpriteAnimationListResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                                        IAttributeContainer const& attributes,
                                                                        IXMLReader& reader) const
{
    std::string const listName = TruncateStringWideToASCII(attributes.GetAttribute(std::wstring(L"name")));
    std::unique_ptr<ResourceWrapper<SpriteAnimationList> > list(
        new ResourceWrapper<SpriteAnimationList>(manifest, name, attributes));
    SpriteAnimationList* const animations = list.get();
    try
    {
        SpriteAnimationReading::ReadAnimations(
            reader, [animations](SpriteAnimation const& animation) { animations->AddAnimation(animation); });
    }
    catch (AnimationParseError& error)
    {
        error.setSpriteAnimationListName(listName);
        throw;
    }
    return list.release();
}
