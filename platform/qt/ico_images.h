// The images of an .ico file, read here rather than by Qt's image plug-in: the plug-in turns each image's
// mask into an alpha channel through the colour-space tables, which bring the maths library's pages and
// their own into a program that only shows an icon in the tray.
#pragma once

#include <QImage>
#include <QList>
#include <cstdint>
#include <span>

namespace qtbackend {

// Every image of the file, as premultiplied ARGB with its mask's pixels transparent. Palette images (1, 4
// or 8 bits a pixel, the icons' own) are read; an image in any other form, or cut short, comes back null.
QList<QImage> IcoImages(std::span<const std::uint8_t> file);

}  // namespace qtbackend
