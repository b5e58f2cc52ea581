#pragma once
// The emblem of the About box and splash: three phasors of a three-phase system on black.

#include <QPixmap>

QPixmap PhasorEmblem(int size);
