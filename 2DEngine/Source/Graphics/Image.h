#ifndef CORVANE_GRAPHICS_IMAGE_H
#define CORVANE_GRAPHICS_IMAGE_H

// Images: rectangles of 0xAARRGGBB pixels held in memory, rows top first with
// no padding, mirrored by the renderer in a texture. Also the cache of
// pre-rotated copies, the rotation tool and the "image" resource factory.

#include <cstdint>
#include <list>
#include <vector>

#include "Core/Source/Angle.h"
#include "Core/Source/Color.h"
#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{

class ITexture;
class ImageRotationCache;

// The image interface every drawing call takes.
class IImage
{
public:
    virtual ~IImage() {}

    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // 0 (transparent black) outside the image.
    virtual Color32 GetPixel(int x, int y) const = 0;
    // Links the renderer's texture. The texture link is a mirror of the pixels,
    // not part of them, so a const image can be given one.
    virtual void SetTexture(ITexture* texture) const = 0;
    // The linked texture (null when none), refreshed first when the pixels changed.
    virtual ITexture* GetTexture() const = 0;
};

// Carries the texture link and the size.
//
// The image holds one counted reference to its texture: SetTexture takes a
// reference on the new texture and releases the old one, and the destructor
// releases it. Whoever creates a texture and attaches it gives its own creation
// reference back, so that the texture is destroyed together with its image.
class BaseImage : public IImage
{
public:
    BaseImage();
    BaseImage(int width, int height);
    ~BaseImage() override;
    BaseImage(BaseImage const&) = delete;
    BaseImage& operator=(BaseImage const&) = delete;

    int GetWidth() const override { return mWidth; }
    int GetHeight() const override { return mHeight; }
    void SetTexture(ITexture* texture) const override;
    ITexture* GetTexture() const override;

    // True from construction until a linked texture has been refreshed, and
    // again after every change of the pixels.
    bool IsDirty() const { return mDirty; }
    // Called by whatever writes into the pixels directly (the software canvas).
    void MarkDirty();

protected:
    void SetSize(int width, int height);
    // True once after the pixels changed: whoever keeps copies of them (the
    // rotation cache) asks, and the question clears the answer.
    bool TakePixelsChanged() const;

private:
    mutable bool mPixelsChanged;
    mutable ITexture* mTexture;
    int mWidth;
    int mHeight;
    mutable bool mDirty;
};

// An image that owns its pixel array.
class Image : public BaseImage
{
public:
    // Empty: no pixels, 0 x 0, no alpha, not keyed, no cache.
    Image();
    // width x height transparent black pixels, with alpha, not keyed. Negative
    // sizes count as 0.
    Image(int width, int height);
    // Adopts the pixel array (allocated with new[]; the image frees it).
    Image(Color32* pixels, int width, int height, bool hasAlpha, bool keyed);
    // Frees the rotation cache, the pixels, then releases the texture.
    ~Image() override;

    // Fills an empty image as the adopting constructor does, without a cache.
    // Pixels already held are freed first.
    void Init(Color32* pixels, int width, int height, bool hasAlpha, bool keyed);
    // A new image with a copy of the pixels and both flags, without a cache.
    Image* Copy() const;

    Color32 GetPixel(int x, int y) const override;
    // Ignored outside the image (the image then stays as dirty as it was).
    void SetPixel(int x, int y, Color32 color);

    // The pixel array, width x height words; null for an empty image. The
    // writable array is the caller's to change, so it ends any packed copy;
    // the read-only one stays valid until the end of the frame.
    Color32* GetPixels();
    Color32 const* GetPixels() const;
    // The alpha bytes carry transparency that drawing must honour.
    bool HasAlpha() const { return mHasAlpha; }
    void SetHasAlpha(bool hasAlpha) { mHasAlpha = hasAlpha; }
    // Transparency comes from a colour key: every alpha byte is 0 or 255.
    bool IsKeyed() const { return mKeyed; }
    void SetKeyed(bool keyed) { mKeyed = keyed; }

    // Gives the image a new cache of count slots (replacing any), or none for
    // a count of 1 or less.
    void SetRotationCount(int count);
    ImageRotationCache* GetRotationCache() const { return mRotationCache; }

