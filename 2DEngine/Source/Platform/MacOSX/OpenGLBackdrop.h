#ifndef CORVANE_PLATFORM_MACOSX_OPENGLBACKDROP_H
#define CORVANE_PLATFORM_MACOSX_OPENGLBACKDROP_H

// A picture of the window holding only a kept frame's first batches, those
// under everything that moves. A repainted part of a later frame whose first
// batches are the same starts from a copy of the picture and draws only the
// batches after them: one opaque copy instead of every layer beneath (a page
// of stuck stickers under the one carried, the game under a reward screen).
// The picture is taken once those batches have stayed the same for some
// frames, and forgotten as soon as one of them changes; the wait doubles each
// time a picture is forgotten early, so a screen whose lowest layers keep
// changing is not drawn whole again and again for nothing.

#include <cstddef>
#include <cstdint>

namespace Corvane
{

class OpenGLBackdrop
{
public:
    OpenGLBackdrop() = default;
    ~OpenGLBackdrop();
    OpenGLBackdrop(OpenGLBackdrop const&) = delete;
    OpenGLBackdrop& operator=(OpenGLBackdrop const&) = delete;

    // The batches the picture holds; 0 without a picture.
    std::size_t GetCount() const { return mCount; }
    // Drops the picture (the window was drawn whole, moved or lost).
    void Forget();

    // A kept frame that differs from the one shown from its batch firstChange
    // on. Drops a picture holding a changed batch; says how many of the
    // frame's first batches are worth a new picture now, or 0.
    std::size_t Observe(std::size_t firstChange);

    // Takes the picture of the back buffer, which holds the frame's first
    // count batches drawn whole over the window of width x height pixels.
    void Capture(std::size_t count, int width, int height);
    // The pictures taken so far, by every backdrop (for measuring a screen once its picture is taken).
    static uint64_t PicturesTaken();

    // Copies the rectangle of the picture (window pixels, rows from the
    // bottom) into the back buffer, replacing what is there.
    void Draw(int x, int y, int width, int height) const;

private:
    unsigned int mTexture = 0;
    // The window's size, and the texture's.
    int mWidth = 0;
    int mHeight = 0;
    int mTextureWidth = 0;
    int mTextureHeight = 0;
    std::size_t mCount = 0;
    // Changing frames since the picture was dropped, and the lowest first change among them.
    int mSteadyFrames = 0;
    std::size_t mSteadyFirst = 0;
    int mFramesRequired = 0;
    int mFramesHeld = 0;
};

} // namespace Corvane

#endif
