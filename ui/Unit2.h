#pragma once
// Results window "Поле отображения и редактирования результатов" (placeholder).
#include <QTextEdit>
#include <QWidget>
class TForm2 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm2(QWidget* parent = nullptr);
    QTextEdit* RichEdit1 = nullptr;
};
