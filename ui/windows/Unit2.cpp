// TForm2: the results window "Поле отображения и редактирования результатов".
#include "ui/windows/Unit2.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>

#include "canvas/QtPdfDocument.h"
#include "fileio/ReplaceFile.h"
#include "report/TitleBlock.h"
#include "solver/SolverErrors.h"
#include "ui/app/Forms.h"
#include "ui/platform/FileErrorText.h"
#include "ui/platform/MessageBoxes.h"
#include "ui/platform/RtfWriter.h"
#include "ui/platform/WindowPlace.h"
#include "ui/platform/WordProcessor.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/ExtrasUi.h"
#include "ui/widgets/Glyphs.h"
#include "ui/windows/GuiRunContext.h"
#include "ui/windows/Unit1.h"
#include "ui/windows/Unit3.h"

namespace {

constexpr int kHomeLeft = 218;
constexpr int kHomeTop = 103;
constexpr int kHomeWidth = 582;
constexpr int kHomeHeight = 468;
constexpr int kStripHeight = 37;
constexpr int kButtonSize = 33;
constexpr int kIconSize = 24;
constexpr int kDocumentTop = 36;
// The document area is the outer window size less these margins.
constexpr int kDocumentWidthMargin = 11;
constexpr int kDocumentHeightMargin = 86;

// Clipboard contents of the results document: besides HTML and plain text it carries the
// selection itself (for pasting back here with the raised text intact) and RTF for other programs.
class DocumentMimeData : public QMimeData {
  public:
    explicit DocumentMimeData(const QTextDocumentFragment& fragment) : fragment_(fragment) {
        setHtml(fragment.toHtml());
        setText(fragment.toPlainText());
        QTextDocument doc;
        doc.setDefaultFont(TForm2::DocumentFont());
        QTextCursor(&doc).insertFragment(fragment);
        const std::string rtf = DocumentToRtf(doc);
        const QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
        setData(QStringLiteral("text/rtf"), bytes);
        setData(QStringLiteral("application/rtf"), bytes);
    }
    const QTextDocumentFragment& Fragment() const { return fragment_; }

  private:
    QTextDocumentFragment fragment_;
};

bool IsControlReturn(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & Qt::ControlModifier) != 0;
}

// The rich-text control of the results window.
class ResultsEdit : public QTextEdit {
  public:
    using QTextEdit::QTextEdit;

  protected:
    // The edit commands, then the document's own: PDF and print preview.
    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu* menu = createStandardContextMenu(event->pos());
        menu->addSeparator();
        auto* form = static_cast<TForm2*>(window());
        menu->addAction(QStringLiteral("Сохранить в PDF…"), form, &TForm2::SavePdf);
        menu->addAction(QStringLiteral("Предварительный просмотр…"), form, &TForm2::PrintPreview);
        menu->exec(event->globalPos());
        delete menu;
    }
    // Ctrl+Return is the break key of word processors: inside the document it starts a new
    // paragraph like Return instead of reaching the program's execute shortcut, which would
    // replace the text being edited.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride && IsControlReturn(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QTextEdit::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (IsControlReturn(event) && !isReadOnly()) {
            textCursor().insertBlock();
            ensureCursorVisible();
            event->accept();
            return;
        }
        QTextEdit::keyPressEvent(event);
    }
    QMimeData* createMimeDataFromSelection() const override {
        return new DocumentMimeData(textCursor().selection());
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (const auto* own = dynamic_cast<const DocumentMimeData*>(source)) {
            textCursor().insertFragment(own->Fragment());
            ensureCursorVisible();
            return;
        }
        QTextEdit::insertFromMimeData(source);
    }
};

}  // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Поле отображения и редактирования результатов"));
    setWindowFlags(Qt::Window);

    RichEdit1 = new ResultsEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    const QFont documentFont = DocumentFont();
    RichEdit1->setFont(documentFont);
    RichEdit1->document()->setDefaultFont(documentFont);
    RichEdit1->setAcceptRichText(true);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setGeometry(0, kDocumentTop, 571, 385);

    BuildToolbar();
    // The design place, given as the frame's before the window exists, so the window system
    // takes every later position as the frame's too.
    PlaceOuter(this, kHomeLeft, 99, kHomeWidth, 471);
}

