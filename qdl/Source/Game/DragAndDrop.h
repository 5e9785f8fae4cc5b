#pragma once

// Picking an item up and putting it on a target. Each application mode has at
// most one held source and one current target, kept by ObjectID in two named
// bookkeeping objects of the mode's object database; the templates only move
// IDs between those records and call the element's hooks. The elements decide,
// from their nodes' mouse signals, when to pick up, which target the mouse is
// over and whether a drop is right. Picking up and dropping are two clicks.
//
// T is a pointer to the concrete item class; an element derives first from
// DragSource<Self*> (or DragTarget<Item*>) and second from its layout
// controller, the two sharing one Corvane::Object.

#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "Core/Source/Label.h"

class DragContainer : public Corvane::Object
{
public:
    DragContainer() : containedObject(Corvane::kInvalidObjectID) {}
    ~DragContainer() override {}
    Corvane::Label GetName() const override;

    // Forgets the ID only when it is the one held, so that leaving a target
    // that another has already replaced changes nothing.
    void clearContainedObject(Corvane::ObjectID id);

    Corvane::ObjectID containedObject;
};

class DragSourceContainer : public DragContainer
{
public:
    ~DragSourceContainer() override {}
    Corvane::Label GetName() const override;

    // The one of the context mode, made and added on first use; null without a context mode.
    static DragSourceContainer* GetInstance();
};

class DragTargetContainer : public DragContainer
{
public:
    ~DragTargetContainer() override {}
    Corvane::Label GetName() const override;

    static DragTargetContainer* GetInstance();
};

namespace DragAndDropInternal
{
// The live object of the context database under the container's ID, or null.
Corvane::Object* containedLiveObject(DragContainer const* container);
} // namespace DragAndDropInternal

template <class T>
class DragSource : public virtual Corvane::Object
{
public:
    explicit DragSource(T item_) : item(item_) {}

    virtual void DoOnStartDragging() {}
    virtual void DoOnCancel() {}
    virtual void DoOnReleased() {}
    ~DragSource() override {}

    // Picks this source up; a source held before (this one too) is cancelled
    // after this one's start hook.
    void Drag()
    {
        DoOnStartDragging();
        if (DragSource* const held = GetHeldDragSource_Mutable())
            held->DoOnCancel();
        if (DragSourceContainer* const container = DragSourceContainer::GetInstance())
            container->containedObject = GetID();
    }

    // Drops this source on the current target, or cancels the drag when the
    // mouse is over none. Nothing when this source is not the one held.
    void Release();

    static DragSource const* GetHeldDragSource() { return GetHeldDragSource_Mutable(); }
    static DragSource* GetHeldDragSource_Mutable()
    {
        return dynamic_cast<DragSource*>(
            DragAndDropInternal::containedLiveObject(DragSourceContainer::GetInstance()));
    }

    T getItem() const { return item; }

protected:
    T item;
};

template <class T>
class DragTarget : public virtual Corvane::Object
{
public:
    virtual void DropActivated(T) {}
    ~DragTarget() override {}

    void DragEnter()
    {
        if (DragTargetContainer* const container = DragTargetContainer::GetInstance())
            container->containedObject = GetID();
    }
    void DragLeave()
    {
        if (DragTargetContainer* const container = DragTargetContainer::GetInstance())
            container->clearContainedObject(GetID());
    }

    static DragTarget* GetCurrentDragTarget()
    {
        return dynamic_cast<DragTarget*>(
            DragAndDropInternal::containedLiveObject(DragTargetContainer::GetInstance()));
    }
};

template <class T>
void DragSource<T>::Release()
{
    DragSourceContainer* const sources = DragSourceContainer::GetInstance();
    if (!DragAndDropInternal::containedLiveObject(sources) || sources->containedObject != GetID())
        return;
    // The target stays current after a drop, until the mouse leaves it.
    if (DragTarget<T>* const target = DragTarget<T>::GetCurrentDragTarget())
    {
        target->DropActivated(item);
        sources->clearContainedObject(GetID());
        DoOnReleased();
    }
    else
    {
        sources->clearContainedObject(GetID());
        DoOnCancel();
    }
}
