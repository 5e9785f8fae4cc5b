#ifndef CORVANE_GRAPHICS_IMAGELIST_H
#define CORVANE_GRAPHICS_IMAGELIST_H

// Numbered frames behind one interface: a list of separate images, or one
// image cut into equal panes (a film strip). Also the tiling of one image over
// an area, drawn and queried pixel by pixel.

#include <cstdint>
#include <list>
#include <vector>

#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class IImage;

// Frames numbered from 0, each with its own size.
class IImageList
{
public:
    virtual ~IImageList() {}

    virtual int GetNumImages() const = 0;
    virtual int GetImageWidth(int index) const = 0;
    virtual int GetImageHeight(int index) const = 0;
    // 0..255.
    virtual int GetImagePixelAlpha(int index, int x, int y) const = 0;
    virtual Color32 GetImagePixel(int index, int x, int y) const = 0;
    // Draw results of the drawing facade.
    virtual int DrawImage(int index, float x, float y, Graphics::sDrawState const& state,
                          Graphics::ICanvas* canvas) const = 0;
    virtual int DrawStretchedImage(int index, Rect<float>& rect, Graphics::sDrawState const& state,
                                   Graphics::ICanvas* canvas) const = 0;
};

// Separate images, each borrowed or owned.
class ImageList : public IImageList
{
public:
    ImageList();
    // Deletes the owned images.
    ~ImageList() override;
    ImageList(ImageList const&) = delete;
    ImageList& operator=(ImageList const&) = delete;

    void AddImage(IImage const* image);
    // The list deletes the image with itself.
    void AddOwnedImage(IImage const* image);

    bool IsValidImage(int index) const;
    // Null for an index that is not valid.
    IImage const* GetImage(int index) const;

    int GetNumImages() const override;
    // 0 for an index that is not valid.
    int GetImageWidth(int index) const override;
    int GetImageHeight(int index) const override;
    int GetImagePixelAlpha(int index, int x, int y) const override;
    Color32 GetImagePixel(int index, int x, int y) const override;
    // 1 for an index that is not valid.
    int DrawImage(int index, float x, float y, Graphics::sDrawState const& state,
                  Graphics::ICanvas* canvas) const override;
    // The rectangle's fields are floored to whole pixels.
    int DrawStretchedImage(int index, Rect<float>& rect, Graphics::sDrawState const& state,
                           Graphics::ICanvas* canvas) const override;

private:
    std::vector<IImage const*> mImages;
    std::vector<bool> mOwned;
};

// One image cut into columns x rows equal panes, numbered row by row from the
// top-left pane.
class FilmStrip : public IImageList
{
public:
    // No image, 0 columns and rows; filled by its resource factory.
    FilmStrip();
    ~FilmStrip() override;
    FilmStrip(FilmStrip const&) = delete;
    FilmStrip& operator=(FilmStrip const&) = delete;

    // Takes ownership of the image (the previous one is deleted); counts below
    // 1 are taken as 1.
    void Init(IImage const* image, int columns, int rows);

    IImage const* GetImage() const { return mImage; }
    int GetColumns() const { return mColumns; }
    int GetRows() const { return mRows; }
    // The pane of the frame in the image. The index is not checked: one beyond
    // the frames addresses a rectangle outside the image, which draws nothing.
    Rect<int> GetPaneRect(int index) const;

    int GetNumImages() const override;
    int GetImageWidth(int index) const override;
    int GetImageHeight(int index) const override;
    // Coordinates are relative to the pane but not confined to it.
    int GetImagePixelAlpha(int index, int x, int y) const override;
    Color32 GetImagePixel(int index, int x, int y) const override;
    int DrawImage(int index, float x, float y, Graphics::sDrawState const& state,
                  Graphics::ICanvas* canvas) const override;
    int DrawStretchedImage(int index, Rect<float>& rect, Graphics::sDrawState const& state,
                           Graphics::ICanvas* canvas) const override;

private:
    IImage const* mImage;
    int mColumns;
    int mRows;
};

// The "imagelist" element: "pattern" (a formatter pattern taking the frame
// number), "first" (default 0), "last" (default 2147483647), and any child
// elements whose resources are images.
class ImageListResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
    void GetFileListForResource(std::list<FileVariant>* files, std::wstring const& manifest, Label name,
                                IAttributeContainer const& attributes, IXMLReader& reader) const override;
};

// The "filmstrip" element: "src", "cols" and "rows" (absent or 0 means 1).
class FilmStripResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
    void GetFileListForResource(std::list<FileVariant>* files, std::wstring const& manifest, Label name,
                                IAttributeContainer const& attributes, IXMLReader& reader) const override;
};

namespace Graphics
{

// Fills dest with copies of the image, the image pixel at offset lying at
// dest's top-left corner. 1 when there is no image, the image is empty or dest
// has no area; otherwise 0 (the pieces' own results are not reported).
int DrawTiledImageHV(IImage const* image, Rect<float> const& dest, Vector2<int> offset, sDrawState const& state,
                     ICanvas* canvas);
// One row: dest (x, y, width, image height), offset (offsetX, 0).
int DrawTiledImageH(IImage const* image, float x, float y, float width, int offsetX, sDrawState const& state,
                    ICanvas* canvas);
// One column: dest (x, y, image width, height), offset (0, offsetY).
int DrawTiledImageV(IImage const* image, float x, float y, float height, int offsetY, sDrawState const& state,
                    ICanvas* canvas);
int DrawTiledImageV(IImage const* image, float x, float y, float height, sDrawState const& state, ICanvas* canvas);

// The pixel such a tiling shows at (x, y) of an area of the given size; -1
// when there is no image, the image is empty, or the point lies outside the area.
int32_t GetTiledImageHVPixel(IImage const* image, Vector2<float> const& size, Vector2<int> const& offset, int x,
                             int y);
// The top byte of that value: 255 for a point outside.
int GetTiledImageHVAlpha(IImage const* image, Vector2<float> const& size, Vector2<int> const& offset, int x, int y);

} // namespace Graphics
} // namespace Corvane

#endif
