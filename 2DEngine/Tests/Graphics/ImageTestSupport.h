#ifndef CORVANE_TESTS_GRAPHICS_IMAGETESTSUPPORT_H
#define CORVANE_TESTS_GRAPHICS_IMAGETESTSUPPORT_H

// Fixtures for the image tests: image files served from memory, GIF files
// written byte by byte (with an LZW code writer that follows the decoder's
// code widths, and a true LZW compressor for round trips), PNG and JPEG files
// made with stb's writer, and a capture of the log.

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <stb/stb_image_write.h>

#include "Core/Source/FileAddress.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Tests/Support/StderrCapture.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/DrawState.h"
#include "2DEngine/Source/Graphics/Image.h"

namespace ImageTesting
{
    using namespace Corvane;

    typedef std::vector<uint8_t> Bytes;

    // Serves files from memory by name and extension (as given, case kept).
    class ByteFileSource : public IFileSource
    {
    public:
        IStream* OpenFileStream(FileAddress const& address) const override
        {
            std::lock_guard<std::mutex> lock(mLock);
            std::wstring const key = address.GetName() + address.GetExtension();
            mOpened.push_back(key);
            auto found = mFiles.find(key);
            if (found == mFiles.end())
                return nullptr;
            MemoryStream* stream = new MemoryStream(key);
            if (!found->second.empty())
                stream->Write(found->second.data(), found->second.size());
            stream->Seek(kSeekBegin, 0);
            return stream;
        }

        bool Cleanup() override { return false; }

        void SetFile(std::wstring const& name, Bytes const& bytes)
        {
            std::lock_guard<std::mutex> lock(mLock);
            mFiles[name] = bytes;
        }

        void Clear()
        {
            std::lock_guard<std::mutex> lock(mLock);
            mFiles.clear();
            mOpened.clear();
        }

        std::vector<std::wstring> Opened() const
        {
            std::lock_guard<std::mutex> lock(mLock);
            return mOpened;
        }

    private:
        mutable std::mutex mLock;
        std::map<std::wstring, Bytes> mFiles;
        mutable std::vector<std::wstring> mOpened;
    };

    inline ByteFileSource& GetByteFileSource()
    {
        static ByteFileSource source;
        return source;
    }

