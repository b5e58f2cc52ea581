#pragma once
// Controls that several windows build the same way: fonts given in pixels, sunken frames,
// captions, coloured labels, flat glyph buttons and the button strips across the top of the main
// and results windows.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <utility>

#include "ui/widgets/Glyphs.h"

class QFrame;
class QIcon;
class QLabel;
class QPixmap;
class QToolButton;
class QWidget;

// A face at a pixel size (the windows give most of their fonts in pixels). Liberation Sans, or
// Liberation Serif for "Times New Roman", stands in where the named face is missing; they keep
// the metrics the layout was measured with.
QFont PixelFont(const QString& family, int pixels, bool bold);

// A sunken box frame around a group of controls.
QFrame* Bevel(QWidget* parent, int x, int y, int width, int height);

// A label at (x, y), as large as its text.
QLabel* Caption(QWidget* parent, const QString& text, int x, int y);

// A caption in its own font and colour (the texts of the black About box and splash).
QLabel* ColouredLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& colour, int x,
                      int y);

// A label showing a picture at (x, y), as large as the picture.
QLabel* PictureLabel(QWidget* parent, const QPixmap& picture, int x, int y);

// Gives each control its accessible name (UTF-8), the name a screen reader says.
void NameControls(std::initializer_list<std::pair<QWidget*, const char*>> names);

// A flat button showing a glyph of iconSize × iconSize pixels.
QToolButton* GlyphButton(QWidget* parent, const QRect& geometry, const QIcon& glyph, int iconSize);

// Flat square glyph buttons placed left to right on a strip, with thin sunken separators.
class ButtonStrip {
  public:
    // Buttons of buttonSize × buttonSize pixels at the given top, their glyphs iconSize pixels.
    ButtonStrip(QWidget* strip, int buttonSize, int iconSize, int top);

    // The next button, named and with its hint.
    QToolButton* AddButton(const char* name, const QString& hint, Glyph glyph);
    // A vertical separator from top, height pixels long; the name may be null.
    void AddSeparator(int top, int height, const char* name = nullptr);

  private:
    QWidget* strip_;
    int buttonSize_;
    int iconSize_;
    int top_;
    int x_ = 2;
};
