#pragma once
// How the program's fields behave wherever they are: a text the program writes into a field is
// shown from its first character, a combo box takes mouse-wheel steps only while it has the
// keyboard focus, and hints show over every window of the program while the program is active.

#include <QObject>

class QComboBox;
class QLineEdit;
class QString;

// Sets the text of a field and shows it from its first character, as a narrow field would
// otherwise show only the end of a long value ("31,83" of "-31,83").
void SetFieldText(QLineEdit* field, const QString& text);
// The same for the text of an editable combo box.
void SetFieldText(QComboBox* field, const QString& text);

// Installed once on the application (InstallFieldBehaviour): combo boxes take the focus by
// click or Tab only and ignore the wheel without it; fields with an initial text show it from
// its first character; every window shows hints while the program is active.
class FieldBehaviour : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs FieldBehaviour on the application unless it is there already.
void InstallFieldBehaviour();
