#include "ui/GuiRunContext.h"

#include <QTextEdit>

#include "ui/MessageBoxes.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"

using vornik::Param;

std::string FormParameterFields::Text(Param field) const {
    const int k = static_cast<int>(field);
    if (k <= static_cast<int>(Param::ComboBox3)) {
        const QComboBox* combos[3] = {form_.ComboBox1, form_.ComboBox2, form_.ComboBox3};
        return combos[k]->currentText().toStdString();
    }
    const QLineEdit* edits[13] = {form_.Edit1,  form_.Edit2,  form_.Edit3, form_.Edit4, form_.Edit5,
                                  form_.Edit6,  form_.Edit7,  form_.Edit8, form_.Edit9, form_.Edit10,
                                  form_.Edit11, form_.Edit12, form_.Edit13};
    return edits[k - static_cast<int>(Param::Edit1)]->text().toStdString();
}

bool FormParameterFields::Checked(int box) const {
    const QCheckBox* boxes[7] = {form_.CheckBox1, form_.CheckBox2, form_.CheckBox3, form_.CheckBox4,
                                 form_.CheckBox5, form_.CheckBox6, form_.CheckBox7};
    return boxes[box - 1]->isChecked();
}

bool FormParameterFields::Star() const {
    return form_.RadioButton1->isChecked();
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