void TForm2::BuildToolbar() {
    CoolBar1 = new QFrame(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setFrameShape(QFrame::StyledPanel);
    CoolBar1->setGeometry(0, 0, width(), kStripHeight);

    ButtonStrip strip(CoolBar1, kButtonSize, kIconSize, 2);
    auto bevel = [&strip](const char* name) { strip.AddSeparator(3, kButtonSize - 2, name); };
    SpeedButton5 = strip.AddButton("SpeedButton5", QStringLiteral("Центрировать окна"), Glyph::Centre);
    bevel("Bevel1");
    SpeedButton2 = strip.AddButton("SpeedButton2", QStringLiteral("Копировать в буфер"), Glyph::Copy);
    SpeedButton1 = strip.AddButton("SpeedButton1", QStringLiteral("Вырезать в буфер"), Glyph::Cut);
    SpeedButton3 = strip.AddButton("SpeedButton3", QStringLiteral("Встывить из буфера"), Glyph::Paste);
    bevel("Bevel2");
    SpeedButton6 = strip.AddButton("SpeedButton6", QStringLiteral("Надстрочный индекс"), Glyph::Superscript);
    SpeedButton9 = strip.AddButton("SpeedButton9", QStringLiteral("Печать"), Glyph::Print);
    SpeedButton7 = strip.AddButton("SpeedButton7", QStringLiteral("Отправить в Word"), Glyph::Word);
    SpeedButton4 = strip.AddButton("SpeedButton4", QStringLiteral("Сохранить"), Glyph::Save);
    bevel("Bevel3");

    connect(SpeedButton5, &QToolButton::clicked, this, &TForm2::SpeedButton5Click);
    connect(SpeedButton2, &QToolButton::clicked, this, [] { Form1->N8Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [] { Form1->N9Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [] { Form1->N10Click(); });
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm2::SetSuperscript);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm2::SpeedButton9Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm2::SpeedButton7Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm2::SpeedButton4Click);
}

void TForm2::PlaceWindow() {
    PlaceOuter(this, kHomeLeft, kHomeTop, kHomeWidth, kHomeHeight);
}

void TForm2::setVisible(bool visible) {
    // The showing creates the window in the window system: placed at home before that, its frame
    // is mapped there at once, instead of at the design place and then moved in sight.
    if (visible && !testAttribute(Qt::WA_WState_Created)) {
        PlaceWindow();
    }
    QWidget::setVisible(visible);
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        PlaceWindow();
    }
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The document keeps filling the window, whatever size it is given.
    CoolBar1->resize(event->size().width(), kStripHeight);
    const QSize outer = event->size() + FrameExtra(this);
    RichEdit1->setGeometry(0, kDocumentTop, qMax(0, outer.width() - kDocumentWidthMargin),
                           qMax(0, outer.height() - kDocumentHeightMargin));
}

void TForm2::SetSuperscript() {
    QTextDocument* doc = RichEdit1->document();
    const QFont documentFont = doc->defaultFont();
    const QTextCursor selection = RichEdit1->textCursor();
    if (!selection.hasSelection()) {
        RichEdit1->mergeCurrentCharFormat(
            RaisedFormat(RichEdit1->currentCharFormat(), documentFont, kSuperscriptTwips));
        return;
    }
    // The raise is laid out relative to each piece's font, so each formatted piece is merged on
    // its own; the pieces are collected first because merging reshapes them.
    struct Piece {
        int start, end;
        QTextCharFormat format;
    };
    QVector<Piece> pieces;
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    for (QTextBlock block = doc->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int from = qMax(start, f.position());
            const int to = qMin(end, f.position() + f.length());
            if (from < to) {
                pieces.append({from, to, f.charFormat()});
            }
        }
    }
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (const Piece& piece : pieces) {
        QTextCursor part(doc);
        part.setPosition(piece.start);
        part.setPosition(piece.end, QTextCursor::KeepAnchor);
        part.mergeCharFormat(RaisedFormat(piece.format, documentFont, kSuperscriptTwips));
    }
    edit.endEditBlock();
}

