#pragma once

#include <QImage>
#include <functional>

// Whether a pixel of `image` inside `area` (the whole image unless given) is one `wanted` looks for.
inline bool anyPixel(const QImage& image, const std::function<bool(QColor)>& wanted, QRect area = {})
{
    area = area.isNull() ? image.rect() : area & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (wanted(image.pixelColor(x, y)))
                return true;
    return false;
}
