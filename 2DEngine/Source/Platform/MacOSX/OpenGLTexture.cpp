#include "2DEngine/Source/Platform/MacOSX/OpenGLTexture.h"

#include <algorithm>
#include <vector>

#include <SDL2/SDL_opengl.h>

#include "2DEngine/Source/Graphics/Image.h"

namespace Corvane
{

namespace
{

// Every live texture; main thread only.
std::set<OpenGLTexture*>& GetRegistry()
{
    static std::set<OpenGLTexture*> gmAllTextures;
    return gmAllTextures;
}

// Frames ended so far; drawing stamps a texture with it.
uint32_t gmTextureClock = 0;

uint64_t NextVersion()
{
    static uint64_t gmUploads = 0;
    return ++gmUploads;
}

} // namespace

OpenGLTexture::OpenGLTexture(Image const* image)
    : mReferenceCount(1), mTextureName(0), mImage(image), mDirty(true), mVersion(0),
      mLastUse(0)
{
    if (mImage)
        mDescriptor = sTextureDescriptor::ForImageSize(mImage->GetWidth(), mImage->GetHeight());
    GetRegistry().insert(this);
    if (mImage)
        mImage->SetTexture(this);
}

OpenGLTexture::~OpenGLTexture()
{
    Delete();
    GetRegistry().erase(this);
}

void OpenGLTexture::AddRef()
{
    ++mReferenceCount;
}

void OpenGLTexture::Release()
{
    if (--mReferenceCount <= 0)
        delete this;
}

void OpenGLTexture::Allocate()
{
    glGenTextures(1, &mTextureName);
    glBindTexture(GL_TEXTURE_2D, mTextureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Transparent black outside the image, so that linear filtering at its
    // edges blends towards nothing rather than towards stale memory.
    std::vector<uint32_t> const scratch(size_t(mDescriptor.textureWidth) * size_t(mDescriptor.textureHeight), 0u);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, mDescriptor.textureWidth, mDescriptor.textureHeight, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, scratch.data());
    mVersion = NextVersion();
}

unsigned int OpenGLTexture::GetTextureID()
{
    mLastUse = gmTextureClock;
    // An image filled again at another size would be read past its end at the old one.
    if (mImage && (mImage->GetWidth() != mDescriptor.width || mImage->GetHeight() != mDescriptor.height))
    {
        Delete();
        mDescriptor = sTextureDescriptor::ForImageSize(mImage->GetWidth(), mImage->GetHeight());
    }
    if (mTextureName == 0)
        Allocate();
    if (mDirty)
    {
        glBindTexture(GL_TEXTURE_2D, mTextureName);
        Color32 const* const pixels = mImage ? mImage->GetPixels() : nullptr;
        if (pixels && mDescriptor.width > 0 && mDescriptor.height > 0)
        {
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
            // 0xAARRGGBB words lie in memory as B, G, R, A.
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, mDescriptor.width, mDescriptor.height, GL_BGRA, GL_UNSIGNED_BYTE,
                            pixels);
            mInk = FindTextureInk(pixels, mDescriptor.width, mDescriptor.height, mDescriptor.textureWidth,
                                  mDescriptor.textureHeight);
        }
        else
        {
            mInk = sTextureInk();
        }
        mDirty = false;
        mVersion = NextVersion();
    }
    return mTextureName;
}

void OpenGLTexture::Delete()
{
    if (mTextureName != 0)
    {
        glDeleteTextures(1, &mTextureName);
        mTextureName = 0;
    }
    mDirty = true;
}

std::set<OpenGLTexture*> const& OpenGLTexture::GetAllTextures()
{
    return GetRegistry();
}

size_t OpenGLTexture::GetBytes() const
{
    if (mTextureName == 0)
        return 0;
    return size_t(mDescriptor.textureWidth) * size_t(mDescriptor.textureHeight) * 4;
}

size_t OpenGLTexture::GetAllocatedBytes()
{
    size_t bytes = 0;
    for (OpenGLTexture const* texture : GetRegistry())
        bytes += texture->GetBytes();
    return bytes;
}

void OpenGLTexture::EndFrame(size_t budgetBytes)
{
    uint32_t const frame = gmTextureClock++;
    size_t bytes = GetAllocatedBytes();
    if (bytes <= budgetBytes)
        return;
    std::vector<OpenGLTexture*> idle;
    for (OpenGLTexture* texture : GetRegistry())
    {
        if (texture->mTextureName != 0 && texture->mLastUse != frame)
            idle.push_back(texture);
    }
    std::sort(idle.begin(), idle.end(), [frame](OpenGLTexture const* a, OpenGLTexture const* b) {
        return frame - a->mLastUse > frame - b->mLastUse;
    });
    for (OpenGLTexture* texture : idle)
    {
        if (bytes <= budgetBytes)
            break;
        bytes -= texture->GetBytes();
        texture->Delete();
    }
}

void OpenGLTexture::DeleteAll()
{
    for (OpenGLTexture* texture : GetRegistry())
        texture->Delete();
}

} // namespace Corvane
