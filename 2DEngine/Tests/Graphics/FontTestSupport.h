#ifndef CORVANE_TESTS_GRAPHICS_FONTTESTSUPPORT_H
#define CORVANE_TESTS_GRAPHICS_FONTTESTSUPPORT_H

// Fonts for the text tests: a font with given advances and no atlas, made
// available as "testfont" resources, and a manifest loader that reads from
// memory on the test's thread.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Core/Source/MemoryStream.h"
#include "Core/Tests/Support/StderrCapture.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Font.h"

namespace FontTesting
{
using namespace Corvane;

// Every character advances by the default advance unless given its own;
// kerning is not used. The advance of a character never depends on the next.
class AdvanceFont : public Font
{
public:
    explicit AdvanceFont(int advance = 10, int height = 16) : mAdvance(advance), mHeight(height) {}

    void GetGlyph(wchar_t, sGlyph* out) const override
    {
        if (out)
            *out = {nullptr, 0, 0, 0, 0};
    }
    int32_t GetGlyphHeight() const override { return mHeight; }
    int32_t GetKernedLetterWidth(wchar_t c, wchar_t) const override
    {
        auto found = mAdvances.find(c);
        return found == mAdvances.end() ? mAdvance : found->second;
    }

    void SetAdvance(wchar_t c, int advance) { mAdvances[c] = advance; }
    void SetDefaults(int advance, int height)
    {
        mAdvance = advance;
        mHeight = height;
    }

private:
    int mAdvance;
    int mHeight;
    std::map<wchar_t, int> mAdvances;
};

// "testfont" elements: "advance" and "height".
class AdvanceFontFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader&) const override
    {
        ResourceWrapper<AdvanceFont>* font = new ResourceWrapper<AdvanceFont>(manifest, name, attributes);
        font->SetDefaults(attributes.GetAttribute(L"advance", 10), attributes.GetAttribute(L"height", 16));
        return font;
    }
};

// Reads a manifest body from memory on this thread.
inline void LoadManifestText(std::wstring const& manifest, std::wstring const& body)
{
    std::string const bytes = ConvertStringWideToUTF8String(
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n" + body + L"\n</resources>\n");
    MemoryStream stream(manifest + L".xml");
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(kSeekBegin, 0);
    GetResourceManager()->LoadFromStream(&stream, manifest.c_str());
}

// Each test starts with a fresh resource manager that serves "testfont".
class FontResourceFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        GetResourceManager()->AddResourceFactory(L"testfont", new AdvanceFontFactory());
    }

    void TearDown() override
    {
        GetResourceManager()->Cleanup();
        Internal::DeleteAllSingletons();
    }
};

using ::TestSupport::StderrCapture;

} // namespace FontTesting

#endif
