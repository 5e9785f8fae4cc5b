#ifndef CORVANE_EXTENSIONS_SCENEAPPLICATIONMODE_H
#define CORVANE_EXTENSIONS_SCENEAPPLICATIONMODE_H

// The application mode of every screen that shows a scene tree: it owns the root,
// updates and draws the tree each frame, and routes input to the node holding the
// mouse capture, the focused node, the tree, then the other input handlers.

#include "2DEngine/Source/Framework/ApplicationMode.h"

#include <functional>

class SceneNode;

class SceneApplicationMode : public Corvane::ApplicationMode
{
public:
    typedef std::function<Corvane::MessageResult(Corvane::IInputHandler*)> InputHandlerCall;

    SceneApplicationMode();
    ~SceneApplicationMode() override;

    Corvane::MessageResult OnKeyDown(int key) override;
    Corvane::MessageResult OnKeyUp(int key) override;
    Corvane::MessageResult OnMouseMove(int x, int y) override;
    Corvane::MessageResult OnMouseDown(Corvane::MouseButton button, int x, int y) override;
    Corvane::MessageResult OnMouseUp(Corvane::MouseButton button, int x, int y) override;
    void Update(float dt) override;
    void Draw() override;
    // Creates the root node in the mode's own database.
    void Setup() override;

    // Null until Setup, and once the database has destroyed it.
    SceneNode* GetRootNode() const;

    // The root of the context mode (else the top mode) when that is a scene mode.
    static SceneApplicationMode* GetCurSceneMode();
    static SceneNode* GetCurSceneRootNode();
    // The scene mode whose object database is the given one; null for any other.
    static SceneApplicationMode* FromDatabase(Corvane::ObjectDatabase const* database);

    // Nodes are held by ID: a destroyed holder simply stops receiving input.
    void SetMouseCapturingNode(SceneNode* node);
    SceneNode* GetMouseCapturingNode() const;
    void SetFocusedNode(SceneNode* node);
    SceneNode* GetFocusedNode() const;
    SceneNode* GetNodeUnderMouse() const;

    void OnNodeEnter(SceneNode* node);
    void OnNodeExit();

    // first gets the event before everyone else; with firstOnly nobody else does.
    Corvane::MessageResult RouteInputEvent(Corvane::ObjectID first, bool firstOnly, InputHandlerCall const& call);

private:
    SceneNode* FindNode(Corvane::ObjectID id) const;
    // The non-node input handlers of the database in database order, until one answers 1.
    Corvane::MessageResult RouteToOtherHandlers(InputHandlerCall const& call);

    Corvane::ObjectID mRootID;
    Corvane::ObjectID mCaptureID;
    Corvane::ObjectID mUnderMouseID;
    Corvane::ObjectID mFocusID;
};

#endif
