#include "ui/GuiRunContext.h"

#include <QTextEdit>

#include "ui/Forms.h"
#include "ui/MessageBoxes.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/WindowPlace.h"

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
    // The old text is removed inside the run's edit block instead of by clearing the control,
    // which would also drop the undo history: one undo then brings back the document the run
    // replaced, edits included.
    OpenBlock();
    cursor_->select(QTextCursor::Document);
    cursor_->removeSelectedText();
    // What is left is one empty paragraph as a cleared control has it, without the formats of
    // the text that stood there.
    cursor_->setBlockFormat(QTextBlockFormat());
    cursor_->setBlockCharFormat(QTextCharFormat());
    cursor_->setCharFormat(QTextCharFormat());
    edit_.setCurrentCharFormat(QTextCharFormat());
    intoFirstParagraph_ = true;
}

void RichEditDocument::OpenBlock() {
    if (!cursor_) {
        cursor_.emplace(edit_.document());
        cursor_->movePosition(QTextCursor::End);
        cursor_->beginEditBlock();
    }
}

void RichEditDocument::AppendLine(const std::string& text) {
    OpenBlock();
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

void BoxMessages::FailedField(const std::string& control) {
    // "Form3-Edit4" or "Form4-ComboBox5": the window, then the control's object name.
    const size_t dash = control.find('-');
    if (dash == std::string::npos) {
        return;
    }
    const std::string form = control.substr(0, dash);
    QWidget* window = form == "Form3" ? static_cast<QWidget*>(Form3) : form == "Form4" ? Form4 : nullptr;
    if (window == nullptr) {
        return;
    }
    if (window == Form4) {
        Form4->EnsureBuilt();
    }
    QWidget* widget = window->findChild<QWidget*>(QString::fromStdString(control.substr(dash + 1)));
    auto* combo = qobject_cast<QComboBox*>(widget);
    QLineEdit* line = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(widget);
    if (line == nullptr) {
        return;
    }
    ShowWindow(window);
    line->setFocus(Qt::OtherFocusReason);
    line->selectAll();
}
