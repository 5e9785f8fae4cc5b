#include "2DEngine/Source/Platform/MacOSX/OpenGLBackdrop.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

#include <SDL2/SDL_opengl.h>

namespace Corvane
{

namespace
{

// Changing frames with the same batches beneath before a first picture is taken.
constexpr int kFirstWait = 3;
// The longest wait, after pictures forgotten early again and again.
constexpr int kLongestWait = 96;
// A picture kept this many frames has paid for itself: the wait starts short again.
constexpr int kPaidFor = 48;

std::atomic<uint64_t> gPicturesTaken(0);

int PowerOfTwoAtLeast(int size)
{
    int power = 1;
    while (power < size)
        power *= 2;
    return power;
}

} // namespace

OpenGLBackdrop::~OpenGLBackdrop()
{
    if (mTexture != 0)
        glDeleteTextures(1, &mTexture);
}

void OpenGLBackdrop::Forget()
{
    mCount = 0;
    mSteadyFrames = 0;
}

std::size_t OpenGLBackdrop::Observe(std::size_t firstChange)
{
    if (mFramesRequired == 0)
        mFramesRequired = kFirstWait;
    if (mCount > 0)
    {
        if (firstChange >= mCount)
        {
            if (++mFramesHeld >= kPaidFor)
                mFramesRequired = kFirstWait;
            return 0;
        }
        if (mFramesHeld < kPaidFor)
            mFramesRequired = std::min(mFramesRequired * 2, kLongestWait);
        Forget();
    }
    mSteadyFirst = mSteadyFrames == 0 ? firstChange : std::min(mSteadyFirst, firstChange);
    ++mSteadyFrames;
    return mSteadyFrames >= mFramesRequired ? mSteadyFirst : 0;
}

void OpenGLBackdrop::Capture(std::size_t count, int width, int height)
{
    if (count == 0 || width <= 0 || height <= 0)
        return;
    if (mTexture == 0)
        glGenTextures(1, &mTexture);
    glBindTexture(GL_TEXTURE_2D, mTexture);
    if (width != mWidth || height != mHeight)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        // Copied back texel for pixel.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        // Made as the pictures' textures are (a power of two, four channels filled as B, G, R, A), so
        // that the software renderer copies it with the code it already built for an opaque white
        // picture drawn texel for pixel, rather than building code of its own for it.
        mTextureWidth = PowerOfTwoAtLeast(width);
        mTextureHeight = PowerOfTwoAtLeast(height);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, mTextureWidth, mTextureHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        mWidth = width;
        mHeight = height;
    }
    // Read back and uploaded rather than copied within OpenGL: the software renderer copies
    // between the window's format and a texture's by a shader it builds the first time, which
    // costs more than many such captures.
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    mCount = count;
    ++gPicturesTaken;
    mFramesHeld = 0;
    mSteadyFrames = 0;
}

void OpenGLBackdrop::Draw(int x, int y, int width, int height) const
{
    if (mCount == 0 || mWidth <= 0 || mHeight <= 0 || width <= 0 || height <= 0)
        return;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, mWidth, mHeight);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, double(mWidth), 0.0, double(mHeight), -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    GLboolean const blending = glIsEnabled(GL_BLEND);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, mTexture);
    // The texels as they are, colour and alpha, whatever the current colour.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    float const left = float(x) / float(mTextureWidth);
    float const right = float(x + width) / float(mTextureWidth);
    float const bottom = float(y) / float(mTextureHeight);
    float const top = float(y + height) / float(mTextureHeight);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(left, top);
    glVertex2f(float(x), float(y + height));
    glTexCoord2f(left, bottom);
    glVertex2f(float(x), float(y));
    glTexCoord2f(right, top);
    glVertex2f(float(x + width), float(y + height));
    glTexCoord2f(right, bottom);
    glVertex2f(float(x + width), float(y));
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (blending)
        glEnable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

uint64_t OpenGLBackdrop::PicturesTaken()
{
    return gPicturesTaken.load();
}

} // namespace Corvane
