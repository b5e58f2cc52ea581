#pragma once
// Pictures of the toolbar buttons and the window icon. The buttons' sizes are shipped drawn
// beforehand on one sheet (ui/data/glyphs.pam, drawn by scripts/draw-pictures.sh), so that the
// windows shown at start-up do not draw them, nor load the fonts of their lettering.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <array>

enum class Glyph {
    Execute,
    Diagram,
    Assistant,
    Precision,
    Help,
    Centre,
    Copy,
    Cut,
    Paste,
    Superscript,
    Print,
    Word,
    Save,
    Program,
};

// The glyph at size × size pixels, with its own look for the disabled state.
QIcon GlyphIcon(Glyph glyph, int size);

// The glyph drawn now at size × size pixels, enabled or in the disabled look.
QPixmap DrawGlyphPicture(Glyph glyph, int size, bool enabled);

// The sizes on the sheet, ascending: the parameter form's small button, the buttons of the
// results, diagram and assistant windows, and those of the main window and the parameter form.
inline constexpr std::array<int, 3> kShippedGlyphSizes = {16, 24, 40};

// The sheet as DrawGlyphPicture draws it: every glyph but the window icon in both looks at each
// shipped size.
QImage DrawGlyphSheet();
