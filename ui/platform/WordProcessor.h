#pragma once
// Handing the results document to a word processor: a new, visible LibreOffice Writer document
// made from the RTF the results window saves (fonts and raised text kept), or from plain text.

#include <QString>
#include <QStringList>
#include <string>

// The Writer program found in PATH ("soffice", then "libreoffice"), or empty.
QString FindWordProcessor();

// The command-line arguments that open `textFile` (UTF-8 text) as a new untitled Writer document.
QStringList WordProcessorArguments(const QString& textFile);

// The arguments that open `rtfFile` as a new untitled Writer document.
QStringList WordProcessorRtfArguments(const QString& rtfFile);

// Writes RTF to a file in this run's temporary folder (removed when the program ends) and starts
// the word processor on it, detached. Returns an empty string on success, else the message to show.
QString SendRtfToWordProcessor(const std::string& rtf);

// Writes text to a file in this run's temporary folder (removed when the program ends) and
// starts the word processor on it, detached. Returns an empty string on success, else the
// message to show.
QString SendToWordProcessor(const QString& text);