    // The pre-rotated copy for the slot nearest the angle, made on first
    // request; null without a cache. The copies are rebuilt after the pixels
    // changed; a copy stays valid until then or until the image is destroyed.
    Image const* GetCachedRotation(Angle angle) const;

    // Keeps a compressed copy of the pixels and drops the array, which is
    // rebuilt, the same to the bit, on the next read and dropped again while
    // nothing reads it (EndFrame). For images that are loaded once and then
    // only read: every content picture is held for the whole run but few are
    // on screen at once. Writing into the pixels ends the packed copy.
    void KeepPacked();
    bool IsPacked() const { return !mPacked.empty(); }
    // Whether the pixel array is in memory now.
    bool HasPixelsInMemory() const { return mPixels != nullptr; }

    // Ends a frame of the pixel clock: packed images whose pixels were not read
    // in the last keepFrames frames drop them. Main thread only, at a point where
    // no caller holds a pixel pointer (after the frame is drawn).
    static void EndFrame(uint32_t keepFrames = kPackedPixelsKeptFrames);
    // Bytes of pixel arrays held in memory by packed images.
    static size_t GetUnpackedPixelBytes();

    static constexpr uint32_t kPackedPixelsKeptFrames = 100;

private:
    // Rebuilds the pixel array of a packed image that dropped it, and stamps the read.
    void EnsurePixels() const;
    void Inflate() const;
    // Forgets the packed copy (the pixels stay).
    void Unpack();
    void DropPixels() const;

    mutable Color32* mPixels;
    bool mHasAlpha;
    bool mKeyed;
    ImageRotationCache* mRotationCache;
    std::vector<uint8_t> mPacked;
    mutable uint32_t mLastRead;
    // Read by another thread than the main one: kept in memory from then on.
    mutable bool mPinned;
};

// Pre-rotated copies of one image, one slot per rotation step.
class ImageRotationCache
{
public:
    // At least one slot; fewer are taken as one.
    explicit ImageRotationCache(int count);
    virtual ~ImageRotationCache();
    ImageRotationCache(ImageRotationCache const&) = delete;
    ImageRotationCache& operator=(ImageRotationCache const&) = delete;

    // Empties the cache (deleting owned copies) and makes count empty slots.
    void Init(int count);

    int GetCount() const { return mCount; }
    Angle GetStep() const { return mStep; }
    // The slot of the angle: slot k covers the angles within half a step of k
    // steps. Angles that are not finite give slot 0.
    int GetIndex(Angle angle) const;

    // Stores a borrowed image; an owned one in the slot is deleted first.
    // Indices outside the cache are ignored.
    void SetImage(int index, Image const* image);
    // Stores an image the cache will delete.
    void AttachImage(int index, Image const* image);
    void AttachImage(Angle angle, Image const* image);
    Image const* GetImage(Angle angle) const;
    Image const* GetImageAt(int index) const;

    // Deletes every owned copy and empties every slot.
    void Flush();

private:
    void Store(int index, Image const* image, bool owned);

    std::vector<Image const*> mImages;
    std::vector<bool> mOwned;
    float mInverseStep;
    Angle mStep;
    int mCount;
};

// Rotations into new images that the caller owns, with the source's alpha and
// keyed flags and no cache. Turns are clockwise on screen (y downward).
class ImageTool
{
public:
    static Image* Rotate90(Image const* image);
    static Image* Rotate180(Image const* image);
    static Image* Rotate270(Image const* image);
    // Any angle, nearest-neighbour, fitted into the bounding box with
    // transparent corners; within 0.001 degrees of a quarter turn the exact
    // path is taken. An angle that is not finite gives a copy.
    static Image* Rotate(Image const* image, Angle angle);
};

// The "image" element: "src" (file name without extension) and "rotations"
// (slots of the rotation cache, pre-built at load; default 0, none).
class ImageResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
    void GetFileListForResource(std::list<FileVariant>* files, std::wstring const& manifest, Label name,
                                IAttributeContainer const& attributes, IXMLReader& reader) const override;
};

// The largest rotation count a manifest may ask for; larger counts are
// lowered to it, so that a typing error cannot exhaust memory.
constexpr int kMaxImageRotations = 1024;

} // namespace Corvane

#endif
