#include "ui/GuiRunContext.h"

#include <QTextEdit>

#include "ui/MessageBoxes.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"

vornik::CircuitInput ReadCircuitInput(const TForm3& form) {
    vornik::CircuitInput input;
    input.star = form.RadioButton1->isChecked();
    for (const vornik::FieldSpec& spec : vornik::kFields) {
        input[spec.field] = form.FieldEdit(spec.field)->text().toStdString();
    }
    for (const vornik::TickSpec& spec : vornik::kTicks) {
        input.SetChecked(spec.tick, form.Box(spec.tick)->isChecked());
    }
    return input;
}

std::string FormPrecisionTexts::Text(int index) const {
    return form_.PrecisionText(index).toStdString();
}

void RichEditDocument::Clear() {
    Flush();
    edit_.clear();
    intoFirstParagraph_ = true;
}

void RichEditDocument::AppendLine(const std::string& text) {
    if (!cursor_) {
        cursor_.emplace(edit_.document());
        cursor_->movePosition(QTextCursor::End);
        cursor_->beginEditBlock();
    }
    if (!intoFirstParagraph_) {
        intoFirstParagraph_ = edit_.document()->isEmpty();
    }
    if (!*intoFirstParagraph_) {
        cursor_->insertBlock(QTextBlockFormat(), QTextCharFormat());
    }
    intoFirstParagraph_ = false;
    cursor_->insertText(QString::fromStdString(text), QTextCharFormat());
}

void RichEditDocument::Flush() {
    if (cursor_) {
        cursor_->endEditBlock();
        cursor_.reset();
    }
}

void BoxMessages::SolverMessage(const std::string& text) {
    if (doc_) {
        doc_->Flush();
    }
    ShowPlainMessage(QString::fromStdString(text));
}

void BoxMessages::RuntimeError(const std::string& text) {
    if (doc_) {
        doc_->Flush();
    }
    ShowErrorBox(QString::fromStdString(text));
}
