#pragma once
// Results window "Поле отображения и редактирования результатов": the editable worked solution,
// with copy/cut/paste, superscript, printing, RTF saving and hand-over to a word processor.

#include <QTextEdit>
#include <QToolButton>
#include <QWidget>
#include <string>

#include "canvas/PdfDocument.h"
#include "report/RtfDocument.h"

class QFrame;
class QPrinter;

class TForm2 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm2(QWidget* parent = nullptr);

    QTextEdit* RichEdit1 = nullptr;
    QFrame* CoolBar1 = nullptr;
    QToolButton* SpeedButton5 = nullptr;  // "Центрировать окна"
    QToolButton* SpeedButton2 = nullptr;  // copy
    QToolButton* SpeedButton1 = nullptr;  // cut
    QToolButton* SpeedButton3 = nullptr;  // paste
    QToolButton* SpeedButton6 = nullptr;  // superscript
    QToolButton* SpeedButton9 = nullptr;  // print
    QToolButton* SpeedButton7 = nullptr;  // word processor
    QToolButton* SpeedButton4 = nullptr;  // save

    // How far "Надстрочный индекс" raises the selection: 3,5 pt.
    static constexpr int kSuperscriptTwips = vornik::kRaisedTwips;
    static constexpr const char* kPrintTitle = "Результаты рассчёта Vornik";
    // The face and size the worked solution is shown in (also where a part of it is shown).
    static QFont DocumentFont() { return QFont(QStringLiteral("Times New Roman"), 12); }

    void PlaceWindow();
    void SpeedButton5Click() { PlaceWindow(); }
    // The main window's Правка commands on the document, each leaving the cursor in it.
    void SelectAllText() {
        RichEdit1->setFocus();
        RichEdit1->selectAll();
    }
    void CopyText() {
        RichEdit1->copy();
        RichEdit1->setFocus();
    }
    void CutText() {
        RichEdit1->cut();
        RichEdit1->setFocus();
    }
    void PasteText() {
        RichEdit1->paste();
        RichEdit1->setFocus();
    }
    // Raises the selection (or what is typed next at the caret) by 70 twips; not a toggle.
    void SetSuperscript();
    // Prints on the default printer, no dialog.
    void SpeedButton9Click();
    // The plain text to a new word-processor document.
    void SpeedButton7Click();
    // Asks for a file name and saves the document as RTF.
    void SpeedButton4Click();
    // Saves the document as RTF to path; on failure shows the error and returns false.
    bool SaveToFile(const QString& path);
    // The document as plain text, paragraphs separated by CR LF.
    QString DocumentText() const;

    // "Сохранить в PDF…": asks for a file name and saves the document as a PDF.
    void SavePdf();
    // The PDF of the document to path: a title block (the title of the task run, the connection,
    // texts and ticks the last run that stored results read, today's date), the document with
    // its fonts and raised text, page numbers. On failure shows the error and returns false.
    bool SavePdfTo(const QString& path);
    // The bytes of that PDF.
    std::string PdfBytes() const;
    // The title of the task the document solves, first in the title block; empty: the default
    // heading. Set with each run that stores results.
    void SetTaskTitle(const QString& title) { taskTitle_ = title; }
    // The pages "Печать" and the preview make: the title block and the document, numbered
    // "N / M" as in the PDF. False when the printer could not be used.
    bool PrintPages(QPrinter& printer) const;
    // "Предварительный просмотр…": the pages as "Печать" prints them, with a choice of printer.
    void PrintPreview();
    // The first showing puts the window at its home place before the window system first maps it.
    void setVisible(bool visible) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildToolbar();
    // What the PDF, "Печать" and the preview show: the title block and the document.
    vornik::PdfContent PrintedContent() const;
    QString taskTitle_;
};
