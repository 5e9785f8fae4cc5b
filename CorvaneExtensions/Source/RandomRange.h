#ifndef CORVANE_EXTENSIONS_RANDOMRANGE_H
#define CORVANE_EXTENSIONS_RANDOMRANGE_H

// The "randomrange" resource: a named minimum and maximum from a manifest.

#include "2DEngine/Source/Framework/Resource.h"

// The two are never compared: a range may be given upside down.
struct RandomRange
{
    RandomRange() : min(0.0f), max(0.0f) {}
    RandomRange(float min_, float max_) : min(min_), max(max_) {}

    float min;
    float max;
};

// "min" and "max" (float, 0 when absent); the element's content is not read.
class RandomRangeResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
};

#endif
