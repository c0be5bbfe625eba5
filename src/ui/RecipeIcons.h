// The pictures of the results list: the recipe icons (index Color, plus 7
// when marked) and the star images of the rating column.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace pantrio {

// Icon `index`: 0..6 unmarked in the recipe's colour, 7..13 the same with a
// check mark. Other numbers give the plain first icon.
QIcon RecipeIcon(int index);

// Image `index` of the navigation bar's own list: 8 a cuisine (a plate with
// fork and knife), 9 a main ingredient (a leaf). They must not look like the
// recipe icons, whose ticks mean a marked recipe. Other numbers give a null
// icon.
QIcon NavigationImage(int index);

// The star image for a rating text "0" to "5" from `imagesFolder`
// (star0.gif ... star5.gif); a null pixmap for any other text.
QPixmap StarImage(const QString& imagesFolder, const QString& ratingText);

// The program's own icon (a recipe card with a fork).
QIcon ProgramIcon();

}  // namespace pantrio
