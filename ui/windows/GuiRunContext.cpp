#include "ui/windows/GuiRunContext.h"

#include <QTextDocument>
#include <QTextEdit>

#include "ui/app/Forms.h"
#include "ui/platform/MessageBoxes.h"
#include "ui/platform/WindowPlace.h"
#include "ui/windows/Unit3.h"
#include "ui/windows/Unit4.h"

vornik::CircuitInput ReadCircuitInput(const TForm3& form) {
    vornik::CircuitInput input;
    input.star = form.RadioButton1->isChecked();
    for (const vornik::FieldSpec& entry : vornik::kFields) {
        input[entry.field] = form.FieldEdit(entry.field)->text().toStdString();
    }
    for (const vornik::TickSpec& entry : vornik::kTicks) {
        input.SetChecked(entry.tick, form.Box(entry.tick)->isChecked());
    }
    return input;
}

std::string FormPrecisionTexts::Text(int index) const {
    return form_.PrecisionText(index).toStdString();
}

vornik::PrecisionValues ReadPrecisionValues(const TForm4& form) {
    const FormPrecisionTexts texts(form);
    vornik::PrecisionValues values;
    for (int k = 0; k < vornik::kPrecisionCount; ++k) {
        values.texts[k] = texts.Text(k);
    }
    return values;
}

namespace {

// Whether the document was changed (text or formats) since a run last finished writing it; kept
// on the document itself, which lives as long as the window.
const char* const kEditedSinceRun = "vornikEditedSinceRun";
const char* const kEditsWatched = "vornikEditsWatched";

void WatchEdits(QTextDocument& doc) {
    if (doc.property(kEditsWatched).toBool()) {
        return;
    }
    doc.setProperty(kEditsWatched, true);
    QObject::connect(&doc, &QTextDocument::contentsChange, &doc, [&doc](int, int removed, int added) {
        if (removed != 0 || added != 0) {
            doc.setProperty(kEditedSinceRun, true);
        }
    });
}

bool EditedSinceLastRun(const QTextDocument& doc) {
    const QVariant edited = doc.property(kEditedSinceRun);
    // Before the first run nothing was watched: any text there is the user's.
    return edited.isValid() ? edited.toBool() : !doc.isEmpty();
}

}  // namespace

RichEditDocument::RichEditDocument(QTextEdit& edit) : edit_(edit) {
    WatchEdits(*edit_.document());
}

void RichEditDocument::Clear() {
    const bool edited = EditedSinceLastRun(*edit_.document());
    Flush();
    if (!edited) {
        // Nothing but what an earlier run wrote: cleared outright, which also frees the text the
        // undo history would otherwise keep run after run.
        edit_.clear();
        clearedOutright_ = true;
        intoFirstParagraph_ = true;
        return;
    }
    // The user has edited the document: the old text is removed inside the run's edit block
    // instead of by clearing the control, which would also drop the undo history, so one undo
    // brings back the document the run replaced, edits included.
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
    // What the run wrote is no edit of the user's.
    edit_.document()->setProperty(kEditedSinceRun, false);
    if (clearedOutright_) {
        // Nothing of the user's was replaced: an undo must not take the run's text apart.
        edit_.document()->clearUndoRedoStacks();
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
