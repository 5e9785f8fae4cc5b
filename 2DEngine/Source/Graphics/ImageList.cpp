#include "2DEngine/Source/Graphics/ImageList.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

#include "Core/Source/FileSystem.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringFormatter.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageManager.h"
#include "2DEngine/Source/Graphics/PixelMath.h"

namespace Corvane
{

// ---------------------------------------------------------------------------
// ImageList

ImageList::ImageList()
{
}

ImageList::~ImageList()
{
    for (size_t i = 0; i < mImages.size(); ++i)
    {
        if (mOwned[i])
            delete mImages[i];
    }
}

void ImageList::AddImage(IImage const* image)
{
    mImages.push_back(image);
    mOwned.push_back(false);
}

void ImageList::AddOwnedImage(IImage const* image)
{
    mImages.push_back(image);
    mOwned.push_back(true);
}

bool ImageList::IsValidImage(int index) const
{
    return index >= 0 && size_t(index) < mImages.size() && mImages[size_t(index)] != nullptr;
}

IImage const* ImageList::GetImage(int index) const
{
    return IsValidImage(index) ? mImages[size_t(index)] : nullptr;
}

int ImageList::GetNumImages() const
{
    return int(mImages.size());
}

int ImageList::GetImageWidth(int index) const
{
    IImage const* const image = GetImage(index);
    return image ? image->GetWidth() : 0;
}

int ImageList::GetImageHeight(int index) const
{
    IImage const* const image = GetImage(index);
    return image ? image->GetHeight() : 0;
}

int ImageList::GetImagePixelAlpha(int index, int x, int y) const
{
    IImage const* const image = GetImage(index);
    return image ? int(image->GetPixel(x, y).GetAlpha()) : 0;
}

Color32 ImageList::GetImagePixel(int index, int x, int y) const
{
    IImage const* const image = GetImage(index);
    return image ? image->GetPixel(x, y) : Color32(0);
}

int ImageList::DrawImage(int index, float x, float y, Graphics::sDrawState const& state,
                         Graphics::ICanvas* canvas) const
{
    IImage const* const image = GetImage(index);
    if (!image)
        return Graphics::kNothingToDraw;
    return Graphics::DrawImage(image, x, y, state, canvas);
}

int ImageList::DrawStretchedImage(int index, Rect<float>& rect, Graphics::sDrawState const& state,
                                  Graphics::ICanvas* canvas) const
{
    IImage const* const image = GetImage(index);
    if (!image)
        return Graphics::kNothingToDraw;
    return Graphics::DrawStretchedImage(image, Internal::FloorRect(rect), state, canvas);
}

// ---------------------------------------------------------------------------
// FilmStrip

namespace
{

// The state drawing only the pane of a film strip's image.
Graphics::sDrawState WithSourceRect(Graphics::sDrawState const& state, Rect<int> const& pane)
{
    Graphics::sDrawState result(state);
    result.sourceRect = pane;
    result.flags |= Graphics::DRAW_FLAG_SOURCE_RECT;
    return result;
}

} // namespace

FilmStrip::FilmStrip() : mImage(nullptr), mColumns(0), mRows(0)
{
}

FilmStrip::~FilmStrip()
{
    delete mImage;
}

void FilmStrip::Init(IImage const* image, int columns, int rows)
{
    if (image != mImage)
        delete mImage;
    mImage = image;
    mColumns = columns > 0 ? columns : 1;
    mRows = rows > 0 ? rows : 1;
}

Rect<int> FilmStrip::GetPaneRect(int index) const
{
    if (mColumns < 1)
        return Rect<int>();
    int const paneWidth = GetImageWidth(index);
    int const paneHeight = GetImageHeight(index);
    int const column = index % mColumns;
    int const row = index / mColumns;
    int64_t const x = int64_t(column) * paneWidth;
    int64_t const y = int64_t(row) * paneHeight;
    return Rect<int>(Internal::ClampToInt(x), Internal::ClampToInt(y), paneWidth, paneHeight);
}

int FilmStrip::GetNumImages() const
{
    return Internal::ClampToInt(int64_t(mColumns) * int64_t(mRows));
}

int FilmStrip::GetImageWidth(int) const
{
    return (mImage && mColumns > 0) ? mImage->GetWidth() / mColumns : 0;
}

int FilmStrip::GetImageHeight(int) const
{
    return (mImage && mRows > 0) ? mImage->GetHeight() / mRows : 0;
}

int FilmStrip::GetImagePixelAlpha(int index, int x, int y) const
{
    return int(GetImagePixel(index, x, y).GetAlpha());
}

Color32 FilmStrip::GetImagePixel(int index, int x, int y) const
{
    if (!mImage)
        return Color32(0);
    Rect<int> const pane = GetPaneRect(index);
    return mImage->GetPixel(Internal::ClampToInt(int64_t(pane.x) + x), Internal::ClampToInt(int64_t(pane.y) + y));
}

int FilmStrip::DrawImage(int index, float x, float y, Graphics::sDrawState const& state,
                         Graphics::ICanvas* canvas) const
{
    if (!mImage)
        return Graphics::kNothingToDraw;
    return Graphics::DrawImage(mImage, x, y, WithSourceRect(state, GetPaneRect(index)), canvas);
}

int FilmStrip::DrawStretchedImage(int index, Rect<float>& rect, Graphics::sDrawState const& state,
                                  Graphics::ICanvas* canvas) const
{
    if (!mImage)
        return Graphics::kNothingToDraw;
    return Graphics::DrawStretchedImage(mImage, Internal::FloorRect(rect), WithSourceRect(state, GetPaneRect(index)),
                                        canvas);
}

// ---------------------------------------------------------------------------
// Resource factories

namespace
{

// The file name of frame n of a pattern.
std::wstring FormatFrameName(std::wstring const& pattern, int64_t n)
{
    StringFormatter formatter(pattern);
    formatter.Arg(int(n));
    return formatter.c_str();
}

// Whether one of the image's candidate files exists.
bool ImageFileExists(std::wstring const& name)
{
    IFileSource* const source = GetFileSource();
    if (!source)
        return false;
    IStreamable* const streamable = dynamic_cast<IStreamable*>(source);
    FileVariant const variant = ImageManager::GetImageFileVariant(name);
    for (std::wstring const& extension : variant.extensions)
    {
        FileAddress const address(kFileSystemPartition_Resources, name, extension);
        if (streamable)
        {
            if (streamable->GetFileStatus(address) != kFileStatus_Unavailable)
                return true;
            continue;
        }
        IStream* const stream = source->OpenFileStream(address);
        if (stream)
        {
            Internal::CloseImageStream(stream);
            return true;
        }
    }
    return false;
}

// More names than any list holds; a run that gets this far is a typing error
// (a "first" far below 0) and would otherwise probe files for hours.
constexpr int64_t kMaxPatternRun = 10000;

// Calls visit(name) for each frame name of the pattern that the run takes, in
// order: from "first" to "last", stopping at the first missing name above 0.
// A pattern without a placeholder names the same file every time; the run
// then stops after it instead of repeating it two billion times.
template <class Exists, class Visit>
void ForEachPatternName(IAttributeContainer const& attributes, Exists exists, Visit visit)
{
    std::wstring const pattern = attributes.GetAttribute(L"pattern");
    int64_t const first = attributes.GetAttribute(L"first", 0);
    int64_t const last =
        std::min<int64_t>(attributes.GetAttribute(L"last", std::numeric_limits<int>::max()), first + kMaxPatternRun - 1);
    std::wstring previous;
    for (int64_t n = first; n <= last; ++n)
    {
        std::wstring const name = FormatFrameName(pattern, n);
        if (n > first && name == previous)
            break;
        previous = name;
        if (!exists(name, n))
        {
            if (n > 0)
                break;
            continue;
        }
        visit(name);
    }
}

// Builds the resource of the reader's current start element.
//
// Hook: the resource manager does not offer its factory dispatch to other
// factories, so children are built here by the factories of the graphics
// tags; any other tag makes no resource.
IResourceDescriptor* BuildChildResource(std::wstring const& manifest, IXMLReader& reader)
{
    XMLElement* const current = reader.GetCurrentElement();
    if (!current || current->kind != XMLElement::kStartElement)
        return nullptr;
    XMLElement const element(*current);
    Label name;
    std::wstring const nameText = element.GetAttribute(L"name");
    if (!nameText.empty())
        name = Label::FromString(nameText);
    XMLElementReader confined(&reader);
    if (element.name == L"image")
        return ImageResourceFactory().CreateResource(manifest, name, element, confined);
    if (element.name == L"imagelist")
        return ImageListResourceFactory().CreateResource(manifest, name, element, confined);
    if (element.name == L"filmstrip")
        return FilmStripResourceFactory().CreateResource(manifest, name, element, confined);
    return nullptr;
}

// Reads the element's own start element, after which the reader yields its
// children. A confined reader reports its end until that first read; a reader
// with nothing at all to give (an element built without a document) throws,
// which means no children.
void ReadOwnElement(IXMLReader& reader)
{
    try
    {
        reader.ReadElement();
    }
    catch (XMLError const&)
    {
    }
}

} // namespace

IResourceDescriptor* ImageListResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                              IAttributeContainer const& attributes,
                                                              IXMLReader& reader) const
{
    std::unique_ptr<ResourceWrapper<ImageList>> list(new ResourceWrapper<ImageList>(manifest, name, attributes));
    if (attributes.HasAttribute(L"pattern"))
    {
        ForEachPatternName(
            attributes,
            [&](std::wstring const& frameName, int64_t) {
                Image* const image = ImageManager::LoadImage(frameName.c_str());
                if (!image)
                    return false;
                list->AddOwnedImage(image);
                return true;
            },
            [](std::wstring const&) {});
    }

    bool failed = false;
    ReadOwnElement(reader);
    while (!reader.IsEOF())
    {
        XMLElement* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        std::unique_ptr<IResourceDescriptor> child(BuildChildResource(manifest, reader));
        IImage const* const image = dynamic_cast<IImage const*>(child.get());
        if (!image)
        {
            failed = true;
            continue;
        }
        child.release();
        list->AddOwnedImage(image);
    }
    if (failed)
        return nullptr;
    return list.release();
}

