#pragma once
// Handing the results text to a word processor: a new, visible LibreOffice Writer document
// holding the plain text.

#include <QString>

// The Writer program found in PATH ("soffice", then "libreoffice"), or empty.
QString FindWordProcessor();

// The command-line arguments that open `textFile` (UTF-8 text) as a new untitled Writer document.
QStringList WordProcessorArguments(const QString& textFile);

// Writes text to a file in this run's temporary folder (removed when the program ends) and
// starts the word processor on it, detached. Returns an empty string on success, else the
// message to show.
QString SendToWordProcessor(const QString& text);