void TForm2::SpeedButton9Click() {
    const QPrinterInfo target = QPrinterInfo::defaultPrinter();
    if (target.isNull()) {
        ShowErrorBox(QStringLiteral(
            "Принтер по умолчанию не найден: установите принтер, чтобы напечатать результаты."));
        return;
    }
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(kPrintTitle));
    printer.setPageLayout(vornik::ReportPageLayout());
    if (!PrintPages(printer) || printer.printerState() == QPrinter::Error) {
        ShowErrorBox(QStringLiteral("Ошибка печати на принтере \"%1\".").arg(target.printerName()));
    }
}

QString TForm2::DocumentText() const {
    QString text = RichEdit1->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void TForm2::SpeedButton7Click() {
    // The RTF "Сохранить" writes, so that fonts and raised text arrive in Writer.
    const QString message = SendRtfToWordProcessor(DocumentToRtf(*RichEdit1->document()));
    if (!message.isEmpty()) {
        ShowErrorBox(message);
    }
}

void TForm2::SpeedButton4Click() {
    QFileDialog SaveDialog1(this);
    SaveDialog1.setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1.setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1.setNameFilter(QStringLiteral("Текстовый (*.rtf)"));
    SaveDialog1.setDefaultSuffix(QStringLiteral("rtf"));
    SaveDialog1.setOption(QFileDialog::DontConfirmOverwrite);
    if (SaveDialog1.exec() != QDialog::Accepted || SaveDialog1.selectedFiles().isEmpty()) {
        return;
    }
    SaveToFile(SaveDialog1.selectedFiles().front());
}

bool TForm2::SaveToFile(const QString& path) {
    QString error;
    if (!SaveRtfFile(path, *RichEdit1->document(), &error)) {
        ShowErrorBox(QString::fromStdString(vornik::ErrorBoxText(error.toStdString())));
        return false;
    }
    return true;
}

vornik::PdfContent TForm2::PrintedContent() const {
    vornik::PdfContent content;
    const QString date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    // The solution on show belongs to the last run that stored results: so does its title block,
    // whatever task the form holds now.
    const vornik::CircuitInput form = Form3 != nullptr ? ReadCircuitInput(*Form3) : vornik::CircuitInput{};
    content.titleBlock =
        vornik::StoredRunTitleBlock(AppState(), form, taskTitle_.toStdString(), date.toStdString());
    content.report = PlainDocument(*RichEdit1->document());
    return content;
}

std::string TForm2::PdfBytes() const {
    return vornik::BuildPdfDocument(PrintedContent());
}

bool TForm2::PrintPages(QPrinter& printer) const {
    // Laid out at the PDF's resolution, so the printer gets the PDF's pages.
    printer.setResolution(vornik::kReportDotsPerInch);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    vornik::PaintReportPages(painter, printer, PrintedContent());
    return painter.end();
}

bool TForm2::SavePdfTo(const QString& path) {
    try {
        vornik::ReplaceFile(QFile::encodeName(path).toStdString(), PdfBytes());
    } catch (const vornik::FileWriteError& e) {
        ShowErrorBox(FileSaveErrorText(path, e.Code()));
        return false;
    } catch (const std::exception& e) {
        ShowRuntimeError(e.what());
        return false;
    }
    return true;
}

void TForm2::SavePdf() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SavePdfDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    SavePdfTo(dialog.selectedFiles().front());
}

void TForm2::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(kPrintTitle));
    printer.setPageLayout(vornik::ReportPageLayout());
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreviewDialog"));
    preview.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    // The pages "Печать" makes; the dialog's print button asks which printer to use.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintPages(*target); });
    preview.exec();
}
