#pragma once
// Qt fonts for framework fonts.

#include <QFont>

#include "Graphics.h"

namespace vcl::backend {

// The family when the system has it, else the system's sans family; Height below zero is
// the character height in pixels, above zero the cell height.
QFont QtFontOf(const TFont& Font);

}  // namespace vcl::backend
