#include "gui/design_font.h"

#include <QFontDatabase>

namespace quorvex {

QFont DesignFont(const QString& family, int pixel_size, QFont::StyleHint kind, bool bold) {
  QFont font(family);
  if (!QFontDatabase::hasFamily(family)) {
    // Left to itself, font matching may pick any face for an unknown family;
    // the desktop's own face of the right kind keeps the design's look.
    const auto role = kind == QFont::TypeWriter ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont;
    font.setFamily(QFontDatabase::systemFont(role).family());
  }
  font.setStyleHint(kind);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

}  // namespace quorvex
