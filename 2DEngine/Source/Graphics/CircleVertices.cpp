#include "2DEngine/Source/Graphics/CircleVertices.h"

#include <cmath>

#include "Core/Source/Angle.h"

namespace Corvane
{
namespace Internal
{

namespace
{

template <class T>
T ToVertexCoordinate(float value);

template <>
int ToVertexCoordinate<int>(float value)
{
    return static_cast<int>(value);
}

template <>
float ToVertexCoordinate<float>(float value)
{
    return value;
}

} // namespace

template <class T>
typename CircleVerticesCache<T>::VertexList const& CircleVerticesCache<T>::GetCachedVertices(float radius) const
{
    if (!std::isfinite(radius))
        return mEmpty;
    float const r = 0.5f * std::floor(2.0f * radius + 0.5f);
    if (!(r > 0.0f) || r > kMaxCachedCircleRadius)
        return mEmpty;

    size_t const key = static_cast<size_t>(2.0f * r);
    if (key >= mTable.size())
        mTable.resize(key + 256);
    VertexList& list = mTable[key];
    if (!list.empty())
        return list;

    float const quarter = Angle::circle() * 0.25f;
    float const count = std::trunc(std::ceil(Angle::pi() * r * 0.5f));
    for (float i = 0.0f; i <= count; i += 1.0f)
    {
        float const angle = (i * quarter) / count;
        Vector2<T> const vertex(ToVertexCoordinate<T>(std::cos(angle) * r), ToVertexCoordinate<T>(std::sin(angle) * r));
        if (vertex.x == T(0) && vertex.y == T(0))
            continue;
        list.push_back(vertex);
    }
    return list;
}

template class CircleVerticesCache<int>;
template class CircleVerticesCache<float>;

CircleVerticesCacheI const& GetCircleVerticesCacheI()
{
    static CircleVerticesCacheI const cache;
    return cache;
}

CircleVerticesCacheF const& GetCircleVerticesCacheF()
{
    static CircleVerticesCacheF const cache;
    return cache;
}

} // namespace Internal
} // namespace Corvane
