#pragma once

#include <QPointF>
#include <QRect>
#include <cmath>

// Window designs are measured in twips; 15 twips make one device-independent pixel.
namespace twips {

inline constexpr double perPixel = 15.0;

inline int toPixels(double t)
{
    return static_cast<int>(std::lround(t / perPixel));
}
inline constexpr double toPixelsF(double t)
{
    return t / perPixel;
}
inline constexpr double fromPixels(double px)
{
    return px * perPixel;
}

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

inline QPointF point(double x, double y)
{
    return QPointF(toPixelsF(x), toPixelsF(y));
}

// A control's place in a window design.
struct Box {
    double left, top, width, height;
    QRect pixels() const { return rect(left, top, width, height); }
};

} // namespace twips