    // Each test starts with the memory file source registered and empty.
    class ImageFileFixture : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            Internal::DeleteAllSingletons();
            GetByteFileSource().Clear();
            RegisterSingleton(static_cast<IFileSource*>(&GetByteFileSource()));
        }

        void TearDown() override { Internal::DeleteAllSingletons(); }

        ByteFileSource& Files() { return GetByteFileSource(); }
    };

    using LogCapture = ::TestSupport::StderrCapture;

    // ---------------------------------------------------------------------
    // LZW codes

    // Packs codes least-significant bit first.
    class CodeWriter
    {
    public:
        void Put(int code, int width)
        {
            mAccumulator |= uint64_t(code) << mBits;
            mBits += width;
            while (mBits >= 8)
            {
                mBytes.push_back(uint8_t(mAccumulator & 0xFF));
                mAccumulator >>= 8;
                mBits -= 8;
            }
        }

        Bytes Finish()
        {
            if (mBits > 0)
                mBytes.push_back(uint8_t(mAccumulator & 0xFF));
            mAccumulator = 0;
            mBits = 0;
            return mBytes;
        }

    private:
        Bytes mBytes;
        uint64_t mAccumulator = 0;
        int mBits = 0;
    };

    // Follows the code width a GIF decoder reads at: it grows when the next
    // free code reaches the width's limit, one code after the encoder added it.
    class CodeWidthTracker
    {
    public:
        explicit CodeWidthTracker(int minimumCodeSize) : mMinimum(minimumCodeSize) { Clear(); }

        void Clear()
        {
            width = mMinimum + 1;
            nextFree = (1 << mMinimum) + 2;
            mFirst = true;
        }

        // After a code other than clear or end was written.
        void Advance()
        {
            if (mFirst)
            {
                mFirst = false;
                return;
            }
            if (nextFree < 4096)
            {
                ++nextFree;
                if (nextFree == (1 << width) && width < 12)
                    ++width;
            }
        }

        int width;
        int nextFree;

    private:
        int mMinimum;
        bool mFirst;
    };

    // Every pixel as a literal code. With clearWhenFull the table is reset by a
    // clear code when it fills, otherwise codes go on at 12 bits.
    inline Bytes LiteralCodes(std::vector<uint8_t> const& indices, int minimumCodeSize, bool clearWhenFull = true,
                              bool withEnd = true)
    {
        int const clear = 1 << minimumCodeSize;
        CodeWriter writer;
        CodeWidthTracker tracker(minimumCodeSize);
        writer.Put(clear, tracker.width);
        for (uint8_t index : indices)
        {
            writer.Put(index, tracker.width);
            tracker.Advance();
            if (clearWhenFull && tracker.nextFree >= 4095)
            {
                writer.Put(clear, tracker.width);
                tracker.Clear();
            }
        }
        if (withEnd)
            writer.Put(clear + 1, tracker.width);
        return writer.Finish();
    }

    // A true LZW compressor, as GIF encoders write.
    inline Bytes CompressLZW(std::vector<uint8_t> const& indices, int minimumCodeSize)
    {
        int const clear = 1 << minimumCodeSize;
        CodeWriter writer;
        CodeWidthTracker tracker(minimumCodeSize);
        std::map<std::pair<int, uint8_t>, int> dictionary;
        int next = clear + 2;
        writer.Put(clear, tracker.width);
        if (indices.empty())
        {
            writer.Put(clear + 1, tracker.width);
            return writer.Finish();
        }
        int prefix = indices[0];
        for (size_t i = 1; i < indices.size(); ++i)
        {
            uint8_t const k = indices[i];
            auto found = dictionary.find(std::make_pair(prefix, k));
            if (found != dictionary.end())
            {
                prefix = found->second;
                continue;
            }
            writer.Put(prefix, tracker.width);
            tracker.Advance();
            if (next < 4095)
            {
                dictionary[std::make_pair(prefix, k)] = next++;
            }
            else
            {
                writer.Put(clear, tracker.width);
                tracker.Clear();
                dictionary.clear();
                next = clear + 2;
            }
            prefix = k;
        }
        writer.Put(prefix, tracker.width);
        tracker.Advance();
        writer.Put(clear + 1, tracker.width);
        return writer.Finish();
    }

    // ---------------------------------------------------------------------
    // GIF files, block by block

    struct sRGB
    {
        uint8_t r;
        uint8_t g;
        uint8_t b;
    };

    class GifWriter
    {
    public:
        // The palette is written as the global table when not empty; its size
        // must be a power of two from 2 to 256.
        GifWriter& Header(int width, int height, std::vector<sRGB> const& palette, char const* version = "GIF89a")
        {
            for (int i = 0; i < 6; ++i)
                bytes.push_back(uint8_t(version[i]));
            Little16(width);
            Little16(height);
            uint8_t flags = 0;
            if (!palette.empty())
                flags = uint8_t(0x80 | (BitsOf(palette.size()) - 1));
            bytes.push_back(flags);
            bytes.push_back(0);
            bytes.push_back(0);
            Palette(palette);
            return *this;
        }

        // A screen without a global table, whose palette is then grey (i, i, i).
        GifWriter& HeaderWithoutPalette(int width, int height, int bits)
        {
            for (char c : std::string("GIF89a"))
                bytes.push_back(uint8_t(c));
            Little16(width);
            Little16(height);
            bytes.push_back(uint8_t(bits - 1));
            bytes.push_back(0);
            bytes.push_back(0);
            return *this;
        }

        GifWriter& GraphicControl(int transparentIndex, int delayHundredths = 0, int disposal = 0)
        {
            bytes.insert(bytes.end(), {0x21, 0xF9, 0x04});
            uint8_t packed = uint8_t((disposal & 7) << 2);
            if (transparentIndex >= 0)
                packed |= 1;
            bytes.push_back(packed);
            Little16(delayHundredths);
            bytes.push_back(uint8_t(transparentIndex >= 0 ? transparentIndex : 0));
            bytes.push_back(0);
            return *this;
        }

        GifWriter& Comment(std::string const& text)
        {
            bytes.insert(bytes.end(), {0x21, 0xFE});
            SubBlocks(Bytes(text.begin(), text.end()));
            return *this;
        }

        GifWriter& Application(std::string const& identifier, Bytes const& data)
        {
            bytes.insert(bytes.end(), {0x21, 0xFF, 0x0B});
            for (size_t i = 0; i < 11; ++i)
                bytes.push_back(i < identifier.size() ? uint8_t(identifier[i]) : uint8_t(' '));
            SubBlocks(data);
            return *this;
        }

        // An image descriptor, its optional local table, the minimum code
        // size and the code bytes cut into sub-blocks.
        GifWriter& Image(int left, int top, int width, int height, int minimumCodeSize, Bytes const& codes,
                         bool interlaced = false, std::vector<sRGB> const& localPalette = {})
        {
            bytes.push_back(0x2C);
            Little16(left);
            Little16(top);
            Little16(width);
            Little16(height);
            uint8_t packed = interlaced ? 0x40 : 0;
            if (!localPalette.empty())
                packed |= uint8_t(0x80 | (BitsOf(localPalette.size()) - 1));
            bytes.push_back(packed);
            Palette(localPalette);
            bytes.push_back(uint8_t(minimumCodeSize));
            SubBlocks(codes);
            return *this;
        }

        GifWriter& Trailer()
        {
            bytes.push_back(0x3B);
            return *this;
        }

        Bytes bytes;

    private:
        static int BitsOf(size_t entries)
        {
            int bits = 1;
            while ((size_t(1) << bits) < entries)
                ++bits;
            return bits;
        }

        void Little16(int value)
        {
            bytes.push_back(uint8_t(value & 0xFF));
            bytes.push_back(uint8_t((value >> 8) & 0xFF));
        }

        void Palette(std::vector<sRGB> const& palette)
        {
            for (sRGB const& entry : palette)
                bytes.insert(bytes.end(), {entry.r, entry.g, entry.b});
        }

        void SubBlocks(Bytes const& data)
        {
            size_t position = 0;
            while (position < data.size())
            {
                size_t const size = std::min<size_t>(255, data.size() - position);
                bytes.push_back(uint8_t(size));
                bytes.insert(bytes.end(), data.begin() + long(position), data.begin() + long(position + size));
                position += size;
            }
            bytes.push_back(0);
        }
    };

    // A whole single-frame GIF of the given palette indices.
    inline Bytes SimpleGif(int width, int height, std::vector<sRGB> const& palette, std::vector<uint8_t> const& indices,
                           int transparentIndex = -1)
    {
        int bits = 1;
        while ((size_t(1) << bits) < palette.size())
            ++bits;
        int const minimumCodeSize = bits < 2 ? 2 : bits;
        GifWriter gif;
        gif.Header(width, height, palette);
        if (transparentIndex >= 0)
            gif.GraphicControl(transparentIndex);
        gif.Image(0, 0, width, height, minimumCodeSize, CompressLZW(indices, minimumCodeSize)).Trailer();
        return gif.bytes;
    }

    // ---------------------------------------------------------------------
    // PNG and JPEG files

    // RGBA bytes of 0xAARRGGBB pixels.
    inline Bytes ToRGBA(std::vector<Color32> const& pixels)
    {
        Bytes rgba;
        for (Color32 pixel : pixels)
            rgba.insert(rgba.end(), {pixel.GetRed(), pixel.GetGreen(), pixel.GetBlue(), pixel.GetAlpha()});
        return rgba;
    }

    inline void AppendBytes(void* context, void* data, int size)
    {
        Bytes* const bytes = static_cast<Bytes*>(context);
        unsigned char const* const begin = static_cast<unsigned char const*>(data);
        bytes->insert(bytes->end(), begin, begin + size);
    }

    inline Bytes MakePNG(int width, int height, std::vector<Color32> const& pixels)
    {
        Bytes const rgba = ToRGBA(pixels);
        Bytes bytes;
        stbi_write_png_to_func(&AppendBytes, &bytes, width, height, 4, rgba.data(), width * 4);
        return bytes;
    }

    // Opaque; the alpha bytes are not written.
    inline Bytes MakeJPEG(int width, int height, std::vector<Color32> const& pixels)
    {
        Bytes const rgba = ToRGBA(pixels);
        Bytes bytes;
        stbi_write_jpg_to_func(&AppendBytes, &bytes, width, height, 4, rgba.data(), 100);
        return bytes;
    }

    // A PNG that states its size and holds nothing more: enough for its size
    // to be read, not to be decoded.
    inline Bytes PNGHeaderOnly(uint32_t width, uint32_t height)
    {
        Bytes bytes = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
        for (uint32_t value : {width, height})
        {
            bytes.push_back(uint8_t(value >> 24));
            bytes.push_back(uint8_t(value >> 16));
            bytes.push_back(uint8_t(value >> 8));
            bytes.push_back(uint8_t(value));
        }
        bytes.insert(bytes.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
        return bytes;
    }

    // A JPEG start of image and frame header stating the size.
    inline Bytes JPEGHeaderOnly(uint16_t width, uint16_t height)
    {
        return Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, uint8_t(height >> 8), uint8_t(height),
                     uint8_t(width >> 8), uint8_t(width), 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03,
                     0x11, 0x01};
    }

    inline bool NearlyEqual(Color32 a, Color32 b, int tolerance)
    {
        for (int shift = 0; shift < 32; shift += 8)
        {
            int const ca = int((a.value >> shift) & 0xFF);
            int const cb = int((b.value >> shift) & 0xFF);
            if (std::abs(ca - cb) > tolerance)
                return false;
        }
        return true;
    }
    // ---------------------------------------------------------------------
    // A canvas that records the images drawn onto it

    struct sPiece
    {
        IImage const* image;
        float x;
        float y;
        Graphics::sDrawState state;
        bool stretched;
        Rect<int> dest;
    };

    class PieceRecorder : public Graphics::ICanvas, public Graphics::IQuadDrawingCanvas
    {
    public:
        PieceRecorder(int width, int height) : bounds(0, 0, width, height) {}

        Label GetKind() override { return Label::GetUniqueString("Grabadora"); }
        Rect<int> const& GetBounds() override { return bounds; }
        bool QueryInterface(Label name, void** out) override
        {
            if (name == ICanvas::InterfaceLabel())
                *out = static_cast<ICanvas*>(this);
            else if (name == IQuadDrawingCanvas::InterfaceLabel())
                *out = static_cast<IQuadDrawingCanvas*>(this);
            else
                return false;
            return true;
        }
        int DrawFilledRect(Rect<int> const&, Graphics::sDrawState const&) override { return 0; }
        int DrawFilledRect(Rect<float> const&, Graphics::sDrawState const&) override { return 0; }
        int DrawImage(IImage const* image, float x, float y, Graphics::sDrawState const& state) override
        {
            pieces.push_back(sPiece{image, x, y, state, false, Rect<int>()});
            return 0;
        }
        int DrawStretchedImage(IImage const* image, Rect<int> const& dest, Graphics::sDrawState const& state) override
        {
            pieces.push_back(sPiece{image, float(dest.x), float(dest.y), state, true, dest});
            return 0;
        }
        int DrawRotatedImage(IImage const*, float, float, Angle, Graphics::sDrawState const&) override { return 0; }
        int DrawStretchedRotatedImage(IImage const*, Rect<int> const&, Angle, Graphics::sDrawState const&) override
        {
            return 0;
        }
        int DrawPrimitive(PrimitiveKind, IImage const*, int, Graphics::sPrimitiveVertex const*,
                          Graphics::sDrawState const&) override
        {
            return 0;
        }

        // The source rectangle a piece was drawn with, or the whole image.
        static Rect<int> SourceOf(sPiece const& piece)
        {
            if (piece.state.flags & Graphics::DRAW_FLAG_SOURCE_RECT)
                return piece.state.sourceRect;
            return Rect<int>(0, 0, piece.image->GetWidth(), piece.image->GetHeight());
        }

        Rect<int> bounds;
        std::vector<sPiece> pieces;
    };

    // An image of one colour.
    inline Image* SolidImage(int width, int height, Color32 color)
    {
        Image* const image = new Image(width, height);
        for (int i = 0; i < width * height; ++i)
            image->GetPixels()[i] = color;
        return image;
    }
}

#endif
