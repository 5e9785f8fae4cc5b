#ifndef CORVANE_EXTENSIONS_SCENELAYOUTCONTROLLER_H
#define CORVANE_EXTENSIONS_SCENELAYOUTCONTROLLER_H

// The logic object behind one piece of scene: it owns a node subtree, lives in the
// same object database, and is destroyed together with it, whichever goes first.

#include "2DEngine/Source/Framework/Object.h"

#include <boost/signals2/signal.hpp>

namespace Corvane
{
class ObjectDatabase;
}

class SceneNode;

class SceneLayoutController : public virtual Corvane::Object
{
public:
    typedef boost::signals2::signal<void(SceneLayoutController*)> ControllerSignal;

    SceneLayoutController();
    ~SceneLayoutController() override;

    // The subtree to control, typically freshly instantiated from a layout.
    virtual SceneNode* GetLayoutNode() = 0;
    // Reacts to the database's remove message: destroys the node too.
    void ReceiveMessage(Corvane::ObjectMessage const& message) override;
    virtual void ControllerDestroyed() {}
    virtual void AddedToScene() {}

    // Adds the controller, then its subtree (children first), to the database and
    // attaches the subtree to the parent when there is one.
    void AddToScene(Corvane::ObjectDatabase* database, SceneNode* parent);
    // The same in the current object database.
    void AddToCurScene(SceneNode* parent);

    // Null before AddToScene and once either side is destroyed.
    SceneNode* getLayoutNode() const { return layoutNode; }
    // Called by the node when it is destroyed first.
    void clearLayoutNode() { layoutNode = nullptr; }

    ControllerSignal destroyedSignal;

protected:
    SceneNode* layoutNode;
};

#endif
