#ifndef CORVANE_GRAPHICS_IMAGEMANAGER_H
#define CORVANE_GRAPHICS_IMAGEMANAGER_H

// Image files: an image named N is N".gif", N".jpg" or N".png" (looked for in
// that order) in the resources partition, opened through the file source, with
// an optional greyscale mask N"_mask" (".gif", ".png", ".jpg") merged into its
// alpha channel. GIF is decoded by our own decoder; JPEG and PNG by stb_image.

#include <cstdint>
#include <list>
#include <string>

#include "Core/Source/Color.h"
#include "Core/Source/FileAddress.h"
#include "Core/Source/Stream.h"
#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{

class Image;

class ImageManager
{
public:
    // Fills the given empty image; the image on success, null on failure (the
    // image is then left as it was). The failure is logged.
    static Image* LoadImage(wchar_t const* name, Image* image);
    // A new image the caller owns, or null.
    static Image* LoadImage(wchar_t const* name);

    // The files a resource declares: N with ".jpg", ".gif", ".png".
    static FileVariant GetImageFileVariant(std::wstring const& name);
    // N"_mask" with ".gif", ".png", ".jpg".
    static FileVariant GetImageMaskFileVariant(std::wstring const& name);
    // Appends both: the image's files, then its mask's.
    static void AddImageFileVariants(std::list<FileVariant>* files, std::wstring const& name);
};

// Opens N".gif", else N".jpg", else N".png"; null when none exists, which is
// logged as "Image N was not found.". The address last tried is copied to out.
// The caller closes the stream through the file system.
IStream* OpenImageFile(wchar_t const* name, FileAddress* out);
// The same for the mask names; logs nothing.
IStream* OpenImageMaskFile(wchar_t const* name, FileAddress* out);

// Merge a mask file of the image's size into the alpha bytes of its pixels;
// true when merged. A mask that cannot be decoded or has another size is
// logged and leaves the pixels as they were.
bool LoadAndCompositeGIFMaskFile(IStream* stream, int width, int height, Color32* pixels, wchar_t const* name);
bool LoadAndCompositePNGMaskFile(IStream* stream, int width, int height, Color32* pixels, wchar_t const* name);
bool LoadAndCompositeJPGMaskFile(IStream* stream, int width, int height, Color32* pixels, wchar_t const* name);

namespace Internal
{

// Images larger than this on a side, or with more pixels in all, are refused
// before any pixel memory is allocated.
constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t(64) * 1024 * 1024;
bool IsImageSizeAllowed(int64_t width, int64_t height);

// Closes a stream of the file source through the file system, or deletes it
// when there is no file system; null is ignored.
void CloseImageStream(IStream* stream);

// The whole stream decoded to a new array of width x height 0xAARRGGBB words
// (delete[]), or null. A file whose stated size is not allowed is refused
// without being decoded.
Color32* JPGLoadImage(IStream* stream, int* width, int* height);
Color32* PNGLoadImage(IStream* stream, int* width, int* height);

} // namespace Internal
} // namespace Corvane

#endif
