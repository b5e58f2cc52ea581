#pragma once
// Input-parameter assistant "Настройка вводимых параметров" (placeholder with the public controls).
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
class TForm8 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm8(QWidget* parent = nullptr);
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;
};
