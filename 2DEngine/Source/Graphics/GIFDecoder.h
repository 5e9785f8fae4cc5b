#ifndef CORVANE_GRAPHICS_GIFDECODER_H
#define CORVANE_GRAPHICS_GIFDECODER_H

// Our own GIF87a/GIF89a decoder: reads the first image of a file into
// 0xAARRGGBB words (or grey bytes, for masks) the size of the logical screen.
// Every decode has its own tables, so decodes may run on several threads.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "Core/Source/Color.h"
#include "Core/Source/Stream.h"

namespace Corvane
{
namespace Internal
{

// One decoded frame: palette indices, one byte per pixel, rows padded to a
// multiple of 4 bytes.
class C_Image
{
public:
    C_Image(int width, int height, int bitsPerPixel, int left, int top);

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    int GetBitsPerPixel() const { return mBitsPerPixel; }
    int GetLineSize() const { return mLineSize; }
    int GetLeft() const { return mLeft; }
    int GetTop() const { return mTop; }
    uint8_t* GetPixels() { return mPixels.data(); }
    uint8_t const* GetPixels() const { return mPixels.data(); }
    // 4 bytes per entry: blue, green, red, unused; 2^bits entries.
    std::vector<uint8_t>& GetPalette() { return mPalette; }
    std::vector<uint8_t> const& GetPalette() const { return mPalette; }

    // -1 for none.
    int transparentIndex;
    int delayMilliseconds;
    // The file's disposal method is not 0.
    bool disposal;

private:
    int mWidth;
    int mHeight;
    int mBitsPerPixel;
    int mLineSize;
    int mLeft;
    int mTop;
    std::vector<uint8_t> mPixels;
    std::vector<uint8_t> mPalette;
};

class C_ImageSet
{
public:
    C_ImageSet();
    C_ImageSet(C_ImageSet const&) = delete;
    C_ImageSet& operator=(C_ImageSet const&) = delete;

    // The first image of the file as screen width x screen height words
    // (delete[]); null when the stream holds no GIF image or it is too large.
    // Parts of the screen the frame does not cover, and pixels its data did
    // not reach, are transparent black; transparent then reports true, as it
    // does for a frame with a transparent colour. frameCount is 1 when the
    // frame decoded fully, 0 when its data was damaged.
    Color32* LoadOpenFileGIF(IStream* stream, int& width, int& height, bool& transparent, int& frameCount);
    // The same as grey bytes (the mean of red, green and blue), for masks;
    // pixels the frame leaves uncovered are 0.
    uint8_t* LoadOpenFileGIFGrey(IStream* stream, int& width, int& height, int& frameCount);

    int GetScreenWidth() const { return mScreenWidth; }
    int GetScreenHeight() const { return mScreenHeight; }
    int GetImageCount() const { return int(mImages.size()); }
    C_Image const* GetImage(int index) const;
    void AddImage(std::unique_ptr<C_Image> image);

private:
    struct sDecoded;
    bool Decode(IStream* stream, sDecoded* decoded);
    // The first image as a new screen-sized array whose pixels convert makes from
    // their palette entry (blue, green, red) and whether their index is the
    // transparent colour; the rest as for LoadOpenFileGIF.
    template <class Pixel, class Convert>
    Pixel* DecodeFirstImage(IStream* stream, int& width, int& height, bool& transparent, int& frameCount,
                            Convert convert);

    int mScreenWidth;
    int mScreenHeight;
    std::vector<std::unique_ptr<C_Image>> mImages;
};

// The most entries the LZW dictionary holds (12-bit codes).
constexpr int kLZWTableSize = 4096;

// Decodes one frame's LZW data (the sub-blocks joined) into destination rows
// of lineSize bytes, interlaced in the four passes of the standard when asked.
// Returns the bits consumed, or 0 on failure: a minimum code size outside
// 1..8, a first code after a clear code that is not a literal, a code above
// the next free code, or no code at all. Never reads past dataSize bytes nor
// writes outside lineSize x height bytes. pixelsWritten (when given) receives
// how many pixels were written, in output order, also after a failure.
int LZWDecoder(uint8_t const* data, size_t dataSize, uint8_t* destination, int minimumCodeSize, int lineSize,
               int width, int height, bool interlaced, int64_t* pixelsWritten = nullptr);

// The rows of an image of that height in the order the decoder fills them.
std::vector<int> GetGIFRowOrder(int height, bool interlaced);

} // namespace Internal
} // namespace Corvane

#endif