void ImageListResourceFactory::GetFileListForResource(std::list<FileVariant>* files, std::wstring const&, Label,
                                                      IAttributeContainer const& attributes,
                                                      IXMLReader& reader) const
{
    if (!files)
        return;
    if (attributes.HasAttribute(L"pattern"))
    {
        ForEachPatternName(
            attributes, [](std::wstring const& frameName, int64_t n) { return n <= 0 || ImageFileExists(frameName); },
            [&](std::wstring const& frameName) {
                ImageManager::AddImageFileVariants(files, frameName);
            });
    }
    ReadOwnElement(reader);
    while (!reader.IsEOF())
    {
        XMLElement* const element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        std::wstring const source = element->GetAttribute(L"src");
        ImageManager::AddImageFileVariants(files, source);
    }
}

IResourceDescriptor* FilmStripResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                              IAttributeContainer const& attributes,
                                                              IXMLReader&) const
{
    std::wstring const source = attributes.GetAttribute(L"src");
    Image* const image = ImageManager::LoadImage(source.c_str());
    if (!image)
        return nullptr;
    int const columns = attributes.GetAttribute(L"cols", 0);
    int const rows = attributes.GetAttribute(L"rows", 0);
    ResourceWrapper<FilmStrip>* const strip = new ResourceWrapper<FilmStrip>(manifest, name, attributes);
    strip->Init(image, columns, rows);
    return strip;
}

void FilmStripResourceFactory::GetFileListForResource(std::list<FileVariant>* files, std::wstring const&, Label,
                                                      IAttributeContainer const& attributes, IXMLReader&) const
{
    if (!files)
        return;
    ImageManager::AddImageFileVariants(files, attributes.GetAttribute(L"src"));
}

} // namespace Corvane
