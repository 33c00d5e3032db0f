#pragma once

// Makes the exhibit pictures the questions name from their sources.

#include <QString>

namespace bank {

// Renders source (an SVG drawing) into picture at the drawing's natural size on white, or
// copies source when it already is the picture. Writes through a temporary file, so a failure
// leaves any earlier picture in place. Needs a QGuiApplication for drawing. Throws
// palvexa::Error.
void makeExhibit(const QString& source, const QString& picture);

} // namespace bank
