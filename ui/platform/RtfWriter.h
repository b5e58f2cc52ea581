#pragma once
// The results document as an RTF file: the text control's document is turned into the plain
// paragraphs and runs of the core's RTF writer; this side does the file work.

#include <QString>
#include <QTextFormat>
#include <string>

#include "report/RtfDocument.h"

class QTextDocument;

// Character property holding how far the text is raised above the baseline, in twips.
inline constexpr int kRaiseTwipsProperty = QTextFormat::UserProperty + 1;

// The character format that raises text of the given current format by `twips` without
// changing its size; merging it twice gives the same result as once.
QTextCharFormat RaisedFormat(const QTextCharFormat& current, const QFont& documentFont, int twips);

// The document as paragraphs of runs with their character properties resolved.
vornik::RtfDocument PlainDocument(const QTextDocument& document);

// The whole document as RTF text (7-bit).
std::string DocumentToRtf(const QTextDocument& document);

// Writes the document as RTF to path with ReplaceFile: an existing file survives any failure.
// On failure returns false and sets *error to the message to show.
bool SaveRtfFile(const QString& path, const QTextDocument& document, QString* error);
