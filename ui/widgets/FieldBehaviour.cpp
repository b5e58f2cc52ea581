#include "ui/widgets/FieldBehaviour.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QWheelEvent>

void SetFieldText(QLineEdit* field, const QString& text) {
    field->setText(text);
    field->setCursorPosition(0);
}

void SetFieldText(QComboBox* field, const QString& text) {
    field->setEditText(text);
    if (QLineEdit* edit = field->lineEdit()) {
        edit->setCursorPosition(0);
    }
}

namespace {

bool HasFocus(const QComboBox* combo) {
    return combo->hasFocus() || (combo->lineEdit() != nullptr && combo->lineEdit()->hasFocus());
}

// Qt shows hints only over the active window. The program's windows work side by side, so while
// the program is active every one of its windows shows its hints; while another program is
// active none does.
void ShowHintsWhileActive(QWidget* window) {
    window->setAttribute(Qt::WA_AlwaysShowToolTips,
                         QGuiApplication::applicationState() == Qt::ApplicationActive);
}

}  // namespace

bool FieldBehaviour::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Polish:
            if (auto* combo = qobject_cast<QComboBox*>(watched)) {
                // Qt's default lets a wheel notch give a combo box the focus and step it at once.
                if (combo->focusPolicy() == Qt::WheelFocus) {
                    combo->setFocusPolicy(Qt::StrongFocus);
                }
            } else if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
                // A text given at creation is shown from its first character.
                if (!edit->hasFocus()) {
                    edit->setCursorPosition(0);
                }
            } else if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow()) {
                ShowHintsWhileActive(window);
            }
            break;
        case QEvent::Wheel:
            if (auto* combo = qobject_cast<QComboBox*>(watched); combo && !HasFocus(combo)) {
                // A pointer passing over a box must not change its value: only a focused box steps.
                event->ignore();
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void InstallFieldBehaviour() {
    auto* app = QCoreApplication::instance();
    if (app == nullptr || app->findChild<FieldBehaviour*>(QString(), Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    auto* behaviour = new FieldBehaviour(app);
    app->installEventFilter(behaviour);
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, behaviour, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            ShowHintsWhileActive(window);
        }
    });
}
