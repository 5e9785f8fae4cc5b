// libFuzzer target for the GIF decoder: any input must end in an image or in
// nothing, never in a crash, a hang or an access outside a buffer. A decoded
// image has the size it reports, within the size limit, and every pixel is
// either opaque or, when the decoder says so, transparent black or keyed.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "Core/Source/MemoryStream.h"
#include "2DEngine/Source/Graphics/GIFDecoder.h"
#include "2DEngine/Source/Graphics/ImageManager.h"

using namespace Corvane;

namespace
{
    MemoryStream* StreamOver(uint8_t const* data, size_t size)
    {
        MemoryStream* const stream = new MemoryStream(L"fuzz.gif");
        if (size > 0)
            stream->Write(data, size);
        stream->Seek(kSeekBegin, 0);
        return stream;
    }

    void CheckColour(uint8_t const* data, size_t size)
    {
        std::unique_ptr<MemoryStream> const stream(StreamOver(data, size));
        Internal::C_ImageSet set;
        int width = -1;
        int height = -1;
        bool transparent = false;
        int frames = -1;
        std::unique_ptr<Color32[]> const pixels(set.LoadOpenFileGIF(stream.get(), width, height, transparent, frames));
        if (!pixels)
            return;
        if (!Internal::IsImageSizeAllowed(width, height) || (frames != 0 && frames != 1))
            std::abort();
        size_t const count = size_t(width) * size_t(height);
        for (size_t i = 0; i < count; ++i)
        {
            uint32_t const alpha = pixels[i].value >> 24;
            if (alpha != 0xFF && (!transparent || alpha != 0))
                std::abort();
        }
    }

    void CheckGrey(uint8_t const* data, size_t size)
    {
        std::unique_ptr<MemoryStream> const stream(StreamOver(data, size));
        Internal::C_ImageSet set;
        int width = -1;
        int height = -1;
        int frames = -1;
        std::unique_ptr<uint8_t[]> const grey(set.LoadOpenFileGIFGrey(stream.get(), width, height, frames));
        if (!grey)
            return;
        if (!Internal::IsImageSizeAllowed(width, height))
            std::abort();
        // Every value is read, so that a buffer shorter than its size is caught.
        unsigned sum = 0;
        size_t const count = size_t(width) * size_t(height);
        for (size_t i = 0; i < count; ++i)
            sum += grey[i];
        volatile unsigned sink = sum;
        (void)sink;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckColour(data, size);
    CheckGrey(data, size);
    return 0;
}
