#pragma once

// The mouse wiring of every mini-game element: tools and tool boxes, street
// signs and the sign truck, job cards and slots, puzzle pieces and slots,
// stickers and the sticker page. An element is a layout controller over its
// own instance of a scene layout, built with no parent; the mode adds it to
// its scene (AddToCurScene), and from then on the scene owns the layout.
//
// One node of the layout, the input node, carries the element's mouse: its
// down, up, enter and exit signals run the four handlers (the signals'
// arguments are dropped), and its hit-test flag switches the element's input
// on and off. The layout's own button mask decides which buttons press; the
// handlers never look at the button or the position. A mouse-up does nothing.
//
// How a concrete element is built, in its constructor:
//   1. the base builds the layout (a missing or broken layout is logged and
//      gives an empty root, so the game goes on without that element's looks);
//   2. the element's own set-up (pictures, level data);
//   3. finishWiring(): the signals are bound once and input is switched on.
// A second instance of the same layout (the copy that follows the mouse) is
// never wired, and its hit-test flags stay as the layout file has them; element
// layouts therefore leave their input nodes not hit-testable.
//
// Three kinds of behaviour are shared:
// - rollover: with a rollover path, an enter shows that node and plays
//   "SFX_ObjectRollover" (once per enter, with no condition); an exit hides it;
// - MiniGameDragSource: a press picks the element up (DragSource::Drag), and
//   while held its mouse-follow copy sits with its origin on the pointer;
// - MiniGameDropTarget: an enter makes it the current drop target, even with
//   nothing held; an exit clears that only when it is still this target.

#include <typeinfo>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/DragAndDrop.h"

class SceneNode;

namespace MiniGameElementInternal
{
// Logs that an element found a top mode of another class than it needs.
void reportWrongTopMode(char const* element, char const* wanted);
void followMouse(Corvane::ObjectID copy);
SceneNode* makeMouseFollowCopy(Corvane::Label layoutName, Corvane::ObjectID* copy);
void destroyMouseFollowCopy(Corvane::ObjectID* copy);
} // namespace MiniGameElementInternal

class MiniGameElement : public SceneLayoutController
{
public:
    ~MiniGameElement() override;

    SceneNode* GetLayoutNode() override { return layoutRoot; }

    // Binds the input node's mouse-up, mouse-down, mouse-enter and mouse-exit
    // signals, in that order, to the handlers. A second call would bind them
    // twice: finishWiring calls it once. A layout without the input node is
    // logged and left unwired.
    void setupMouseHandling();
    // The input node's hit-test flag; nothing else changes (visibility,
    // rollover, drag state). A layout without the input node changes nothing.
    void acceptMouseInput(bool accept);

    virtual void handleMouseDown() {}
    void handleMouseUp() {}
    // Rollover (when the element has a rollover path); otherwise nothing.
    virtual void handleMouseEnter();
    virtual void handleMouseExit();

    // The node at the path below the layout root; null when a step is missing.
    SceneNode* findLayoutNode(NodePathElement const* path) const;
    SceneNode* getInputNode() const { return findLayoutNode(inputPath); }
    Corvane::Label getLayoutName() const { return layoutName; }

    // The top mode of the main loop as the mode class the element works in;
    // null, logged, when the top mode is of another class.
    template <class Mode>
    static Mode* getTopModeAs(char const* element)
    {
        Corvane::ApplicationMode* const top = Corvane::MainLoop::GetTopMostMode(0);
        Mode* const mode = dynamic_cast<Mode*>(top);
        if (!mode)
            MiniGameElementInternal::reportWrongTopMode(element, typeid(Mode).name());
        return mode;
    }

    // A fresh instance of the named layout, built with no parent and added to
    // no database; an empty scene node, logged, when the layout is missing or
    // broken. The caller owns it.
    static SceneNode* instantiateElementLayout(Corvane::Label layoutName);

protected:
    // The paths are arrays that live as long as the program (file-level
    // constants of the element's unit); the rollover path may be null.
    MiniGameElement(char const* layoutName, NodePathElement const* inputPath,
                    NodePathElement const* rolloverPath = nullptr);

    // The last step of every wired element's constructor.
    void finishWiring();

    SceneNode* layoutRoot;

private:
    Corvane::Label layoutName;
    NodePathElement const* inputPath;
    NodePathElement const* rolloverPath;
};

// An element that can be picked up. Self is the concrete class, which passes
// itself as the carried item as the last step of its constructor
// (this->item = this) and makes and removes its mouse-follow copy in its drag
// hooks with makeMouseFollowCopy and destroyMouseFollowCopy.
template <class Self>
class MiniGameDragSource : public DragSource<Self*>, public MiniGameElement
{
public:
    ~MiniGameDragSource() override {}

    // A press picks the element up, with no condition.
    void handleMouseDown() override { DragSource<Self*>::Drag(); }

    // Drag-follow: the copy's origin on the last mouse position, every update;
    // nothing while there is no live copy.
    void Update(float) override { MiniGameElementInternal::followMouse(dragCopyID); }

    Corvane::ObjectID getDragCopyID() const { return dragCopyID; }

protected:
    MiniGameDragSource(char const* layoutName, NodePathElement const* inputPath,
                       NodePathElement const* rolloverPath = nullptr)
        : DragSource<Self*>(nullptr), MiniGameElement(layoutName, inputPath, rolloverPath),
          dragCopyID(Corvane::kInvalidObjectID)
    {
    }

    // A second instance of the element's layout in the current database, under
    // the effects layer (else the scene root), parked off screen at (-900, -900)
    // until the next update moves it to the mouse. Its ID is kept; null when
    // there is no scene.
    SceneNode* makeMouseFollowCopy() { return MiniGameElementInternal::makeMouseFollowCopy(getLayoutName(), &dragCopyID); }
    // Destroys the copy, if any is alive, and forgets it.
    void destroyMouseFollowCopy() { MiniGameElementInternal::destroyMouseFollowCopy(&dragCopyID); }

    Corvane::ObjectID dragCopyID;
};

// A place items of type Item* are put on: enter and exit keep the current
// drop target; the press (the judging of the held item) is the element's own.
template <class Item>
class MiniGameDropTarget : public DragTarget<Item*>, public MiniGameElement
{
public:
    ~MiniGameDropTarget() override {}

    void handleMouseEnter() override { DragTarget<Item*>::DragEnter(); }
    void handleMouseExit() override { DragTarget<Item*>::DragLeave(); }

protected:
    MiniGameDropTarget(char const* layoutName, NodePathElement const* inputPath)
        : MiniGameElement(layoutName, inputPath, nullptr)
    {
    }
};
