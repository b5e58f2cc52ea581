#pragma once
// Small pieces shared by the diagram window and the assistant.

#include <QFont>
#include <QString>
#include <string>

// The 8-point sans-serif face of the windows; Liberation Sans keeps the metrics of the face the
// layout was measured with where that face is missing.
QFont FormFont();

// The error box of errors the program does not guard against: the error's own text with the
// full stop of vornik::ErrorBoxText, as the calculation run shows its errors.
void ShowRuntimeError(const std::string& text);
