#include "2DEngine/Source/Graphics/Texture.h"

namespace Corvane
{

int32_t GetTextureSize(int32_t size)
{
    int32_t const kLargest = int32_t(1) << 30;
    if (size >= kLargest)
        return kLargest;
    int32_t textureSize = 1;
    while (textureSize < size)
        textureSize *= 2;
    return textureSize;
}

sTextureDescriptor sTextureDescriptor::ForImageSize(int32_t width, int32_t height)
{
    sTextureDescriptor descriptor;
    descriptor.width = width > 0 ? width : 0;
    descriptor.height = height > 0 ? height : 0;
    descriptor.textureWidth = GetTextureSize(descriptor.width);
    descriptor.textureHeight = GetTextureSize(descriptor.height);
    descriptor.maxU = float(descriptor.width) / float(descriptor.textureWidth);
    descriptor.maxV = float(descriptor.height) / float(descriptor.textureHeight);
    return descriptor;
}

} // namespace Corvane
