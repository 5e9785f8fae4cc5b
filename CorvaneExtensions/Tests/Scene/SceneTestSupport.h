#ifndef CORVANE_TESTS_SCENE_SCENETESTSUPPORT_H
#define CORVANE_TESTS_SCENE_SCENETESTSUPPORT_H

// Helpers shared by the scene graph tests: a journal of what nodes hear, a scene
// mode set up as the context mode, a canvas that records image calls, and layouts
// read from text.

#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"

#include <memory>
#include <string>
#include <vector>

namespace SceneTesting
{

inline std::vector<std::string>& Journal()
{
    static std::vector<std::string> journal;
    return journal;
}

inline Corvane::Label L8(char const* text)
{
    return Corvane::Label::GetUniqueString(text);
}

// Reads the first element of the text as a manifest element, as the resource
// manager hands it to the "scenelayout" factory; what the factory makes of it.
inline Corvane::IResourceDescriptor* ReadLayoutElement(std::wstring const& text, std::wstring const& manifest,
                                                       Corvane::Label name)
{
    Corvane::MemoryStream stream(manifest + L".xml");
    std::string const bytes = Corvane::ConvertStringWideToUTF8String(text);
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(Corvane::kSeekBegin, 0);
    std::unique_ptr<Corvane::IXMLReader> reader(Corvane::CreateXMLReader(&stream));
    Corvane::XMLElement* element = reader->ReadElement();
    while (element->kind != Corvane::XMLElement::kStartElement)
        element = reader->ReadElement();
    Corvane::XMLElement const manifestElement = *element;
    Corvane::XMLElementReader confined(reader.get());
    SceneLayoutResourceFactory factory;
    return factory.CreateResource(manifest, name, manifestElement, confined);
}

// A node that notes its mouse moves, enter and exit in the journal under a tag and
// answers mouse moves with a chosen result.
class TaggedNode : public SceneNode
{
public:
    explicit TaggedNode(std::string tag, Corvane::Rect<float> const& bounds = Corvane::Rect<float>(0, 0, 0, 0))
        : mTag(std::move(tag)), moveAnswer(Corvane::kMessageNotHandled)
    {
        LocalSetLocation(bounds.x, bounds.y);
        SetWidth(bounds.width);
        SetHeight(bounds.height);
        SetHitTest(true);
    }
    ~TaggedNode() override { Journal().push_back(mTag + " deleted"); }

    Corvane::MessageResult OnMouseMove(int, int) override
    {
        Journal().push_back(mTag + " move");
        return moveAnswer;
    }
    void NodeDestroyed() override { Journal().push_back(mTag + " NodeDestroyed"); }

    std::string const& GetTag() const { return mTag; }

    // Connects the four mouse and the two key signals to journal entries.
    void ListenToEverything()
    {
        std::string const tag = mTag;
        mouseDownSignal.connect([tag](SceneNode*, Corvane::MouseButton b, int, int) {
            Journal().push_back(tag + " down " + std::to_string(b));
        });
        mouseUpSignal.connect([tag](SceneNode*, Corvane::MouseButton b, int, int) {
            Journal().push_back(tag + " up " + std::to_string(b));
        });
        capturedMouseDownSignal.connect([tag](SceneNode*, Corvane::MouseButton b, int, int) {
            Journal().push_back(tag + " captured down " + std::to_string(b));
        });
        capturedMouseUpSignal.connect([tag](SceneNode*, Corvane::MouseButton b, int, int) {
            Journal().push_back(tag + " captured up " + std::to_string(b));
        });
        keyDownSignal.connect([tag](SceneNode*, int key) { Journal().push_back(tag + " key " + std::to_string(key)); });
        keyUpSignal.connect([tag](SceneNode*, int key) { Journal().push_back(tag + " keyup " + std::to_string(key)); });
    }

    void ListenToEnterExit()
    {
        std::string const tag = mTag;
        mouseEnterSignal.connect([tag](SceneNode*) { Journal().push_back(tag + " enter"); });
        mouseExitSignal.connect([tag](SceneNode*) { Journal().push_back(tag + " exit"); });
    }

private:
    std::string mTag;

public:
    Corvane::MessageResult moveAnswer;
};

// Deletes a subtree that is in no database, deepest nodes first.
inline void DeleteUnregisteredSubtree(SceneNode* node)
{
    if (!node)
        return;
    std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
    for (SceneNode* child : children)
        DeleteUnregisteredSubtree(child);
    node->DetachFromParent();
    delete node;
}

struct SubtreeDeleter
{
    void operator()(SceneNode* node) const { DeleteUnregisteredSubtree(node); }
};

typedef std::unique_ptr<SceneNode, SubtreeDeleter> OwnedTree;

// A scene mode, set up, made the context mode for the fixture's lifetime.
class SceneModeFixture
{
public:
    SceneModeFixture() : mode(new SceneApplicationMode())
    {
        Journal().clear();
        Corvane::MainLoop::WithinContext(mode.get(), mSaver);
        mode->Setup();
    }
    ~SceneModeFixture()
    {
        mode.reset();
        Journal().clear();
    }

