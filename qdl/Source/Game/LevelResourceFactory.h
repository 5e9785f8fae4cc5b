#pragma once

// What every mini-game's level reader does: wraps the game's level record,
// lets the game read its own elements, and registers the level with the level
// manager under the game and the difficulty named by the element's
// "difficulty" attribute ("Easy", "Medium" or "Hard", exactly; any other text
// registers nothing). A record read again under the same name (a manifest
// loaded again, a name written twice) replaces the earlier one, so the level
// is listed only where the latest record says.

#include <memory>

#include "Core/Source/Log.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"

template <class T, GameModeType kType>
class LevelResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override
    {
        std::unique_ptr<Corvane::ResourceWrapper<T> > level(
            new Corvane::ResourceWrapper<T>(manifest, name, attributes));
        // The level element itself; the confined reader reports its end until this first read.
        reader.ReadElement();
        readLevel(*level, attributes, reader);
        // Read to the element's end, so nothing inside it is taken for a resource of its own.
        while (!reader.IsEOF())
            reader.ReadElement();
        int const difficulty = lookUpName(attributes.GetAttribute(L"difficulty"), kGameModeDifficultyNames);
        GetLevelManager()->removeLevelForGameModeType(kType, name);
        // -1 is no value of GameModeDifficulty (converting it is undefined), so such a level stops here.
        if (difficulty < 0)
        {
            Corvane::Internal::LogWrite("Level %s has no difficulty of Easy, Medium or Hard and is not used\n",
                                        name.GetString());
            return level.release();
        }
        if (isPlayable(*level, name))
            GetLevelManager()->addLevelForGameModeType(kType, name, static_cast<GameModeDifficulty>(difficulty));
        return level.release();
    }

protected:
    // The game's own fields: the attributes are the level element's, and the
    // reader yields the element's content.
    virtual void readLevel(T& /*level*/, Corvane::IAttributeContainer const& /*attributes*/,
                           Corvane::IXMLReader& /*reader*/) const
    {
    }

    // Whether the level as read can be played. One that cannot is still made
    // (the manifest loads) but never registered, so no game draws it; the
    // game logs why.
    virtual bool isPlayable(T const& /*level*/, Corvane::Label /*name*/) const { return true; }
};
