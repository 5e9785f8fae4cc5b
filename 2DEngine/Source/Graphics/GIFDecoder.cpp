#include "2DEngine/Source/Graphics/GIFDecoder.h"

#include <algorithm>
#include <cstring>

#include "2DEngine/Source/Graphics/ImageManager.h"

namespace Corvane
{
namespace Internal
{

// ---------------------------------------------------------------------------
// C_Image

C_Image::C_Image(int width, int height, int bitsPerPixel, int left, int top)
    : transparentIndex(-1), delayMilliseconds(0), disposal(false), mWidth(width), mHeight(height),
      mBitsPerPixel(bitsPerPixel), mLineSize((width + 3) & ~3), mLeft(left), mTop(top),
      mPixels(size_t(mLineSize) * size_t(height), 0), mPalette(size_t(4) << bitsPerPixel, 0)
{
}

// ---------------------------------------------------------------------------
// LZW

std::vector<int> GetGIFRowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    if (height <= 0)
        return rows;
    rows.reserve(size_t(height));
    if (!interlaced)
    {
        for (int row = 0; row < height; ++row)
            rows.push_back(row);
        return rows;
    }
    static int const kStarts[4] = {0, 4, 2, 1};
    static int const kSteps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
    {
        for (int row = kStarts[pass]; row < height; row += kSteps[pass])
            rows.push_back(row);
    }
    return rows;
}

namespace
{

// Places decoded bytes row after row, in the order of the rows, and stops at
// the last pixel.
class RowWriter
{
public:
    RowWriter(uint8_t* destination, int lineSize, int width, int height, bool interlaced)
        : mDestination(destination), mLineSize(lineSize), mWidth(width), mRows(GetGIFRowOrder(height, interlaced)),
          mRowIndex(0), mColumn(0), mWritten(0), mTotal(int64_t(width) * int64_t(height))
    {
    }

    bool IsFull() const { return mWritten >= mTotal; }
    int64_t GetWritten() const { return mWritten; }

    void Put(uint8_t value)
    {
        if (IsFull())
            return;
        mDestination[size_t(mRows[size_t(mRowIndex)]) * size_t(mLineSize) + size_t(mColumn)] = value;
        ++mWritten;
        if (++mColumn == mWidth)
        {
            mColumn = 0;
            ++mRowIndex;
        }
    }

private:
    uint8_t* mDestination;
    int mLineSize;
    int mWidth;
    std::vector<int> mRows;
    int mRowIndex;
    int mColumn;
    int64_t mWritten;
    int64_t mTotal;
};

// Reads codes least-significant bit first, never past the data.
class CodeReader
{
public:
    CodeReader(uint8_t const* data, size_t size) : mData(data), mBitCount(uint64_t(size) * 8), mPosition(0) {}

    // False when fewer than width bits are left.
    bool Read(int width, int* code)
    {
        if (mPosition + uint64_t(width) > mBitCount)
            return false;
        uint32_t value = 0;
        size_t const byte = size_t(mPosition / 8);
        int const shift = int(mPosition % 8);
        size_t const available = size_t((mBitCount / 8) - byte);
        for (size_t i = 0; i < 3 && i < available; ++i)
            value |= uint32_t(mData[byte + i]) << (8 * i);
        *code = int((value >> shift) & ((1u << width) - 1));
        mPosition += uint64_t(width);
        return true;
    }

