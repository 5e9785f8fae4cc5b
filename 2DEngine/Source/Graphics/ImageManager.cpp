#include "2DEngine/Source/Graphics/ImageManager.h"

#include <cstring>
#include <cwctype>
#include <memory>
#include <vector>

#include <stb/stb_image.h>

#include "Core/Source/FileSystem.h"
#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Graphics/GIFDecoder.h"
#include "2DEngine/Source/Graphics/Image.h"

namespace Corvane
{

namespace
{

wchar_t const* const kImageOpenOrder[] = {L".gif", L".jpg", L".png"};
wchar_t const* const kMaskOpenOrder[] = {L".gif", L".png", L".jpg"};

// Closes the stream through the file system when the scope ends.
class ScopedImageStream
{
public:
    explicit ScopedImageStream(IStream* stream) : mStream(stream) {}
    ~ScopedImageStream() { Internal::CloseImageStream(mStream); }
    ScopedImageStream(ScopedImageStream const&) = delete;
    ScopedImageStream& operator=(ScopedImageStream const&) = delete;

    IStream* Get() const { return mStream; }

private:
    IStream* mStream;
};

IStream* OpenFirstOf(wchar_t const* name, wchar_t const* const* extensions, size_t count, FileAddress* out)
{
    IFileSource* const source = GetFileSource();
    std::wstring const base = name ? name : L"";
    FileAddress address;
    IStream* stream = nullptr;
    for (size_t i = 0; i < count && !stream; ++i)
    {
        address = FileAddress(kFileSystemPartition_Resources, base, extensions[i]);
        if (source)
            stream = source->OpenFileStream(address);
    }
    if (out)
        *out = address;
    return stream;
}

bool HasExtension(FileAddress const& address, wchar_t const* extension)
{
    std::wstring const found = address.GetExtension();
    size_t const length = std::wcslen(extension);
    if (found.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i)
    {
        if (std::towlower(found[i]) != std::towlower(extension[i]))
            return false;
    }
    return true;
}

// The stream's bytes, in place when it offers direct access, else copied into
// holder. Null when fewer bytes than its length arrive.
uint8_t const* GetStreamBytes(IStream* stream, std::vector<uint8_t>* holder, uint32_t* length)
{
    *length = stream->GetLength();
    if (*length == 0)
        return nullptr;
    if (stream->GetCapabilities() & kStreamDirectAccess)
    {
        void* pointer = nullptr;
        if (stream->ReadOptimized(pointer, *length) < *length || !pointer)
            return nullptr;
        return static_cast<uint8_t const*>(pointer);
    }
    holder->assign(*length, 0);
    if (stream->Read(holder->data(), *length) < *length)
        return nullptr;
    return holder->data();
}

enum eStbFormat
{
    kStbFormat_JPEG,
    kStbFormat_PNG
};

// Only the format the extension names is handed to stb_image, so that a file
// of another kind cannot reach its other decoders.
bool HasSignature(uint8_t const* bytes, uint32_t length, eStbFormat format)
{
    static uint8_t const kPNG[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (format == kStbFormat_PNG)
        return length >= 8 && std::memcmp(bytes, kPNG, 8) == 0;
    return length >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

Color32* StbLoadImage(IStream* stream, int* width, int* height, eStbFormat format)
{
    if (!stream)
        return nullptr;
    std::vector<uint8_t> holder;
    uint32_t length = 0;
    uint8_t const* const bytes = GetStreamBytes(stream, &holder, &length);
    if (!bytes || length > 0x7FFFFFFFu || !HasSignature(bytes, length, format))
        return nullptr;

    // The stated size is checked before stb_image allocates anything for it.
    int infoWidth = 0;
    int infoHeight = 0;
    int components = 0;
    if (!stbi_info_from_memory(bytes, int(length), &infoWidth, &infoHeight, &components) ||
        !Internal::IsImageSizeAllowed(infoWidth, infoHeight))
        return nullptr;

    int w = 0;
    int h = 0;
    stbi_uc* const rgba = stbi_load_from_memory(bytes, int(length), &w, &h, &components, 4);
    if (!rgba)
        return nullptr;
    if (!Internal::IsImageSizeAllowed(w, h))
    {
        stbi_image_free(rgba);
        return nullptr;
    }
    size_t const count = size_t(w) * size_t(h);
    Color32* const pixels = new Color32[count];
    for (size_t i = 0; i < count; ++i)
    {
        stbi_uc const* const p = rgba + i * 4;
        pixels[i] = Color32((uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | uint32_t(p[2]));
    }
    stbi_image_free(rgba);
    *width = w;
    *height = h;
    return pixels;
}

wchar_t const* Printable(wchar_t const* text)
{
    return text ? text : L"";
}

void LogWrongSize(wchar_t const* name)
{
    Internal::LogWrite("Image %ls had an alpha mask that was the wrong size.\n", Printable(name));
}

void LogMaskNotLoaded(wchar_t const* name)
{
    Internal::LogWrite("Image Mask %ls could not be loaded.\n", Printable(name));
}

// Writes each mask value into the alpha byte of the pixel at the same place.
// value(i) gives the mask value of pixel i.
template <class Value>
bool CompositeMask(bool decoded, int maskWidth, int maskHeight, int width, int height, Color32* pixels,
                   wchar_t const* name, Value value)
{
    if (!decoded)
        LogMaskNotLoaded(name);
    if (!decoded || maskWidth != width || maskHeight != height || !pixels)
    {
        LogWrongSize(name);
        return false;
    }
    size_t const count = size_t(width) * size_t(height);
    for (size_t i = 0; i < count; ++i)
        pixels[i] = Color32((pixels[i].value & 0x00FFFFFFu) | (uint32_t(value(i)) << 24));
    return true;
}

bool CompositeColourMask(Color32* mask, int maskWidth, int maskHeight, int width, int height, Color32* pixels,
                         wchar_t const* name)
{
    std::unique_ptr<Color32[]> const owned(mask);
    return CompositeMask(mask != nullptr, maskWidth, maskHeight, width, height, pixels, name,
                         [&](size_t i) { return uint8_t(mask[i].value & 0xFF); });
}

} // namespace

namespace Internal
{

bool IsImageSizeAllowed(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

Color32* JPGLoadImage(IStream* stream, int* width, int* height)
{
    return StbLoadImage(stream, width, height, kStbFormat_JPEG);
}

Color32* PNGLoadImage(IStream* stream, int* width, int* height)
{
    Color32* const pixels = StbLoadImage(stream, width, height, kStbFormat_PNG);
    if (!pixels && stream)
        LogWrite("PNGLoader: Failed to load file: %ls\r\n", stream->GetName().c_str());
    return pixels;
}

} // namespace Internal

IStream* OpenImageFile(wchar_t const* name, FileAddress* out)
{
    IStream* const stream = OpenFirstOf(name, kImageOpenOrder, 3, out);
    if (!stream)
        Internal::LogWrite("Image %ls was not found.\n", Printable(name));
    return stream;
}

IStream* OpenImageMaskFile(wchar_t const* name, FileAddress* out)
{
    std::wstring const maskName = std::wstring(name ? name : L"") + L"_mask";
    return OpenFirstOf(maskName.c_str(), kMaskOpenOrder, 3, out);
}

bool LoadAndCompositeGIFMaskFile(IStream* stream, int width, int height, Color32* pixels, wchar_t const* name)
{
    int maskWidth = -1;
    int maskHeight = -1;
    int frames = 0;
    Internal::C_ImageSet set;
    std::unique_ptr<uint8_t[]> const grey(set.LoadOpenFileGIFGrey(stream, maskWidth, maskHeight, frames));
    uint8_t const* const values = grey.get();
    return CompositeMask(values != nullptr, maskWidth, maskHeight, width, height, pixels, name,
                         [&](size_t i) { return values[i]; });
}

bool LoadAndCompositePNGMaskFile(IStream* stream, int width, int height, Color32* pixels, wchar_t const* name)
{
    int maskWidth = -1;
    int maskHeight = -1;
    Color32* const mask = Internal::PNGLoadImage(stream, &maskWidth, &maskHeight);
    return CompositeColourMask(mask, maskWidth, maskHeight, width, height, pixels, name);
}

bool LoadAndCompositeJPGMaskFile(IStream* stream, int width, int height, Color32* pixels, wchar_t const* name)
{
    int maskWidth = -1;
    int maskHeight = -1;
    Color32* const mask = Internal::JPGLoadImage(stream, &maskWidth, &maskHeight);
    return CompositeColourMask(mask, maskWidth, maskHeight, width, height, pixels, name);
}

Image* ImageManager::LoadImage(wchar_t const* name, Image* image)
{
    if (!image)
        return nullptr;
    FileAddress address;
    ScopedImageStream file(OpenImageFile(name, &address));
    if (!file.Get())
        return nullptr;

    int width = -1;
    int height = -1;
    bool hasAlpha = false;
    bool keyed = false;
    Color32* pixels = nullptr;
    if (HasExtension(address, L".jpg"))
    {
        pixels = Internal::JPGLoadImage(file.Get(), &width, &height);
    }
    else if (HasExtension(address, L".gif"))
    {
        bool transparent = false;
        int frames = 0;
        Internal::C_ImageSet set;
        pixels = set.LoadOpenFileGIF(file.Get(), width, height, transparent, frames);
        hasAlpha = transparent;
        keyed = transparent;
    }
    else if (HasExtension(address, L".png"))
    {
        pixels = Internal::PNGLoadImage(file.Get(), &width, &height);
        hasAlpha = true;
    }
    if (!pixels)
    {
        Internal::LogWrite("Image %ls could not be loaded.\n", Printable(name));
        return nullptr;
    }

    FileAddress maskAddress;
    ScopedImageStream mask(OpenImageMaskFile(name, &maskAddress));
    if (mask.Get())
    {
        bool merged = false;
        if (HasExtension(maskAddress, L".gif"))
            merged = LoadAndCompositeGIFMaskFile(mask.Get(), width, height, pixels, name);
        else if (HasExtension(maskAddress, L".png"))
            merged = LoadAndCompositePNGMaskFile(mask.Get(), width, height, pixels, name);
        else if (HasExtension(maskAddress, L".jpg"))
            merged = LoadAndCompositeJPGMaskFile(mask.Get(), width, height, pixels, name);
        if (merged)
        {
            hasAlpha = true;
            keyed = false;
        }
    }

    image->Init(pixels, width, height, hasAlpha, keyed);
    image->KeepPacked();
    return image;
}

Image* ImageManager::LoadImage(wchar_t const* name)
{
    std::unique_ptr<Image> image(new Image());
    if (!LoadImage(name, image.get()))
        return nullptr;
    return image.release();
}

FileVariant ImageManager::GetImageFileVariant(std::wstring const& name)
{
    FileVariant variant;
    variant.name = name;
    variant.extensions = {L".jpg", L".gif", L".png"};
    return variant;
}

FileVariant ImageManager::GetImageMaskFileVariant(std::wstring const& name)
{
    FileVariant variant;
    variant.name = name + L"_mask";
    variant.extensions = {L".gif", L".png", L".jpg"};
    return variant;
}

void ImageManager::AddImageFileVariants(std::list<FileVariant>* files, std::wstring const& name)
{
    files->push_back(GetImageFileVariant(name));
    files->push_back(GetImageMaskFileVariant(name));
}

namespace Internal
{

void CloseImageStream(IStream* stream)
{
    if (!stream)
        return;
    if (IFileSystem* fileSystem = GetFileSystem())
        fileSystem->CloseStream(stream);
    else
        delete stream;
}

} // namespace Internal

} // namespace Corvane
