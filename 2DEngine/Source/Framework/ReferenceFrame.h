#ifndef CORVANE_FRAMEWORK_REFERENCEFRAME_H
#define CORVANE_FRAMEWORK_REFERENCEFRAME_H

#include "Core/Source/Vector2.h"

namespace Corvane
{

// Places drawing positions: an offset from the parent frame; a frame without a
// parent is placed on the screen. Kept beside the roles because locations carry one.
class ReferenceFrame
{
public:
    ReferenceFrame() : mOffset(0.0f, 0.0f), mParent(nullptr) {}
    explicit ReferenceFrame(Vector2<float> const& offset, ReferenceFrame const* parent = nullptr)
        : mOffset(offset), mParent(parent)
    {
    }

    Vector2<float> const& GetOffset() const { return mOffset; }
    void SetOffset(Vector2<float> const& offset) { mOffset = offset; }
    ReferenceFrame const* GetParent() const { return mParent; }
    void SetParent(ReferenceFrame const* parent) { mParent = parent; }

    // The sum of the offsets of the frame and all its ancestors; (0, 0) for no frame.
    static Vector2<float> GetRootOffset(ReferenceFrame const* frame)
    {
        Vector2<float> offset(0.0f, 0.0f);
        for (; frame; frame = frame->mParent)
        {
            offset.x += frame->mOffset.x;
            offset.y += frame->mOffset.y;
        }
        return offset;
    }

    // The point given in frame from, expressed in frame to (null is the screen).
    static Vector2<float> Convert(Vector2<float> const& point, ReferenceFrame const* from,
                                  ReferenceFrame const* to)
    {
        Vector2<float> const fromOffset = GetRootOffset(from);
        Vector2<float> const toOffset = GetRootOffset(to);
        return Vector2<float>(point.x + fromOffset.x - toOffset.x,
                              point.y + fromOffset.y - toOffset.y);
    }

private:
    Vector2<float> mOffset;
    ReferenceFrame const* mParent;
};

} // namespace Corvane

#endif
