#ifndef CORVANE_TESTS_GRAPHICS_RECORDINGCANVAS_H
#define CORVANE_TESTS_GRAPHICS_RECORDINGCANVAS_H

// Test canvases and images for the drawing facade: a canvas that offers the
// interfaces a test switches on, keeps pixels in memory and records the calls
// that reach it.

#include <map>
#include <utility>
#include <vector>

#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/Image.h"

namespace FacadeTesting
{
    using namespace Corvane;
    using namespace Corvane::Graphics;

    // An image of a given size that is never uploaded.
    class SizedImage : public IImage
    {
    public:
        SizedImage(int width, int height) : mWidth(width), mHeight(height) {}
        int GetWidth() const override { return mWidth; }
        int GetHeight() const override { return mHeight; }
        Color32 GetPixel(int, int) const override { return Color32(0); }
        void SetTexture(ITexture*) const override {}
        ITexture* GetTexture() const override { return nullptr; }

    private:
        int mWidth;
        int mHeight;
    };

    struct sImageCall
    {
        IImage const* image;
        float x;
        float y;
        sDrawState state;
    };

    struct sTextCall
    {
        std::wstring text;
        float x;
        float y;
        sDrawState state;
    };

    class RecordingCanvas : public ICanvas,
                            public ILineDrawingCanvas,
                            public IPixelSettingCanvas,
                            public IEllipseDrawingCanvas,
                            public IQuadDrawingCanvas,
                            public ITextDrawingCanvas
    {
    public:
        RecordingCanvas(int width, int height) : bounds(0, 0, width, height) {}

        // Which optional interfaces QueryInterface offers.
        bool offersLines = false;
        bool offersPixels = false;
        bool offersEllipses = false;
        bool offersQuads = false;
        bool offersText = false;

        Rect<int> bounds;
        std::map<std::pair<int, int>, Color32> pixels;
        int setPixelCalls = 0;
        std::vector<sImageCall> images;
        std::vector<Rect<int>> stretched;
        std::vector<sTextCall> texts;
        std::vector<Rect<float>> rects;
        std::vector<Rect<float>> ellipses;
        int lines = 0;
        // What DrawImage answers.
        int imageResult = 0;

        Label GetKind() override { return Label::GetUniqueString("LienzoDePrueba"); }
        Rect<int> const& GetBounds() override { return bounds; }
        bool QueryInterface(Label name, void** out) override
        {
            if (name == ICanvas::InterfaceLabel())
                *out = static_cast<ICanvas*>(this);
            else if (offersLines && name == ILineDrawingCanvas::InterfaceLabel())
                *out = static_cast<ILineDrawingCanvas*>(this);
            else if (offersPixels && name == IPixelSettingCanvas::InterfaceLabel())
                *out = static_cast<IPixelSettingCanvas*>(this);
            else if (offersEllipses && name == IEllipseDrawingCanvas::InterfaceLabel())
                *out = static_cast<IEllipseDrawingCanvas*>(this);
            else if (offersQuads && name == IQuadDrawingCanvas::InterfaceLabel())
                *out = static_cast<IQuadDrawingCanvas*>(this);
            else if (offersText && name == ITextDrawingCanvas::InterfaceLabel())
                *out = static_cast<ITextDrawingCanvas*>(this);
            else
                return false;
            return true;
        }

        int DrawLine(float, float, float, float, sDrawState const&) override
        {
            ++lines;
            return 0;
        }

        int SetPixel(float x, float y, Color32 color) override
        {
            ++setPixelCalls;
            pixels[std::make_pair(int(x), int(y))] = color;
            return 0;
        }
        Color32 GetPixel(float x, float y) override
        {
            auto const found = pixels.find(std::make_pair(int(x), int(y)));
            return found == pixels.end() ? Color32(0) : found->second;
        }

        int DrawLineCircle(float, float, float, sDrawState const&) override { return 0; }
        int DrawFilledCircle(float, float, float, sDrawState const&) override { return 0; }
        int DrawLineEllipse(Rect<float> const& rect, sDrawState const&) override
        {
            ellipses.push_back(rect);
            return 0;
        }
        int DrawFilledEllipse(Rect<float> const& rect, sDrawState const&) override
        {
            ellipses.push_back(rect);
            return 5;
        }

        int DrawFilledRect(Rect<int> const& rect, sDrawState const&) override
        {
            rects.push_back(Rect<float>(rect));
            return 3;
        }
        int DrawFilledRect(Rect<float> const& rect, sDrawState const&) override
        {
            rects.push_back(rect);
            return 4;
        }
        int DrawImage(IImage const* image, float x, float y, sDrawState const& state) override
        {
            images.push_back(sImageCall{image, x, y, state});
            return imageResult;
        }
        int DrawStretchedImage(IImage const* image, Rect<int> const& dest, sDrawState const& state) override
        {
            stretched.push_back(dest);
            images.push_back(sImageCall{image, float(dest.x), float(dest.y), state});
            return 0;
        }
        int DrawRotatedImage(IImage const* image, float x, float y, Angle, sDrawState const& state) override
        {
            images.push_back(sImageCall{image, x, y, state});
            return 0;
        }
        int DrawStretchedRotatedImage(IImage const*, Rect<int> const&, Angle, sDrawState const&) override { return 0; }
        int DrawPrimitive(PrimitiveKind, IImage const*, int, sPrimitiveVertex const*, sDrawState const&) override
        {
            return 0;
        }

        int DrawText(wchar_t const* text, float x, float y, sDrawState const& state) override
        {
            texts.push_back(sTextCall{text, x, y, state});
            return 0;
        }

        bool HasPixel(int x, int y) const { return pixels.count(std::make_pair(x, y)) != 0; }
    };
}

#endif
