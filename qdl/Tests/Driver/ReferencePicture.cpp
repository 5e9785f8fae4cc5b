#include "qdl/Tests/Driver/ReferencePicture.h"

#include <algorithm>
#include <cstdlib>

namespace GameDriver
{

namespace
{

int ChannelDifference(sPicture const& a, sPicture const& b, size_t pixel)
{
    int largest = 0;
    for (size_t channel = 0; channel < 3; ++channel)
        largest = std::max(largest, std::abs(int(a.rgba[pixel * 4 + channel]) - int(b.rgba[pixel * 4 + channel])));
    return largest;
}

// The reference faded to grey, with every pixel that differs in bright magenta.
sPicture DifferencePicture(sPicture const& screen, sPicture const& reference, int tolerance)
{
    sPicture difference = reference;
    size_t const count = size_t(reference.width) * size_t(reference.height);
    for (size_t pixel = 0; pixel < count; ++pixel)
    {
        unsigned char* const rgba = &difference.rgba[pixel * 4];
        if (ChannelDifference(screen, reference, pixel) > tolerance)
        {
            rgba[0] = 255;
            rgba[1] = 0;
            rgba[2] = 255;
        }
        else
        {
            unsigned char const grey = static_cast<unsigned char>(64 + (rgba[0] + rgba[1] + rgba[2]) / 12);
            rgba[0] = rgba[1] = rgba[2] = grey;
        }
    }
    return difference;
}

std::string PictureFolder()
{
    char const* const folder = std::getenv("QDL_REFERENCE_PICTURE_DIR");
    if (folder && *folder)
        return std::string(folder) + "/";
    return ::testing::TempDir();
}

} // namespace

sPictureDifference ComparePictures(sPicture const& a, sPicture const& b, int tolerance)
{
    sPictureDifference found;
    size_t const count = size_t(a.width) * size_t(a.height);
    for (size_t pixel = 0; pixel < count; ++pixel)
    {
        int const channel = ChannelDifference(a, b, pixel);
        found.largest = std::max(found.largest, channel);
        if (channel > tolerance)
            ++found.pixels;
    }
    return found;
}

::testing::AssertionResult ShowsTheReferencePicture(Child& child, std::string const& name, int tolerance)
{
    sPicture screen;
    sPicture reference;
    if (!child.DrawOptimisedAndReference(&screen, &reference))
        return ::testing::AssertionFailure() << name << ": no picture could be read";
    if (std::getenv("QDL_REFERENCE_PICTURE_DIR"))
        SavePicture(screen, PictureFolder() + name + ".png");
    if (screen.width != reference.width || screen.height != reference.height)
        return ::testing::AssertionFailure() << name << ": the screen is " << screen.width << "x" << screen.height
                                             << ", the reference " << reference.width << "x" << reference.height;

    sPictureDifference const difference = ComparePictures(screen, reference, tolerance);
    if (difference.pixels == 0)
        return ::testing::AssertionSuccess();
    std::string const stem = PictureFolder() + name;
    SavePicture(screen, stem + "-screen.png");
    SavePicture(reference, stem + "-reference.png");
    SavePicture(DifferencePicture(screen, reference, tolerance), stem + "-difference.png");
    return ::testing::AssertionFailure() << name << ": " << difference.pixels << " pixels differ from the reference by up to "
                                         << difference.largest << " (tolerance " << tolerance << "); see " << stem
                                         << "-screen.png, -reference.png and -difference.png";
}

} // namespace GameDriver
