#pragma once

#include <QImage>
#include <QString>

namespace platform {

// Loads an exhibit picture at its natural size. The kind follows the file name's extension,
// without regard to case: "bmp" and "ico" through the toolkit's image readers, "wmf" and "emf"
// converted to SVG and drawn at the size the metafile's header gives. A name without a folder
// is looked up in the current folder. Throws palvexa::Error with the user's text when the
// extension is not one of the four, the file cannot be opened or its contents are damaged.
QImage loadPicture(const QString& fileName);

} // namespace platform
