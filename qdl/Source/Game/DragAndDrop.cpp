#include "qdl/Source/Game/DragAndDrop.h"

#include <memory>

#include "Core/Source/Error.h"

using namespace Corvane;

namespace
{

template <class Container>
Container* findOrAddContainer(char const* name)
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (!database)
        return nullptr;
    if (Container* const found = dynamic_cast<Container*>(database->GetNamedObject(Label::GetUniqueString(name))))
        return found;
    std::unique_ptr<Container> container(new Container());
    try
    {
        database->AddObject(container.get());
    }
    catch (RuntimeError const&)
    {
        // A full database: drag and drop does nothing in this mode rather than stop the game.
        return nullptr;
    }
    return container.release();
}

} // namespace

Label DragContainer::GetName() const
{
    return Label();
}

void DragContainer::clearContainedObject(ObjectID id)
{
    if (containedObject == id)
        containedObject = kInvalidObjectID;
}

Label DragSourceContainer::GetName() const
{
    return Label::GetUniqueString("DRAG_SOURCE_CONTAINER");
}

DragSourceContainer* DragSourceContainer::GetInstance()
{
    return findOrAddContainer<DragSourceContainer>("DRAG_SOURCE_CONTAINER");
}

Label DragTargetContainer::GetName() const
{
    return Label::GetUniqueString("DRAG_TARGET_CONTAINER");
}

DragTargetContainer* DragTargetContainer::GetInstance()
{
    return findOrAddContainer<DragTargetContainer>("DRAG_TARGET_CONTAINER");
}

Object* DragAndDropInternal::containedLiveObject(DragContainer const* container)
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (!container || !database)
        return nullptr;
    return database->GetObject(container->containedObject);
}
