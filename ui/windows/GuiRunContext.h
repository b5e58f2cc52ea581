#pragma once
// The calculation run's view of the windows: the parameter form's controls, the precision
// form's combo boxes, the results document and the message boxes.

#include <QTextCursor>
#include <optional>

#include "run/CalculationRun.h"

class QTextEdit;
class TForm3;
class TForm4;

// The parameter form's connection, texts and ticks, copied once when a run starts.
vornik::CircuitInput ReadCircuitInput(const TForm3& form);

// The twenty precision texts of the precision form.
class FormPrecisionTexts : public vornik::PrecisionTexts {
  public:
    explicit FormPrecisionTexts(const TForm4& form) : form_(form) {}
    std::string Text(int index) const override;

  private:
    const TForm4& form_;
};

// The same twenty texts copied, for a task kept beyond the form's lifetime.
vornik::PrecisionValues ReadPrecisionValues(const TForm4& form);

// The results document in the rich-text control. The lines of one run go in as one edit block,
// so the control lays out and repaints once instead of after every line; the block is closed by
// Flush or when the object goes away. A document the user has edited is cleared within that
// block, so one undo brings it back.
class RichEditDocument : public vornik::ResultsDocument {
  public:
    explicit RichEditDocument(QTextEdit& edit);
    ~RichEditDocument() override { Flush(); }
    RichEditDocument(const RichEditDocument&) = delete;
    RichEditDocument& operator=(const RichEditDocument&) = delete;

    void Clear() override;
    // One paragraph at the end, in the document's own font, without formatting of its own.
    void AppendLine(const std::string& text) override;
    void Flush();

  private:
    // Starts the edit block of the lines to come unless one is open.
    void OpenBlock();

    QTextEdit& edit_;
    std::optional<QTextCursor> cursor_;
    // An empty document shows one empty paragraph; the first line written after a clear goes
    // into it, every later one (also an empty one) gets a paragraph of its own.
    std::optional<bool> intoFirstParagraph_;
    // The run cleared a document the user had not edited, without keeping it for an undo.
    bool clearedOutright_ = false;
};

// Solver messages in the plain box, runtime errors in the error box. The lines written before
// the failure are put on screen first, so they are visible behind the box. After the box of a
// text that is no number or of a zero resistance the cursor goes to that field, its text selected.
class BoxMessages : public vornik::MessageSink {
  public:
    explicit BoxMessages(RichEditDocument* doc = nullptr) : doc_(doc) {}
    void SolverMessage(const std::string& text) override;
    void RuntimeError(const std::string& text) override;
    void FailedField(const std::string& control) override;

  private:
    RichEditDocument* doc_;
};
