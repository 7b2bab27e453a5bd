#pragma once
// The pictures of a form (the setting_rules.txt rows "*" of Picture,
// DisabledPicture and Icon): an image's Picture as its Picture.Data, a
// command button's Picture and DisabledPicture as the glyph of the TBitBtn it
// becomes, the form's Icon as its Icon.Data, each read from the file the
// setting names. A setting whose file is not found or holds no picture this
// program reads stays a comment, and the form gets a report note naming it.
// With the pictures come the settings that place them: an image's Stretch,
// a button's PicturePosition.

#include <string>

#include "model/component_model.h"
#include "pictures/picture_source.h"

namespace quorvex {

// Where a form's pictures come from.
struct PictureFiles {
  PictureSource source;   // empty: every picture stays a comment, without a note
  std::string form_path;  // the form's file, where the names start
};

// Carries the picture settings of every component of `form` out of their
// rule lines, before the rules of the components as a whole run.
void CarryPictures(LoadableForm& form, const PictureFiles& files);

}  // namespace quorvex
