#include "2DEngine/Source/Graphics/Image.h"

#include <cmath>
#include <atomic>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

#include <zlib.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "Core/Source/Log.h"

#include "2DEngine/Source/Graphics/ImageManager.h"
#include "2DEngine/Source/Graphics/Texture.h"

namespace Corvane
{

// ---------------------------------------------------------------------------
// BaseImage

BaseImage::BaseImage() : mPixelsChanged(false), mTexture(nullptr), mWidth(0), mHeight(0), mDirty(true)
{
}

BaseImage::BaseImage(int width, int height)
    : mPixelsChanged(false), mTexture(nullptr), mWidth(width > 0 ? width : 0), mHeight(height > 0 ? height : 0),
      mDirty(true)
{
}

BaseImage::~BaseImage()
{
    ITexture* const texture = mTexture;
    mTexture = nullptr;
    if (texture)
        texture->Release();
}

void BaseImage::SetTexture(ITexture* texture) const
{
    if (texture == mTexture)
        return;
    // The new reference is taken before the old one goes, in case both hold the last.
    if (texture)
        texture->AddRef();
    ITexture* const old = mTexture;
    mTexture = texture;
    if (old)
        old->Release();
}

ITexture* BaseImage::GetTexture() const
{
    if (!mTexture)
        return nullptr;
    if (mDirty)
    {
        mTexture->Refresh();
        mDirty = false;
    }
    return mTexture;
}

void BaseImage::MarkDirty()
{
    mDirty = true;
    mPixelsChanged = true;
}

void BaseImage::SetSize(int width, int height)
{
    mWidth = width > 0 ? width : 0;
    mHeight = height > 0 ? height : 0;
}

bool BaseImage::TakePixelsChanged() const
{
    bool const changed = mPixelsChanged;
    mPixelsChanged = false;
    return changed;
}

// ---------------------------------------------------------------------------
// Packed images

namespace
{

// The packed images, added from whichever thread loads them; their pixels are
// dropped and rebuilt on the main thread only.
struct PackedImages
{
    std::mutex lock;
    std::set<Image const*> images;
};

PackedImages& GetPackedImages()
{
    static PackedImages* const gmPacked = new PackedImages();
    return *gmPacked;
}

// Frames ended so far; a read stamps the image with it.
std::atomic<uint32_t> gmPixelClock(0);

// Static initialisation runs on the main thread, the only one that drops pixels.
std::thread::id const gmMainThread = std::this_thread::get_id();

} // namespace

void Image::KeepPacked()
{
    size_t const bytes = size_t(GetWidth()) * size_t(GetHeight()) * sizeof(Color32);
    if (!mPixels || bytes == 0 || !mPacked.empty())
        return;
    uLongf packedSize = compressBound(uLong(bytes));
    std::vector<uint8_t> packed(packedSize);
    // The fastest level: the pictures are flat colours and transparent margins,
    // which pack about twelve to one even so, and a start must not wait on it.
    if (compress2(packed.data(), &packedSize, reinterpret_cast<Bytef const*>(mPixels), uLong(bytes), 1) != Z_OK)
        return;
    packed.resize(packedSize);
    packed.shrink_to_fit();
    mPacked.swap(packed);
    mLastRead = gmPixelClock.load(std::memory_order_relaxed);
    // Nothing has read them yet, and most pictures wait a long time for their
    // screen: the loading threads would otherwise hold every picture decoded at once.
    DropPixels();
    PackedImages& registry = GetPackedImages();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.images.insert(this);
}

void Image::Unpack()
{
    if (mPacked.empty())
        return;
    EnsurePixels();
    {
        PackedImages& registry = GetPackedImages();
        std::lock_guard<std::mutex> guard(registry.lock);
        registry.images.erase(this);
    }
    std::vector<uint8_t>().swap(mPacked);
}

void Image::EnsurePixels() const
{
    if (mPacked.empty())
        return;
    if (std::this_thread::get_id() != gmMainThread)
    {
        // A loading thread may keep reading after the frame ends, so what it
        // reads is never dropped.
        std::lock_guard<std::mutex> guard(GetPackedImages().lock);
        mPinned = true;
        Inflate();
        return;
    }
    mLastRead = gmPixelClock.load(std::memory_order_relaxed);
    Inflate();
}

void Image::Inflate() const
{
    if (mPixels)
        return;
    size_t const count = size_t(GetWidth()) * size_t(GetHeight());
    Color32* const pixels = new Color32[count]();
    uLongf unpackedSize = uLongf(count * sizeof(Color32));
    if (uncompress(reinterpret_cast<Bytef*>(pixels), &unpackedSize, mPacked.data(), uLong(mPacked.size())) != Z_OK ||
        unpackedSize != count * sizeof(Color32))
    {
        // Only a fault in memory could get here; a transparent picture is better than none.
        Internal::LogWrite("A packed image of %d x %d could not be unpacked.\n", GetWidth(), GetHeight());
        std::memset(static_cast<void*>(pixels), 0, count * sizeof(Color32));
    }
    mPixels = pixels;
}

void Image::DropPixels() const
{
    delete[] mPixels;
    mPixels = nullptr;
}

void Image::EndFrame(uint32_t keepFrames)
{
    uint32_t const clock = ++gmPixelClock;
    bool dropped = false;
    PackedImages& registry = GetPackedImages();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (Image const* image : registry.images)
    {
        if (image->mPixels && !image->mPinned && clock - image->mLastRead > keepFrames)
        {
            image->DropPixels();
            dropped = true;
        }
    }
#if defined(__GLIBC__)
    // Freed pixel arrays of a few hundred kilobytes can stay in the heap's free
    // lists; give them back so that the memory really goes.
    if (dropped)
        malloc_trim(0);
#endif
}

size_t Image::GetUnpackedPixelBytes()
{
    size_t bytes = 0;
    PackedImages& registry = GetPackedImages();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (Image const* image : registry.images)
    {
        if (image->mPixels)
            bytes += size_t(image->GetWidth()) * size_t(image->GetHeight()) * sizeof(Color32);
    }
    return bytes;
}

// ---------------------------------------------------------------------------
// Image

Image::Image() : mPixels(nullptr), mHasAlpha(false), mKeyed(false), mRotationCache(nullptr), mLastRead(0), mPinned(false)
{
}

Image::Image(int width, int height)
    : BaseImage(width, height), mPixels(nullptr), mHasAlpha(true), mKeyed(false), mRotationCache(nullptr),
      mLastRead(0), mPinned(false)
{
    size_t const count = size_t(GetWidth()) * size_t(GetHeight());
    if (count > 0)
        mPixels = new Color32[count]();
}

Image::Image(Color32* pixels, int width, int height, bool hasAlpha, bool keyed)
    : BaseImage(width, height), mPixels(pixels), mHasAlpha(hasAlpha), mKeyed(keyed), mRotationCache(nullptr),
      mLastRead(0), mPinned(false)
{
}

Image::~Image()
{
    if (!mPacked.empty())
    {
        PackedImages& registry = GetPackedImages();
        std::lock_guard<std::mutex> guard(registry.lock);
        registry.images.erase(this);
    }
    delete mRotationCache;
    mRotationCache = nullptr;
    delete[] mPixels;
    mPixels = nullptr;
}

Color32* Image::GetPixels()
{
    Unpack();
    EnsurePixels();
    return mPixels;
}

Color32 const* Image::GetPixels() const
{
    EnsurePixels();
    return mPixels;
}

void Image::Init(Color32* pixels, int width, int height, bool hasAlpha, bool keyed)
{
    Unpack();
    delete mRotationCache;
    mRotationCache = nullptr;
    if (pixels != mPixels)
        delete[] mPixels;
    mPixels = pixels;
    SetSize(width, height);
    mHasAlpha = hasAlpha;
    mKeyed = keyed;
    MarkDirty();
}

Image* Image::Copy() const
{
    int const width = GetWidth();
    int const height = GetHeight();
    size_t const count = size_t(width) * size_t(height);
    Color32* pixels = nullptr;
    EnsurePixels();
    if (count > 0 && mPixels)
    {
        pixels = new Color32[count];
        std::memcpy(pixels, mPixels, count * sizeof(Color32));
    }
    else if (count > 0)
    {
        pixels = new Color32[count]();
    }
    return new Image(pixels, width, height, mHasAlpha, mKeyed);
}

Color32 Image::GetPixel(int x, int y) const
{
    EnsurePixels();
    if (!mPixels || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return Color32(0);
    return mPixels[size_t(y) * size_t(GetWidth()) + size_t(x)];
}

void Image::SetPixel(int x, int y, Color32 color)
{
    Unpack();
    if (!mPixels || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return;
    mPixels[size_t(y) * size_t(GetWidth()) + size_t(x)] = color;
    MarkDirty();
}

void Image::SetRotationCount(int count)
{
    delete mRotationCache;
    mRotationCache = nullptr;
    if (count > 1)
        mRotationCache = new ImageRotationCache(count);
}

Image const* Image::GetCachedRotation(Angle angle) const
{
    if (!mRotationCache)
        return nullptr;
    if (TakePixelsChanged())
        mRotationCache->Flush();
    int const index = mRotationCache->GetIndex(angle);
    if (Image const* cached = mRotationCache->GetImageAt(index))
        return cached;
    if (index == 0)
    {
        mRotationCache->SetImage(0, this);
        return this;
    }
    // The slot's own angle, so that every angle of the slot shares one copy.
    Image* const rotated = ImageTool::Rotate(this, mRotationCache->GetStep() * float(index));
    mRotationCache->AttachImage(index, rotated);
    return rotated;
}

// ---------------------------------------------------------------------------
// ImageRotationCache

ImageRotationCache::ImageRotationCache(int count) : mInverseStep(0.0f), mCount(0)
{
    Init(count);
}

ImageRotationCache::~ImageRotationCache()
{
    Flush();
}

void ImageRotationCache::Init(int count)
{
    Flush();
    mCount = count > 1 ? count : 1;
    mStep = Angle::Circle() / float(mCount);
    mInverseStep = 1.0f / mStep.GetRadians();
    mImages.assign(size_t(mCount), nullptr);
    mOwned.assign(size_t(mCount), false);
}

int ImageRotationCache::GetIndex(Angle angle) const
{
    float const radians = angle.GetRadians();
    if (!std::isfinite(radians))
        return 0;
    float const wrapped = (angle + mStep * 0.5f).Wrap().GetRadians();
    // Wrapping keeps the value within one turn, so the product fits an int.
    int const index = int(wrapped * mInverseStep);
    int const slot = index % mCount;
    return slot < 0 ? slot + mCount : slot;
}

void ImageRotationCache::Store(int index, Image const* image, bool owned)
{
    if (index < 0 || index >= mCount)
    {
        if (owned)
            delete image;
        return;
    }
    if (mOwned[size_t(index)] && mImages[size_t(index)] != image)
        delete mImages[size_t(index)];
    mImages[size_t(index)] = image;
    mOwned[size_t(index)] = owned && image != nullptr;
}

void ImageRotationCache::SetImage(int index, Image const* image)
{
    Store(index, image, false);
}

void ImageRotationCache::AttachImage(int index, Image const* image)
{
    Store(index, image, true);
}

void ImageRotationCache::AttachImage(Angle angle, Image const* image)
{
    Store(GetIndex(angle), image, true);
}

Image const* ImageRotationCache::GetImage(Angle angle) const
{
    return GetImageAt(GetIndex(angle));
}

Image const* ImageRotationCache::GetImageAt(int index) const
{
    if (index < 0 || index >= mCount)
        return nullptr;
    return mImages[size_t(index)];
}

void ImageRotationCache::Flush()
{
    for (size_t i = 0; i < mImages.size(); ++i)
    {
        if (mOwned[i])
            delete mImages[i];
        mImages[i] = nullptr;
        mOwned[i] = false;
    }
}

// ---------------------------------------------------------------------------
// ImageTool

namespace
{

// A transparent black image of the given size with the source's flags.
Image* MakeBlankLike(Image const* source, int width, int height)
{
    Image* const image = new Image(width, height);
    image->SetHasAlpha(source->HasAlpha());
    image->SetKeyed(source->IsKeyed());
    return image;
}

// A copy of the image turned by quarter turns: its sides swapped for an odd number
// of them, and the pixel at column c of row r read from source(r, c).
template <class Source>
Image* QuarterTurn(Image const* image, bool swapSides, Source source)
{
    int const width = swapSides ? image->GetHeight() : image->GetWidth();
    int const height = swapSides ? image->GetWidth() : image->GetHeight();
    Image* const result = MakeBlankLike(image, width, height);
    Color32* const out = result->GetPixels();
    for (int r = 0; r < height; ++r)
    {
        for (int c = 0; c < width; ++c)
            out[size_t(r) * size_t(width) + size_t(c)] = source(r, c);
    }
    return result;
}

} // namespace

Image* ImageTool::Rotate90(Image const* image)
{
    if (!image)
        return nullptr;
    int const h = image->GetHeight();
    return QuarterTurn(image, true, [&](int r, int c) { return image->GetPixel(r, h - 1 - c); });
}

Image* ImageTool::Rotate180(Image const* image)
{
    if (!image)
        return nullptr;
    int const w = image->GetWidth();
    int const h = image->GetHeight();
    return QuarterTurn(image, false, [&](int r, int c) { return image->GetPixel(w - 1 - c, h - 1 - r); });
}

Image* ImageTool::Rotate270(Image const* image)
{
    if (!image)
        return nullptr;
    int const w = image->GetWidth();
    return QuarterTurn(image, true, [&](int r, int c) { return image->GetPixel(w - 1 - r, c); });
}

Image* ImageTool::Rotate(Image const* image, Angle angle)
{
    if (!image)
        return nullptr;
    if (!std::isfinite(angle.GetRadians()))
        return image->Copy();
    Angle const wrapped = angle.Wrap();
    float const degrees = wrapped.GetRadians() * 180.0f / Angle::pi();
    if (degrees > 89.999f && degrees < 90.001f)
        return Rotate90(image);
    if (degrees > 179.999f && degrees < 180.001f)
        return Rotate180(image);
    if (degrees > 269.999f && degrees < 270.001f)
        return Rotate270(image);
    if ((degrees > -0.001f && degrees < 0.001f) || (degrees > 359.999f && degrees < 360.001f))
        return image->Copy();

    float const s = std::sin(wrapped.GetRadians());
    float const c = std::cos(wrapped.GetRadians());
    int const w = image->GetWidth();
    int const h = image->GetHeight();
    int const W = int(std::fabs(c) * float(w) + std::fabs(s) * float(h) + 0.99f);
    int const H = int(std::fabs(c) * float(h) + std::fabs(s) * float(w) + 0.99f);
    Image* const result = MakeBlankLike(image, W, H);
    Color32* const out = result->GetPixels();
    Color32 const* const in = image->GetPixels();
    if (!out || !in)
        return result;

    // 16.16 fixed point, held in 64 bits so that the largest images cannot overflow.
    int64_t const limitU = int64_t(w) * 65536;
    int64_t const limitV = int64_t(h) * 65536;
    int64_t const du = int64_t(c * 65536.0f);
    int64_t const dv = int64_t(-s * 65536.0f);
    for (int y = 0; y < H; ++y)
    {
        float const fy = float(y) - float(H) * 0.5f;
        int64_t u = int64_t((s * fy + float(w / 2) - 0.5f * float(W) * c) * 65536.0f);
        int64_t v = int64_t((c * fy + float(h / 2) + 0.5f * float(W) * s) * 65536.0f);
        Color32* const row = out + size_t(y) * size_t(W);
        for (int x = 0; x < W; ++x)
        {
            if (u >= 0 && u < limitU && v >= 0 && v < limitV)
                row[x] = in[size_t(v >> 16) * size_t(w) + size_t(u >> 16)];
            u += du;
            v += dv;
        }
    }
    return result;
}

// ---------------------------------------------------------------------------
// ImageResourceFactory

IResourceDescriptor* ImageResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                          IAttributeContainer const& attributes, IXMLReader&) const
{
    ResourceWrapper<Image>* const resource = new ResourceWrapper<Image>(manifest, name, attributes);
    std::wstring const source = attributes.GetAttribute(L"src");
    if (!ImageManager::LoadImage(source.c_str(), resource))
    {
        delete resource;
        return nullptr;
    }
    int rotations = attributes.GetAttribute(L"rotations", 0);
    if (rotations > kMaxImageRotations)
        rotations = kMaxImageRotations;
    if (rotations > 1)
    {
        resource->SetRotationCount(rotations);
        for (int i = 0; i < rotations; ++i)
            resource->GetCachedRotation(Angle::Circle() * (float(i) * (1.0f / float(rotations))));
    }
    return resource;
}

void ImageResourceFactory::GetFileListForResource(std::list<FileVariant>* files, std::wstring const&, Label,
                                                  IAttributeContainer const& attributes, IXMLReader&) const
{
    if (!files)
        return;
    ImageManager::AddImageFileVariants(files, attributes.GetAttribute(L"src"));
}

} // namespace Corvane
