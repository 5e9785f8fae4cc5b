#ifndef CORVANE_PLATFORM_MACOSX_OPENGLTEXTURE_H
#define CORVANE_PLATFORM_MACOSX_OPENGLTEXTURE_H

// One image mirrored in a power-of-two OpenGL texture, created and filled
// when first drawn and refilled after the image says it changed.

#include <cstdint>
#include <set>

#include "2DEngine/Source/Graphics/Texture.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTextureInk.h"

namespace Corvane
{

class OpenGLTexture : public ITexture
{
public:
    // Count 1 (the creator's), no GL name yet, dirty. Attaches itself to the
    // image, which takes a reference of its own, and joins the registry of all textures.
    explicit OpenGLTexture(Image const* image);
    ~OpenGLTexture() override;
    OpenGLTexture(OpenGLTexture const&) = delete;
    OpenGLTexture& operator=(OpenGLTexture const&) = delete;

    void AddRef() override;
    // Destroys the texture when the count reaches 0.
    void Release() override;
    int GetReferenceCount() const { return mReferenceCount; }

    sTextureDescriptor const& GetDescriptor() const override { return mDescriptor; }
    Image const* GetImage() const override { return mImage; }
    void Refresh() override { mDirty = true; }
    void SendToRenderer() override {}

    // The GL name, allocating the texture on first use and uploading the
    // image's pixels when they are stale. Needs a current context.
    unsigned int GetTextureID();
    // Gives up the GL name; the next GetTextureID allocates and fills it again.
    void Delete();

    bool IsDirty() const { return mDirty; }
    // Changes with every upload into this texture and differs between any two
    // uploads of the process, so equal versions mean equal contents.
    uint64_t GetVersion() const { return mVersion; }
    bool HasTextureName() const { return mTextureName != 0; }
    // Where the uploaded pixels are visible; the whole texture before an upload.
    sTextureInk const& GetInk() const { return mInk; }

    // Every live texture; the graphics platform drops their GL names when its context goes away.
    static std::set<OpenGLTexture*> const& GetAllTextures();
    static void DeleteAll();

    // Ends a frame of the texture clock. While the textures hold more than
    // budgetBytes, those drawn longest ago (never one drawn in this frame) give
    // up their GL names; they are filled again from their images when next
    // drawn. The software renderer keeps textures in the process's own memory,
    // and a player who visits every screen would otherwise keep every picture twice.
    static void EndFrame(size_t budgetBytes = kTextureBudgetBytes);
    // Bytes held by allocated textures (their power-of-two sizes).
    static size_t GetAllocatedBytes();

    static constexpr size_t kTextureBudgetBytes = size_t(32) * 1024 * 1024;

private:
    void Allocate();
    size_t GetBytes() const;

    int mReferenceCount;
    unsigned int mTextureName;
    sTextureDescriptor mDescriptor;
    Image const* mImage;
    bool mDirty;
    uint64_t mVersion;
    uint32_t mLastUse;
    sTextureInk mInk;
};

} // namespace Corvane

#endif
