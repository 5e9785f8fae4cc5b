#pragma once

// The reader of "PlanAJobLevel" resources. A level carries attributes only:
// "imageList" (the base of its picture names), "difficulty" ("Easy", "Medium"
// or "Hard", exactly) and "numEmpty" (whole number from 1 to 5; a level
// without one is logged and not registered).
// The reader leaves the element's children to the manifest loop, which takes
// them as resources of their own where they are. The level is registered by
// difficulty.

#include "2DEngine/Source/Framework/Resource.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"

class PlanAJobLevelResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
};
