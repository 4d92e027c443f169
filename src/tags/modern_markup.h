#pragma once
// "Modern markup": what the Colours tool writes when the pages are to use
// style properties in place of the attributes HTML5 no longer has
// (bgcolor, background, text, link, alink, vlink, cellspacing, <font>).
// The same choices as color_tags.h, the same layout of lines; the image
// tag's border is in image_tag.h.

#include "tags/color_tags.h"

namespace modern_markup {

// A <style> line with the link colours (when any is set), then the
// <body> with its background and text colour as style properties.
QString Body_Choices(const color_tags::Color_Choices& c, const QString& quote);
// "<table" and "<td" with their backgrounds and the spacing as style
// properties.
QString Table_Choices(const color_tags::Color_Choices& c, const QString& quote);
// One "<span style=...>" line per font colour set.
QString Font_Choices(const color_tags::Color_Choices& c, const QString& quote);

// The image's border as a style property: "border: 2px solid".
QString Border_Style(int pixels);

} // namespace modern_markup
