#pragma once

// Reads a "LevelProg" manifest element into a LevelProgressionData: one entry
// per "Level" (gameType, optional levelID), "Cutscene" (cutsceneID) or "Video"
// (videoID) element, in document order; other elements add nothing, though
// steps nested in them are read.

#include "2DEngine/Source/Framework/Resource.h"

class LevelProgressionResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
};
