#include "CorvaneExtensions/Source/RandomRange.h"

#include "2DEngine/Source/Framework/Constant.h"

using namespace Corvane;

IResourceDescriptor* RandomRangeResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                                IAttributeContainer const& attributes,
                                                                IXMLReader& reader) const
{
    ContentReadScope const place(Internal::ContentFileName(manifest, reader),
                                 ConvertStringUTF8ToWide(name.GetString()));
    Internal::ValueWrapper<RandomRange>* range = new Internal::ValueWrapper<RandomRange>(manifest, name, attributes);
    range->value.max = ReadNumber(attributes, L"max", 0.0f, NumberRanges::kFinite);
    range->value.min = ReadNumber(attributes, L"min", 0.0f, NumberRanges::kFinite);
    return range;
}
