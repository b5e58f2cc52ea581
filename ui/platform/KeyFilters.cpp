#include "ui/platform/KeyFilters.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolTip>
#include <algorithm>

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;
const char* const kLimitProperty = "vornikMaxLength";
// How long the hint of a full field stays.
constexpr int kHintMilliseconds = 4000;

bool IsEditingKey(QChar c) {
    return c.unicode() == kBackspace || c.unicode() == kEnter;
}

}  // namespace

std::optional<QChar> NumericKeyFilter(QChar typed) {
    if (typed.isDigit() && typed.unicode() < 128) {
        return typed;
    }
    if (typed == u',' || typed == u'-' || IsEditingKey(typed)) {
        return typed;
    }
    if (typed == u'.') {
        return QChar(u',');
    }
    return std::nullopt;
}

std::optional<QChar> DecimalsKeyFilter(QChar typed) {
    if ((typed >= u'0' && typed <= u'5') || IsEditingKey(typed)) {
        return typed;
    }
    return std::nullopt;
}

TypedInputFilter::TypedInputFilter(QLineEdit* edit, CharFilter filter, int maxLength, QObject* owner)
    : QObject(owner), edit_(edit), filter_(filter), maxLength_(maxLength) {
    edit_->setProperty(kLimitProperty, maxLength);
}

void TypedInputFilter::Attach(QLineEdit* edit, CharFilter filter, int maxLength) {
    edit->installEventFilter(new TypedInputFilter(edit, filter, maxLength, edit));
}

void TypedInputFilter::Attach(QComboBox* combo, CharFilter filter, int maxLength) {
    // Key presses reach either the combo box or its line edit, depending on where the focus
    // sits; one filter watches both.
    auto* f = new TypedInputFilter(combo->lineEdit(), filter, maxLength, combo);
    combo->installEventFilter(f);
    combo->lineEdit()->installEventFilter(f);
}

int TypedInputFilter::MaxLength(const QLineEdit* edit) {
    const QVariant v = edit->property(kLimitProperty);
    return v.isValid() ? v.toInt() : -1;
}

int TypedInputFilter::Room() const {
    const int kept = static_cast<int>(edit_->text().size() - edit_->selectedText().size());
    return maxLength_ - kept;
}

QString TypedInputFilter::FullHint(int maxLength) {
    return QStringLiteral("Поле вмещает не больше %1 знаков").arg(maxLength);
}

void TypedInputFilter::ShowFullHint() const {
    // Beside the field's right edge, gone after a few seconds or with the next key.
    QToolTip::showText(edit_->mapToGlobal(QPoint(edit_->width() + 2, 0)), FullHint(maxLength_), edit_,
                       QRect(), kHintMilliseconds);
}

void TypedInputFilter::PasteLimited() {
    // Pasted text is not filtered, only cut to the room left, like typed text.
    const QString clip = QGuiApplication::clipboard()->text();
    const int room = Room();
    if (room > 0 && !clip.isEmpty()) {
        edit_->insert(clip.left(room));
    }
    if (clip.size() > std::max(room, 0)) {
        ShowFullHint();
    }
}

bool TypedInputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu && watched == edit_) {
        // The standard menu, with its paste bound by the length limit.
        QMenu* menu = edit_->createStandardContextMenu();
        if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
            paste->disconnect();
            connect(paste, &QAction::triggered, this, &TypedInputFilter::PasteLimited);
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (event->type() != QEvent::KeyPress || edit_->isReadOnly()) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        PasteLimited();
        return true;
    }
    const QString text = key->text();
    // Shortcuts and keys that type nothing (arrows, Delete, Tab) are not typing.
    if (text.size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    const QChar typed = text.front();
    if (!typed.isPrint() && !IsEditingKey(typed)) {
        return false;
    }
    const std::optional<QChar> passed = filter_(typed);
    if (!passed) {
        return true;
    }
    if (IsEditingKey(*passed)) {
        return false;
    }
    if (Room() <= 0) {
        ShowFullHint();
        return true;
    }
    if (*passed != typed) {
        edit_->insert(QString(*passed));
        return true;
    }
    return false;
}
