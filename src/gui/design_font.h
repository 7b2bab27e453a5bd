#pragma once
// The fonts the windows were designed with ("MS Sans Serif", "Arial",
// "Courier New") are Windows fonts; where the system lacks one, the desktop's
// face of the same kind stands in for it at the same size.

#include <QFont>
#include <QString>

namespace quorvex {

// `family` at `pixel_size` pixels, or the desktop's sans-serif face
// (`kind` QFont::SansSerif) or fixed-pitch face (QFont::TypeWriter) at that
// size when the system has no such family.
QFont DesignFont(const QString& family, int pixel_size, QFont::StyleHint kind = QFont::SansSerif,
                 bool bold = false);

}  // namespace quorvex