    uint64_t GetPosition() const { return mPosition; }

private:
    uint8_t const* mData;
    uint64_t mBitCount;
    uint64_t mPosition;
};

} // namespace

int LZWDecoder(uint8_t const* data, size_t dataSize, uint8_t* destination, int minimumCodeSize, int lineSize,
               int width, int height, bool interlaced, int64_t* pixelsWritten)
{
    if (pixelsWritten)
        *pixelsWritten = 0;
    if (!destination || minimumCodeSize < 1 || minimumCodeSize > 8 || width <= 0 || height <= 0 ||
        lineSize < width || (!data && dataSize > 0))
        return 0;

    int const clear = 1 << minimumCodeSize;
    int const end = clear + 1;
    // The dictionary and the stack belong to this call alone.
    std::vector<uint16_t> prefix(kLZWTableSize, 0);
    std::vector<uint8_t> suffix(kLZWTableSize, 0);
    std::vector<uint8_t> stack(kLZWTableSize + 1, 0);
    for (int code = 0; code < clear; ++code)
        suffix[size_t(code)] = uint8_t(code);

    RowWriter writer(destination, lineSize, width, height, interlaced);
    CodeReader reader(data, dataSize);
    int codeWidth = minimumCodeSize + 1;
    int nextFree = clear + 2;
    int previous = -1;
    bool failed = false;
    int code = 0;
    while (!writer.IsFull() && reader.Read(codeWidth, &code))
    {
        if (code == clear)
        {
            codeWidth = minimumCodeSize + 1;
            nextFree = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end)
            break;
        if (previous < 0)
        {
            // The first code of a run has no string before it to build on.
            if (code > clear)
            {
                failed = true;
                break;
            }
            writer.Put(uint8_t(code));
            previous = code;
            continue;
        }
        if (code > nextFree || (code == nextFree && nextFree >= kLZWTableSize))
        {
            failed = true;
            break;
        }

        // Unwind the string onto the stack, last byte first.
        size_t depth = 0;
        int walk = code == nextFree ? previous : code;
        if (code == nextFree)
            ++depth; // room for the repeated first byte, filled below
        while (walk >= clear)
        {
            if (depth >= stack.size())
            {
                failed = true;
                break;
            }
            stack[depth++] = suffix[size_t(walk)];
            walk = prefix[size_t(walk)];
        }
        if (failed || depth >= stack.size())
        {
            failed = true;
            break;
        }
        stack[depth++] = uint8_t(walk);
        uint8_t const first = uint8_t(walk);
        if (code == nextFree)
            stack[0] = first;

        for (size_t i = depth; i > 0 && !writer.IsFull(); --i)
            writer.Put(stack[i - 1]);

        if (nextFree < kLZWTableSize)
        {
            prefix[size_t(nextFree)] = uint16_t(previous);
            suffix[size_t(nextFree)] = first;
            ++nextFree;
            if (nextFree == (1 << codeWidth) && codeWidth < 12)
                ++codeWidth;
        }
        previous = code;
    }

    if (pixelsWritten)
        *pixelsWritten = writer.GetWritten();
    if (failed)
        return 0;
    uint64_t const consumed = reader.GetPosition();
    return consumed > 0x7FFFFFFF ? 0x7FFFFFFF : int(consumed);
}

// ---------------------------------------------------------------------------
// C_ImageSet

namespace
{

bool ReadByte(IStream* stream, uint8_t* value)
{
    return stream->Read(value, 1) == 1;
}

bool ReadBytes(IStream* stream, uint8_t* buffer, size_t count)
{
    return stream->Read(buffer, count) == count;
}

int Little16(uint8_t const* bytes)
{
    return int(bytes[0]) | (int(bytes[1]) << 8);
}

// Reads entries x (red, green, blue) into the palette as blue, green, red, unused.
bool ReadColourTable(IStream* stream, std::vector<uint8_t>& palette, int entries)
{
    std::vector<uint8_t> rgb(size_t(entries) * 3);
    if (!ReadBytes(stream, rgb.data(), rgb.size()))
        return false;
    palette.assign(size_t(entries) * 4, 0);
    for (int i = 0; i < entries; ++i)
    {
        palette[size_t(i) * 4 + 0] = rgb[size_t(i) * 3 + 2];
        palette[size_t(i) * 4 + 1] = rgb[size_t(i) * 3 + 1];
        palette[size_t(i) * 4 + 2] = rgb[size_t(i) * 3 + 0];
    }
    return true;
}

// Skips data sub-blocks up to and including the empty one; a failed read ends it.
void SkipSubBlocks(IStream* stream)
{
    uint8_t size = 0;
    std::vector<uint8_t> skipped(255);
    while (ReadByte(stream, &size) && size != 0)
    {
        if (!ReadBytes(stream, skipped.data(), size))
            return;
    }
}

// All sub-block data back to back, with 4 spare zero bytes after it.
std::vector<uint8_t> ReadSubBlocks(IStream* stream)
{
    std::vector<uint8_t> data;
    uint8_t size = 0;
    while (ReadByte(stream, &size) && size != 0)
    {
        size_t const start = data.size();
        data.resize(start + size);
        size_t const got = stream->Read(data.data() + start, size);
        if (got < size)
        {
            data.resize(start + got);
            break;
        }
    }
    data.resize(data.size() + 4, 0);
    return data;
}

} // namespace

struct C_ImageSet::sDecoded
{
    C_Image* frame = nullptr;
    std::unique_ptr<C_Image> owned;
    bool succeeded = false;
    // Pixels the decoder reached, in its row order.
    int64_t written = 0;
    bool interlaced = false;
};

C_ImageSet::C_ImageSet() : mScreenWidth(0), mScreenHeight(0)
{
}

C_Image const* C_ImageSet::GetImage(int index) const
{
    if (index < 0 || index >= int(mImages.size()))
        return nullptr;
    return mImages[size_t(index)].get();
}

void C_ImageSet::AddImage(std::unique_ptr<C_Image> image)
{
    if (image)
        mImages.push_back(std::move(image));
}

bool C_ImageSet::Decode(IStream* stream, sDecoded* decoded)
{
    if (!stream)
        return false;
    uint8_t signature[6];
    if (!ReadBytes(stream, signature, 6) ||
        (std::memcmp(signature, "GIF87a", 6) != 0 && std::memcmp(signature, "GIF89a", 6) != 0))
        return false;

    uint8_t screen[7];
    if (!ReadBytes(stream, screen, 7))
        return false;
    mScreenWidth = Little16(screen);
    mScreenHeight = Little16(screen + 2);
    int const globalBits = (screen[4] & 7) + 1;
    std::vector<uint8_t> globalPalette(size_t(4) << globalBits, 0);
    if (screen[4] & 0x80)
    {
        if (!ReadColourTable(stream, globalPalette, 1 << globalBits))
            return false;
    }
    else
    {
        for (int i = 0; i < (1 << globalBits); ++i)
        {
            globalPalette[size_t(i) * 4 + 0] = uint8_t(i);
            globalPalette[size_t(i) * 4 + 1] = uint8_t(i);
            globalPalette[size_t(i) * 4 + 2] = uint8_t(i);
        }
    }

    bool haveControl = false;
    uint8_t control[4] = {0, 0, 0, 0};
    for (;;)
    {
        uint8_t introducer = 0;
        if (!ReadByte(stream, &introducer))
            return false;
        if (introducer == 0x3B)
            return false;
        if (introducer == 0x2C)
            break;
        if (introducer != 0x21)
            continue;
        uint8_t label = 0;
        if (ReadByte(stream, &label) && label == 0xF9)
        {
            uint8_t size = 0;
            uint8_t body[255];
            if (ReadByte(stream, &size) && ReadBytes(stream, body, size) && size >= 4)
            {
                std::memcpy(control, body, 4);
                haveControl = true;
            }
        }
        // The rest of the extension, up to its terminator.
        SkipSubBlocks(stream);
        if (stream->IsEOF())
            return false;
    }

    uint8_t descriptor[9];
    if (!ReadBytes(stream, descriptor, 9))
        return false;
    int const left = Little16(descriptor);
    int const top = Little16(descriptor + 2);
    int const frameWidth = Little16(descriptor + 4);
    int const frameHeight = Little16(descriptor + 6);
    uint8_t const packed = descriptor[8];

    // A file without a logical screen size shows its frame where it lies.
    if (mScreenWidth == 0 || mScreenHeight == 0)
    {
        mScreenWidth = left + frameWidth;
        mScreenHeight = top + frameHeight;
    }
    // Sizes are checked before anything of that size is allocated. An empty
    // frame decodes to nothing and leaves the screen transparent.
    if (!IsImageSizeAllowed(mScreenWidth, mScreenHeight))
        return false;
    if (frameWidth > 0 && frameHeight > 0 && !IsImageSizeAllowed(frameWidth, frameHeight))
        return false;

    int const bits = (packed & 0x80) ? (packed & 7) + 1 : globalBits;
    decoded->owned.reset(new C_Image(frameWidth, frameHeight, bits, left, top));
    C_Image* const frame = decoded->owned.get();
    decoded->frame = frame;
    if (packed & 0x80)
    {
        if (!ReadColourTable(stream, frame->GetPalette(), 1 << bits))
            return false;
    }
    else
    {
        frame->GetPalette() = globalPalette;
    }
    if (haveControl)
    {
        frame->transparentIndex = (control[0] & 0x01) ? int(control[3]) : -1;
        frame->delayMilliseconds = Little16(control + 1) * 10;
        frame->disposal = (control[0] & 0x1C) != 0;
    }

    uint8_t codeSize = 0;
    int const minimumCodeSize = ReadByte(stream, &codeSize) ? int(codeSize) : -1;
    std::vector<uint8_t> const data = ReadSubBlocks(stream);
    decoded->interlaced = (packed & 0x40) != 0;
    decoded->succeeded = frameWidth > 0 && frameHeight > 0 &&
                         LZWDecoder(data.data(), data.size() - 4, frame->GetPixels(), minimumCodeSize,
                                    frame->GetLineSize(), frameWidth, frameHeight, decoded->interlaced,
                                    &decoded->written) != 0;
    return true;
}

namespace
{

// Calls visit(screenOffset, paletteIndex) for every frame pixel the decoder
// reached that lies on the screen; returns whether those pixels cover the
// whole screen.
template <class Visit>
bool ForEachDecodedPixel(C_Image const& frame, int screenWidth, int screenHeight, int64_t written, bool interlaced,
                         Visit visit)
{
    int const width = frame.GetWidth();
    std::vector<int> const rows = GetGIFRowOrder(frame.GetHeight(), interlaced);
    int64_t covered = 0;
    for (size_t order = 0; order < rows.size(); ++order)
    {
        int64_t const rowStart = int64_t(order) * width;
        if (rowStart >= written)
            break;
        int const reached = int(std::min<int64_t>(width, written - rowStart));
        int const y = frame.GetTop() + rows[order];
        if (y < 0 || y >= screenHeight)
            continue;
        uint8_t const* const source = frame.GetPixels() + size_t(rows[order]) * size_t(frame.GetLineSize());
        for (int column = 0; column < reached; ++column)
        {
            int const x = frame.GetLeft() + column;
            if (x >= screenWidth)
                break;
            visit(size_t(y) * size_t(screenWidth) + size_t(x), source[column]);
            ++covered;
        }
    }
    return covered == int64_t(screenWidth) * int64_t(screenHeight);
}

} // namespace

template <class Pixel, class Convert>
Pixel* C_ImageSet::DecodeFirstImage(IStream* stream, int& width, int& height, bool& transparent, int& frameCount,
                                    Convert convert)
{
    frameCount = 0;
    sDecoded decoded;
    if (!Decode(stream, &decoded) || !decoded.frame)
        return nullptr;
    width = mScreenWidth;
    height = mScreenHeight;
    C_Image const& frame = *decoded.frame;
    size_t const count = size_t(mScreenWidth) * size_t(mScreenHeight);
    Pixel* const output = new Pixel[count]();
    std::vector<uint8_t> const& palette = frame.GetPalette();
    int const mask = (1 << frame.GetBitsPerPixel()) - 1;
    int const key = frame.transparentIndex;
    bool const covered = ForEachDecodedPixel(
        frame, mScreenWidth, mScreenHeight, decoded.written, decoded.interlaced, [&](size_t offset, uint8_t index) {
            output[offset] = convert(&palette[size_t(index & mask) * 4], int(index) == key);
        });
    transparent = key >= 0 || !covered;
    if (decoded.succeeded)
    {
        AddImage(std::move(decoded.owned));
        frameCount = 1;
    }
    return output;
}

Color32* C_ImageSet::LoadOpenFileGIF(IStream* stream, int& width, int& height, bool& transparent, int& frameCount)
{
    return DecodeFirstImage<Color32>(stream, width, height, transparent, frameCount,
                                     [](uint8_t const* entry, bool isKey) {
                                         uint32_t const alpha = isKey ? 0u : 0xFF000000u;
                                         return Color32(alpha | (uint32_t(entry[2]) << 16) |
                                                        (uint32_t(entry[1]) << 8) | entry[0]);
                                     });
}

uint8_t* C_ImageSet::LoadOpenFileGIFGrey(IStream* stream, int& width, int& height, int& frameCount)
{
    // A mask is its grey values: whether it had transparent pixels is not needed.
    bool transparent = false;
    return DecodeFirstImage<uint8_t>(stream, width, height, transparent, frameCount, [](uint8_t const* entry, bool) {
        return uint8_t((int(entry[0]) + int(entry[1]) + int(entry[2])) / 3);
    });
}

} // namespace Internal
} // namespace Corvane
