#pragma once
// Pictures of the toolbar buttons and the window icon, drawn at start-up.

#include <QIcon>

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
