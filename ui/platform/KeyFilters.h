#pragma once
// Key filtering of the numeric fields: which typed characters reach a field, and how many.

#include <QObject>
#include <QString>
#include <optional>

class QChar;
class QComboBox;
class QLineEdit;

// Digits, comma, minus, backspace and Enter pass; a full stop becomes a comma; anything else
// is dropped (empty result).
std::optional<QChar> NumericKeyFilter(QChar typed);

// Digits 0 to 5, backspace and Enter pass; anything else is dropped.
std::optional<QChar> DecimalsKeyFilter(QChar typed);

// Applies a character filter and an input length limit to what the user types or pastes into a
// line edit. Text set by the program is not limited (QLineEdit::setMaxLength would cut it), so a
// value written by the input assistant arrives whole.
class TypedInputFilter : public QObject {
    Q_OBJECT
  public:
    using CharFilter = std::optional<QChar> (*)(QChar);

    // Installs a filter owned by the edit (or by the combo box and its line edit).
    static void Attach(QLineEdit* edit, CharFilter filter, int maxLength);
    static void Attach(QComboBox* combo, CharFilter filter, int maxLength);

    // The input limit given to Attach, or -1 when the edit has none.
    static int MaxLength(const QLineEdit* edit);
    // The hint shown beside a field when a typed or pasted character does not fit any more.
    static QString FullHint(int maxLength);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TypedInputFilter(QLineEdit* edit, CharFilter filter, int maxLength, QObject* owner);
    // Room left for typed or pasted characters once the selection is replaced.
    int Room() const;
    void PasteLimited();
    void ShowFullHint() const;

    QLineEdit* edit_;
    CharFilter filter_;
    int maxLength_;
};