    SceneNode* Root() const { return mode->GetRootNode(); }
    Corvane::ObjectDatabase* Database() const { return mode->GetObjectDatabase(); }

    // Attaches the node under the parent (the root by default) and adds it to the mode.
    template <class T>
    T* Add(T* node, SceneNode* parent = nullptr)
    {
        (parent ? parent : Root())->AttachChild(node);
        node->AddToDatabase(Database());
        return node;
    }

private:
    // Declared first so that the context is restored after the mode is deleted.
    Corvane::MainLoop::AutoContext mSaver;

public:
    std::unique_ptr<SceneApplicationMode> mode;
};

// An image of a given size that is never uploaded.
class SizedImage : public Corvane::IImage
{
public:
    SizedImage(int width, int height) : mWidth(width), mHeight(height) {}
    int GetWidth() const override { return mWidth; }
    int GetHeight() const override { return mHeight; }
    Corvane::Color32 GetPixel(int, int) const override { return Corvane::Color32(0); }
    void SetTexture(Corvane::ITexture*) const override {}
    Corvane::ITexture* GetTexture() const override { return nullptr; }

private:
    int mWidth;
    int mHeight;
};

struct sQuadCall
{
    std::string kind;
    float x;
    float y;
    Corvane::Rect<int> dest;
    float radians;
    Corvane::Graphics::sDrawState state;
};

// Records the image calls that reach it; made current for its lifetime.
class QuadRecordingCanvas : public Corvane::Graphics::ICanvas, public Corvane::Graphics::IQuadDrawingCanvas
{
public:
    QuadRecordingCanvas() : mBounds(0, 0, 800, 600)
    {
        Corvane::Graphics::PushContext(Corvane::Graphics::Context(this, Corvane::Graphics::sDrawState::GetDefaults()));
    }
    ~QuadRecordingCanvas() override { Corvane::Graphics::PopContext(); }

    Corvane::Label GetKind() override { return L8("QuadRecordingCanvas"); }
    Corvane::Rect<int> const& GetBounds() override { return mBounds; }
    bool QueryInterface(Corvane::Label name, void** out) override
    {
        if (name == Corvane::Graphics::IQuadDrawingCanvas::InterfaceLabel())
        {
            *out = static_cast<Corvane::Graphics::IQuadDrawingCanvas*>(this);
            return true;
        }
        return false;
    }

    int DrawFilledRect(Corvane::Rect<int> const&, Corvane::Graphics::sDrawState const&) override { return 0; }
    int DrawFilledRect(Corvane::Rect<float> const&, Corvane::Graphics::sDrawState const&) override { return 0; }
    int DrawImage(Corvane::IImage const*, float x, float y, Corvane::Graphics::sDrawState const& state) override
    {
        calls.push_back(sQuadCall{"image", x, y, Corvane::Rect<int>(), 0.0f, state});
        return 0;
    }
    int DrawStretchedImage(Corvane::IImage const*, Corvane::Rect<int> const& dest,
                           Corvane::Graphics::sDrawState const& state) override
    {
        calls.push_back(sQuadCall{"stretched", 0.0f, 0.0f, dest, 0.0f, state});
        return 0;
    }
    int DrawRotatedImage(Corvane::IImage const*, float x, float y, Corvane::Angle angle,
                         Corvane::Graphics::sDrawState const& state) override
    {
        calls.push_back(sQuadCall{"rotated", x, y, Corvane::Rect<int>(), angle.GetRadians(), state});
        return 0;
    }
    int DrawStretchedRotatedImage(Corvane::IImage const*, Corvane::Rect<int> const&, Corvane::Angle,
                                  Corvane::Graphics::sDrawState const&) override
    {
        calls.push_back(sQuadCall{"stretched rotated", 0.0f, 0.0f, Corvane::Rect<int>(), 0.0f, sDrawStateDefaults()});
        return 0;
    }
    int DrawPrimitive(Corvane::PrimitiveKind, Corvane::IImage const*, int, Corvane::Graphics::sPrimitiveVertex const*,
                      Corvane::Graphics::sDrawState const&) override
    {
        return 0;
    }

    std::vector<sQuadCall> calls;

private:
    static Corvane::Graphics::sDrawState sDrawStateDefaults() { return Corvane::Graphics::sDrawState(); }

    Corvane::Rect<int> mBounds;
};

} // namespace SceneTesting

#endif
