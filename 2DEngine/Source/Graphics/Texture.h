#ifndef CORVANE_GRAPHICS_TEXTURE_H
#define CORVANE_GRAPHICS_TEXTURE_H

// The renderer's copy of an image. An image holds one counted reference to its
// texture (IImage::SetTexture) and asks it to refresh when its pixels changed.

#include <cstdint>

#include "Core/Source/Error.h"

namespace Corvane
{

class Image;

struct sTextureDescriptor
{
    // Origin of the mirrored area in the image; always 0.
    int32_t x;
    int32_t y;
    // Image size in pixels.
    int32_t width;
    int32_t height;
    // The smallest powers of two not below the image size (1 for a size of 0 or 1).
    int32_t textureWidth;
    int32_t textureHeight;
    // Texture coordinates of the image's far edges: width / textureWidth, height / textureHeight.
    float maxU;
    float maxV;

    sTextureDescriptor()
        : x(0), y(0), width(0), height(0), textureWidth(0), textureHeight(0), maxU(0.0f), maxV(0.0f)
    {
    }

    // The descriptor of an image of that size; negative sizes count as 0.
    static sTextureDescriptor ForImageSize(int32_t width, int32_t height);
};

// The smallest power of two that is at least size; 1 for sizes of 1 or less.
// Sizes above 2^30 give 2^30, the largest power of two a signed 32-bit value holds.
int32_t GetTextureSize(int32_t size);

class ITexture : public IReferenced
{
public:
    virtual sTextureDescriptor const& GetDescriptor() const = 0;
    // The image the texture mirrors; not owned.
    virtual Image const* GetImage() const = 0;
    // Marks the contents stale; they are uploaded again before the next draw.
    virtual void Refresh() = 0;
    virtual void SendToRenderer() = 0;
};

} // namespace Corvane

#endif
